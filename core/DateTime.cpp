#include "core/DateTime.h"

#include <cmath>

#include "core/Exceptions.h"
#include "core/Win32.h"

namespace core {
namespace {

// Days from 1 January of year 1 to 30 December 1899.
constexpr int DateDelta = 693594;
constexpr double MillisecondsPerDay = 24.0 * 60 * 60 * 1000;

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

std::wstring LocaleText(LCTYPE type, const wchar_t* fallback)
{
    wchar_t buffer[80] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 80) <= 1)
        return fallback;
    return buffer;
}

TFormatSettings FromUserLocale()
{
    TFormatSettings settings;
    settings.DecimalSeparator = LocaleText(LOCALE_SDECIMAL, L".")[0];
    settings.ThousandSeparator = LocaleText(LOCALE_STHOUSAND, L",")[0];
    settings.DateSeparator = LocaleText(LOCALE_SDATE, L"/")[0];
    settings.TimeSeparator = LocaleText(LOCALE_STIME, L":")[0];
    settings.ShortDateFormat = LocaleText(LOCALE_SSHORTDATE, L"M/d/yyyy");
    settings.LongTimeFormat = LocaleText(LOCALE_STIMEFORMAT, L"HH:mm:ss");
    return settings;
}

} // namespace

TFormatSettings& FormatSettings()
{
    static TFormatSettings settings = FromUserLocale();
    return settings;
}

TDateTime EncodeDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        throw EConvertError(L"Invalid argument to date encode");
    for (int m = 1; m < month; ++m)
        day += DaysInMonth(year, m);
    int y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400 + day - DateDelta;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        throw EConvertError(L"Invalid argument to time encode");
    return (((hour * 60.0 + minute) * 60 + second) * 1000 + millisecond) / MillisecondsPerDay;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    int days = static_cast<int>(std::floor(value)) + DateDelta;  // days since 1 January of year 1, 1-based below
    int y = 1;
    // 146097 days per 400 years, 36524 per century, 1461 per 4 years.
    int d = days - 1;
    y += 400 * (d / 146097);
    d %= 146097;
    int centuries = std::min(d / 36524, 3);
    y += 100 * centuries;
    d -= centuries * 36524;
    y += 4 * (d / 1461);
    d %= 1461;
    int years = std::min(d / 365, 3);
    y += years;
    d -= years * 365;
    month = 1;
    while (d >= DaysInMonth(y, month))
        d -= DaysInMonth(y, month++);
    year = y;
    day = d + 1;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond)
{
    double fraction = std::fabs(value - std::floor(value));
    auto ms = static_cast<long long>(std::llround(fraction * MillisecondsPerDay)) % static_cast<long long>(MillisecondsPerDay);
    millisecond = static_cast<int>(ms % 1000);
    second = static_cast<int>(ms / 1000 % 60);
    minute = static_cast<int>(ms / 60000 % 60);
    hour = static_cast<int>(ms / 3600000);
}

TDateTime Now()
{
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return EncodeDate(t.wYear, t.wMonth, t.wDay) + EncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

} // namespace core
