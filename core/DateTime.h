#pragma once
#include <string>
#include <string_view>

namespace core {

// The platform's date-time value: days since 30 December 1899, the fraction being the
// time of day.
using TDateTime = double;

// Process-wide number and date formats, taken from the user's locale on first use.
// The INI file switches the separators to the invariant "." and "," while it reads
// and writes numbers.
struct TFormatSettings {
    wchar_t DecimalSeparator = L'.';
    wchar_t ThousandSeparator = L',';
    wchar_t DateSeparator = L'/';
    wchar_t TimeSeparator = L':';
    std::wstring ShortDateFormat; // Windows picture, for example L"dd.MM.yyyy"
    std::wstring LongTimeFormat;  // Windows picture, for example L"HH:mm:ss"
};
TFormatSettings& FormatSettings();

// Raise EConvertError for a date or time that does not exist; the Try forms return false.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
TDateTime Now();

// Texts in the user's formats (FormatSettings): the short date, the long time, and the
// short date followed by a blank and the long time unless the time is midnight.
std::wstring DateToStr(TDateTime value);
std::wstring TimeToStr(TDateTime value);
std::wstring DateTimeToStr(TDateTime value);

// Parsers of the same formats: numbers in the order of the short date picture separated
// by DateSeparator (a missing year is this year's, a two-digit year lies within 50 years
// of now), and hours, minutes, optional seconds and AM/PM separated by TimeSeparator.
// Text that is not a date or time raises EConvertError.
TDateTime StrToDate(std::wstring_view text);
TDateTime StrToTime(std::wstring_view text);
TDateTime StrToDateTime(std::wstring_view text);

} // namespace core
