#pragma once
#include <string>

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

// Raise EConvertError for a date or time that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
TDateTime Now();

} // namespace core
