#include "core/Exceptions.h"

#include "core/Win32.h"

namespace core {

std::string ToUtf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

Exception::Exception(std::wstring message) : message_(std::move(message)), utf8_(ToUtf8(message_)) {}

std::wstring SysErrorMessage(uint32_t errorCode)
{
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                  nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return text;
}

namespace {
std::wstring OSErrorText(uint32_t errorCode)
{
    if (errorCode == 0)
        return L"A call to an OS function failed";
    return Format(L"System Error.  Code: %d.\r\n%s", errorCode, SysErrorMessage(errorCode));
}
} // namespace

EOSError::EOSError(uint32_t errorCode) : Exception(OSErrorText(errorCode)), errorCode_(errorCode) {}

void RaiseOSError(uint32_t errorCode)
{
    throw EOSError(errorCode);
}

void RaiseLastOSError()
{
    RaiseOSError(GetLastError());
}

} // namespace core
