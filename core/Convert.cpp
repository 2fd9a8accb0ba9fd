#include "core/Convert.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/DateTime.h"
#include "core/Exceptions.h"

namespace core {
namespace {

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

size_t HexPrefixLength(std::wstring_view text)
{
    if (text.starts_with(L'$') || text.starts_with(L'x') || text.starts_with(L'X'))
        return 1;
    if (text.size() > 1 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X'))
        return 2;
    return 0;
}

bool ParseHex(std::wstring_view digits, uint32_t& pattern)
{
    if (digits.empty() || digits.size() > 8)
        return false;
    pattern = 0;
    for (wchar_t c : digits) {
        int digit = HexDigit(c);
        if (digit < 0)
            return false;
        pattern = pattern << 4 | static_cast<uint32_t>(digit);
    }
    return true;
}

// Magnitudes up to 2^31 (the size of INT32_MIN); longer runs stop early.
bool ParseDecimal(std::wstring_view digits, uint64_t& magnitude)
{
    if (digits.empty())
        return false;
    magnitude = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9')
            return false;
        magnitude = magnitude * 10 + static_cast<unsigned>(c - L'0');
        if (magnitude > 2147483648u)
            return false;
    }
    return true;
}

} // namespace

bool TryStrToInt(std::wstring_view text, int32_t& value)
{
    text.remove_prefix(std::min(text.find_first_not_of(L' '), text.size()));
    bool negative = text.starts_with(L'-');
    if (negative || text.starts_with(L'+'))
        text.remove_prefix(1);
    if (size_t prefix = HexPrefixLength(text)) {
        uint32_t pattern = 0;
        if (!ParseHex(text.substr(prefix), pattern))
            return false;
        value = static_cast<int32_t>(negative ? 0u - pattern : pattern);
        return true;
    }
    uint64_t magnitude = 0;
    if (!ParseDecimal(text, magnitude) || magnitude > (negative ? 2147483648u : 2147483647u))
        return false;
    value = static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude));
    return true;
}

std::wstring FloatToStr(double value)
{
    if (std::isnan(value))
        return L"NAN";
    if (std::isinf(value))
        return value < 0 ? L"-INF" : L"INF";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::general, 15);
    std::string_view plain(buffer, result.ptr - buffer);
    size_t e = std::min(plain.find('e'), plain.size());
    std::wstring text;
    for (char c : plain.substr(0, e))
        text += c == '.' ? FormatSettings().DecimalSeparator : static_cast<wchar_t>(c);
    if (e < plain.size()) {
        // The platform writes the exponent with a sign only when negative and without
        // leading zeros: "1e+20" is "1E20", "1.5e-07" is "1.5E-7".
        std::string_view exponent = plain.substr(e + 1);
        text += exponent.starts_with('-') ? L"E-" : L"E";
        exponent.remove_prefix(1);
        exponent.remove_prefix(std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        text.append(exponent.begin(), exponent.end());
    }
    return text;
}

double StrToFloat(std::wstring_view text)
{
    // Rewritten into the C form that from_chars reads; only the characters of a number pass.
    std::string plain;
    size_t begin = std::min(text.find_first_not_of(L' '), text.size());
    size_t end = text.find_last_not_of(L' ') + 1;
    bool valid = begin < end;
    for (size_t i = begin; valid && i < end; ++i) {
        wchar_t c = text[i];
        if (c == FormatSettings().DecimalSeparator)
            plain += '.';
        else if ((c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c == L'e' || c == L'E')
            plain += static_cast<char>(c);
        else
            valid = false;
    }
    // from_chars takes no leading "+" of its own.
    size_t skip = valid && plain.starts_with('+') && plain.size() > 1 && plain[1] != '-' ? 1 : 0;
    double value = 0;
    auto result = std::from_chars(plain.data() + skip, plain.data() + plain.size(), value);
    if (!valid || result.ec != std::errc() || result.ptr != plain.data() + plain.size())
        throw EConvertError(Format(L"'%s' is not a valid floating point value", text));
    return value;
}

} // namespace core
