#include "toolkit/WideString.h"

#include <cwchar>
#include <utility>

#include "core/Win32.h"

namespace toolkit {

TWideBuffer::TWideBuffer(size_t capacity) : units_(std::make_unique<wchar_t[]>(capacity)), capacity_(capacity) {}

TWideBuffer::TWideBuffer(TWideBuffer&& other) noexcept
    : units_(std::move(other.units_)), capacity_(std::exchange(other.capacity_, 0))
{
}

TWideBuffer& TWideBuffer::operator=(TWideBuffer&& other) noexcept
{
    if (this != &other) {
        units_ = std::move(other.units_);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

TWideBuffer WideBufAlloc(size_t n)
{
    return TWideBuffer(n);
}

size_t WideBufSize(const TWideBuffer& buffer)
{
    return buffer.Capacity();
}

TWideBuffer WideBufDup(const wchar_t* text)
{
    if (!text)
        return {};
    TWideBuffer buffer(std::wcslen(text) + 1);
    WideCopy(buffer.Get(), text);
    return buffer;
}

void WideBufFree(TWideBuffer& buffer)
{
    buffer = TWideBuffer();
}

wchar_t* WideCopy(wchar_t* destination, const wchar_t* source)
{
    return std::wcscpy(destination, source);
}

wchar_t* WideCopyN(wchar_t* destination, const wchar_t* source, size_t n)
{
    size_t i = 0;
    for (; i < n && source[i] != L'\0'; ++i)
        destination[i] = source[i];
    destination[i] = L'\0';
    return destination;
}

const wchar_t* WideFind(const wchar_t* text, const wchar_t* pattern)
{
    if (!text || !pattern || *pattern == L'\0')
        return nullptr;
    return std::wcsstr(text, pattern);
}

size_t WidePos(std::wstring_view pattern, std::wstring_view text)
{
    if (pattern.empty())
        return 0;
    size_t index = text.find(pattern);
    return index == std::wstring_view::npos ? 0 : index + 1;
}

std::wstring WideReplace(std::wstring_view source, std::wstring_view oldPattern, std::wstring_view newPattern,
                         unsigned flags)
{
    std::wstring result;
    std::wstring_view rest = source;
    while (!rest.empty()) {
        size_t p = WidePos(oldPattern, rest);
        if (p == 0)
            break;
        result.append(rest.substr(0, p - 1));
        result.append(newPattern);
        rest.remove_prefix(p - 1 + oldPattern.size());
        if ((flags & rfReplaceAll) == 0)
            break;
    }
    result.append(rest);
    return result;
}

std::wstring LoadWideString(int id)
{
    // The executable is the program's only resource module; LoadStringW copies at most
    // 1023 units into the 1024-unit buffer.
    wchar_t buffer[1024] = {};
    int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), buffer, 1024);
    return std::wstring(buffer, length > 0 ? length : 0);
}

} // namespace toolkit
