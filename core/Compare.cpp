#include "core/Compare.h"

#include "core/Win32.h"

namespace core {

int CompareTextLocale(std::wstring_view a, std::wstring_view b, bool caseSensitive)
{
    int result = CompareStringW(LOCALE_USER_DEFAULT, caseSensitive ? 0 : NORM_IGNORECASE, a.data(),
                                static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()));
    if (result == 0)  // an invalid locale: fall back to the ordinal order
        return a < b ? -1 : a == b ? 0 : 1;
    return result - CSTR_EQUAL;  // CSTR_LESS_THAN 1, CSTR_EQUAL 2, CSTR_GREATER_THAN 3
}

} // namespace core
