#include "core/CodePage.h"

#include "core/Win32.h"

namespace core {

AnsiString WideToAnsi(std::wstring_view text)
{
    if (text.empty())
        return {};
    int length = static_cast<int>(text.size());
    // Without this flag Windows maps a missing letter to a look-alike ("Ş" to "S" under
    // code page 1252), so a path under C:\Users\Şule would silently name another folder;
    // the replacement character makes the failure visible instead.
    constexpr DWORD flags = WC_NO_BEST_FIT_CHARS;
    int size = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    AnsiString result(size, '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), length, result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring AnsiToWide(std::string_view text)
{
    if (text.empty())
        return {};
    int length = static_cast<int>(text.size());
    int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring result(size, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, result.data(), size);
    return result;
}

} // namespace core
