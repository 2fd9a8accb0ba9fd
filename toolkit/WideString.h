#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace toolkit {

// An owned, terminated UTF-16 text buffer of fixed capacity (the controls' caption
// buffers). An empty object means "no buffer", which is not the same as a buffer that
// holds an empty text.
class TWideBuffer {
public:
    TWideBuffer() = default;
    // Room for capacity UTF-16 units, all zero.
    explicit TWideBuffer(size_t capacity);
    TWideBuffer(TWideBuffer&& other) noexcept;
    TWideBuffer& operator=(TWideBuffer&& other) noexcept;

    wchar_t* Get() const { return units_.get(); }
    size_t Capacity() const { return capacity_; }
    explicit operator bool() const { return units_ != nullptr; }

private:
    std::unique_ptr<wchar_t[]> units_;
    size_t capacity_ = 0;
};

// A buffer with room for n units, the terminator included.
TWideBuffer WideBufAlloc(size_t n);
// The capacity in units; 0 for no buffer.
size_t WideBufSize(const TWideBuffer& buffer);
// No buffer for a null text, else a buffer of exactly the text and its terminator.
TWideBuffer WideBufDup(const wchar_t* text);
void WideBufFree(TWideBuffer& buffer);

// Copies source up to and including its terminator; returns destination.
wchar_t* WideCopy(wchar_t* destination, const wchar_t* source);
// Copies at most n units, stopping at the source's terminator, and terminates the copy:
// destination needs room for n + 1 units.
wchar_t* WideCopyN(wchar_t* destination, const wchar_t* source, size_t n);
// The first occurrence of pattern in text, or null when either is null, the pattern is
// empty or longer than the text, or it does not occur.
const wchar_t* WideFind(const wchar_t* text, const wchar_t* pattern);
// The 1-based index of the first occurrence of pattern in text; 0 when there is none or
// the pattern is empty.
size_t WidePos(std::wstring_view pattern, std::wstring_view text);

// Flag of WideReplace: replace every occurrence, not only the first.
inline constexpr unsigned rfReplaceAll = 1;

// Replaces occurrences of oldPattern left to right without overlap; replaced text is
// never searched again, so doubling every backslash doubles each exactly once.
std::wstring WideReplace(std::wstring_view source, std::wstring_view oldPattern, std::wstring_view newPattern,
                         unsigned flags);

// The UTF-16 text of a string-table entry of the program, or an empty string.
std::wstring LoadWideString(int id);

} // namespace toolkit
