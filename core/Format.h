#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace core {

// One argument of Format: a signed or unsigned integer or a text.
class TFormatArg {
public:
    template <typename T>
        requires std::is_integral_v<T>
    TFormatArg(T value)
    {
        if constexpr (std::is_signed_v<T>)
            value_ = static_cast<int64_t>(value);
        else
            value_ = static_cast<uint64_t>(value);
    }
    TFormatArg(std::wstring_view text) : value_(std::wstring(text)) {}
    TFormatArg(const std::wstring& text) : value_(text) {}
    TFormatArg(const wchar_t* text) : value_(std::wstring(text ? text : L"")) {}

    const std::variant<int64_t, uint64_t, std::wstring>& Value() const { return value_; }

private:
    std::variant<int64_t, uint64_t, std::wstring> value_;
};

// printf-style formatting of the program's messages: %d, %u, %x, %X and %s with an
// optional width and precision ("%.8X" gives eight digits), and %% for a percent sign.
// Integers are printed at the width of their 32-bit value when they fit in 32 bits,
// so "%x" of -1 is "ffffffff" as the platform's formatter gives it.
std::wstring FormatList(std::wstring_view format, std::initializer_list<TFormatArg> args);

template <typename... Args>
std::wstring Format(std::wstring_view format, const Args&... args)
{
    return FormatList(format, {TFormatArg(args)...});
}

} // namespace core
