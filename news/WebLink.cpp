#include "news/WebLink.h"

#include <algorithm>
#include <array>

#include "core/Win32.h"

namespace news {

namespace {

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix)
{
    return text.size() >= prefix.size() &&
           CompareStringOrdinal(text.data(), static_cast<int>(prefix.size()), prefix.data(),
                                static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

// C0 and C1 controls and DEL: a shell or browser may read them as separators.
bool IsControl(wchar_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

} // namespace

bool IsWebLink(std::wstring_view link)
{
    constexpr std::array<std::wstring_view, 2> schemes{L"http://", L"https://"};
    auto scheme = std::find_if(schemes.begin(), schemes.end(),
                               [&](std::wstring_view prefix) { return StartsWithNoCase(link, prefix); });
    if (scheme == schemes.end())
        return false;
    std::wstring_view rest = link.substr(scheme->size());
    if (rest.empty() || rest.front() == L'/' || rest.front() == L'\\')
        return false;
    return std::none_of(link.begin(), link.end(), IsControl);
}

} // namespace news
