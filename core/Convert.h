#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// Integer text as the platform reads it: optional leading blanks and sign, then decimal
// digits within the signed 32-bit range, or a hexadecimal prefix ("$", "x", "0x", either
// case) and one to eight hexadecimal digits taken as a 32-bit pattern ("$FFFFFFFF" is -1).
// Nothing may follow. False, with value untouched, for any other text.
bool TryStrToInt(std::wstring_view text, int32_t& value);

// The shortest general form with up to 15 significant digits and the process's decimal
// separator (FormatSettings): "3.5", "0.1", "1E20", "1.5E-7", "INF", "NAN".
std::wstring FloatToStr(double value);

// Optional blanks and sign, digits with one decimal separator, an optional exponent;
// anything else, or a value beyond the double range, raises EConvertError.
double StrToFloat(std::wstring_view text);

} // namespace core
