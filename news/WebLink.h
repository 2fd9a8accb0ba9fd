#pragma once
#include <string_view>

namespace news {

// True for an absolute http:// or https:// address with a host and without control
// characters. A feed decides what we hand to the shell, and the shell opens anything
// it is given (local files, programs, shares, script URLs), so nothing else is opened.
bool IsWebLink(std::wstring_view link);

} // namespace news
