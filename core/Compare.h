#pragma once
#include <string_view>

namespace core {

// Compares two texts by the user's locale (CompareStringW, LOCALE_USER_DEFAULT),
// ignoring case unless asked not to. Returns -1, 0 or 1.
int CompareTextLocale(std::wstring_view a, std::wstring_view b, bool caseSensitive = false);

} // namespace core
