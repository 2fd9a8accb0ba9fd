#pragma once
#include <string>
#include <string_view>

namespace core {

// Byte strings in the system code page (HTTP fields and bodies, registry values,
// links) and their conversion to and from UTF-16. Characters the code page lacks
// become its replacement character.
using AnsiString = std::string;

AnsiString WideToAnsi(std::wstring_view text);
std::wstring AnsiToWide(std::string_view text);

} // namespace core
