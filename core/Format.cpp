#include "core/Format.h"

#include <stdexcept>

namespace core {
namespace {

struct TDirective {
    bool leftAlign = false;
    bool zeroPad = false;
    int width = 0;
    int precision = -1;
    wchar_t conversion = 0;
};

std::wstring Digits(uint64_t value, unsigned base, bool upper)
{
    const wchar_t* digits = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    std::wstring text;
    do {
        text.insert(text.begin(), digits[value % base]);
        value /= base;
    } while (value != 0);
    return text;
}

// Hexadecimal of a negative 32-bit value shows its 32-bit pattern.
uint64_t AsUnsigned(const TFormatArg& arg)
{
    if (const auto* s = std::get_if<int64_t>(&arg.Value())) {
        if (*s < 0 && *s >= INT32_MIN)
            return static_cast<uint32_t>(*s);
        return static_cast<uint64_t>(*s);
    }
    if (const auto* u = std::get_if<uint64_t>(&arg.Value()))
        return *u;
    throw std::invalid_argument("format: an integer was expected");
}

std::wstring Convert(const TDirective& directive, const TFormatArg& arg)
{
    switch (directive.conversion) {
    case L's': {
        const auto* text = std::get_if<std::wstring>(&arg.Value());
        if (!text)
            throw std::invalid_argument("format: a text was expected");
        if (directive.precision >= 0 && static_cast<size_t>(directive.precision) < text->size())
            return text->substr(0, directive.precision);
        return *text;
    }
    case L'd': {
        std::wstring digits;
        bool negative = false;
        if (const auto* s = std::get_if<int64_t>(&arg.Value())) {
            negative = *s < 0;
            digits = Digits(negative ? 0 - static_cast<uint64_t>(*s) : static_cast<uint64_t>(*s), 10, false);
        } else {
            digits = Digits(AsUnsigned(arg), 10, false);
        }
        if (directive.precision > 0 && digits.size() < static_cast<size_t>(directive.precision))
            digits.insert(0, directive.precision - digits.size(), L'0');
        return negative ? L"-" + digits : digits;
    }
    case L'u':
    case L'x':
    case L'X': {
        unsigned base = directive.conversion == L'u' ? 10 : 16;
        std::wstring digits = Digits(AsUnsigned(arg), base, directive.conversion == L'X');
        if (directive.precision > 0 && digits.size() < static_cast<size_t>(directive.precision))
            digits.insert(0, directive.precision - digits.size(), L'0');
        return digits;
    }
    default:
        throw std::invalid_argument("format: unknown conversion");
    }
}

int ReadNumber(std::wstring_view format, size_t& i)
{
    int value = 0;
    while (i < format.size() && format[i] >= L'0' && format[i] <= L'9')
        value = value * 10 + (format[i++] - L'0');
    return value;
}

} // namespace

std::wstring FormatList(std::wstring_view format, std::initializer_list<TFormatArg> args)
{
    std::wstring result;
    auto next = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != L'%') {
            result += format[i];
            continue;
        }
        if (++i < format.size() && format[i] == L'%') {
            result += L'%';
            continue;
        }
        TDirective directive;
        for (; i < format.size() && (format[i] == L'-' || format[i] == L'0'); ++i)
            (format[i] == L'-' ? directive.leftAlign : directive.zeroPad) = true;
        directive.width = ReadNumber(format, i);
        if (i < format.size() && format[i] == L'.')
            directive.precision = ReadNumber(format, ++i);
        if (i >= format.size() || next == args.end())
            throw std::invalid_argument("format: missing conversion or argument");
        directive.conversion = format[i];
        std::wstring text = Convert(directive, *next++);
        if (static_cast<int>(text.size()) < directive.width) {
            size_t pad = directive.width - text.size();
            if (directive.leftAlign)
                text.append(pad, L' ');
            else
                text.insert(0, pad, directive.zeroPad && directive.conversion != L's' ? L'0' : L' ');
        }
        result += text;
    }
    return result;
}

} // namespace core
