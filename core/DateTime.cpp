#include "core/DateTime.h"

#include <algorithm>
#include <cmath>

#include "core/Compare.h"
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

bool TryEncodeDate(int year, int month, int day, TDateTime& date)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    for (int m = 1; m < month; ++m)
        day += DaysInMonth(year, m);
    int y = year - 1;
    date = y * 365 + y / 4 - y / 100 + y / 400 + day - DateDelta;
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        return false;
    time = (((hour * 60.0 + minute) * 60 + second) * 1000 + millisecond) / MillisecondsPerDay;
    return true;
}

TFormatSettings& FormatSettings()
{
    static TFormatSettings settings = FromUserLocale();
    return settings;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date))
        throw EConvertError(L"Invalid argument to date encode");
    return date;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    TDateTime time = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, time))
        throw EConvertError(L"Invalid argument to time encode");
    return time;
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

namespace core {
namespace {

// GetDateFormatW knows no year before 1601. The calendar repeats itself every 400 years
// (weekdays included), so a date is formatted in a year of that range with its own year
// spelled into the picture as quoted text.
std::wstring SpellYear(const std::wstring& picture, int year)
{
    std::wstring spelled;
    for (size_t i = 0; i < picture.size();) {
        size_t end = i + 1;
        if (picture[i] == L'\'') {
            size_t close = picture.find(L'\'', i + 1);
            end = close == std::wstring::npos ? picture.size() : close + 1;
            spelled.append(picture, i, end - i);
        } else if (picture[i] == L'y') {
            end = std::min(picture.find_first_not_of(L'y', i), picture.size());
            size_t length = end - i;
            std::wstring digits = length == 1 ? Format(L"%d", year % 100)
                                  : length == 2 ? Format(L"%.2d", year % 100)
                                                : Format(L"%.4d", year);
            spelled += L"'" + digits + L"'";
        } else {
            spelled += picture[i];
        }
        i = end;
    }
    return spelled;
}

template <typename FormatFunction>
std::wstring FormatWith(FormatFunction function, TDateTime value, const std::wstring& picture)
{
    int year, month, day, hour, minute, second, millisecond;
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, millisecond);
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(year < 1601 ? year + 400 * ((1601 - year + 399) / 400) : year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wDayOfWeek = static_cast<WORD>((static_cast<long long>(std::floor(value)) % 7 + 13) % 7);  // day 0: a Saturday
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    t.wMilliseconds = static_cast<WORD>(millisecond);
    wchar_t buffer[256] = {};
    int length = function(LOCALE_USER_DEFAULT, 0, &t, SpellYear(picture, year).c_str(), buffer, 256);
    return std::wstring(buffer, length > 0 ? length - 1 : 0);
}

// Reads the numbers, separators and AM/PM marks of a date or time text.
class TDateScanner {
public:
    explicit TDateScanner(std::wstring_view text) : text_(text) {}

    // At most four digits, so that a long run of digits cannot overflow.
    bool Number(int& value, int& digits)
    {
        SkipBlanks();
        value = digits = 0;
        while (pos_ < text_.size() && digits < 4 && text_[pos_] >= L'0' && text_[pos_] <= L'9') {
            value = value * 10 + (text_[pos_++] - L'0');
            ++digits;
        }
        return digits > 0;
    }
    bool Char(wchar_t c)
    {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool Word(std::wstring_view word)
    {
        SkipBlanks();
        if (word.empty() || text_.size() - pos_ < word.size() ||
            CompareTextLocale(text_.substr(pos_, word.size()), word) != 0)
            return false;
        pos_ += word.size();
        return true;
    }
    bool AtEnd()
    {
        SkipBlanks();
        return pos_ == text_.size();
    }

private:
    void SkipBlanks()
    {
        while (pos_ < text_.size() && text_[pos_] == L' ')
            ++pos_;
    }

    std::wstring_view text_;
    size_t pos_ = 0;
};

enum class TDateOrder { MDY, DMY, YMD };

TDateOrder DateOrder(const std::wstring& picture)
{
    size_t first = picture.find_first_of(L"dMy");
    if (first == std::wstring::npos || picture[first] == L'M')
        return TDateOrder::MDY;
    return picture[first] == L'd' ? TDateOrder::DMY : TDateOrder::YMD;
}

// A year written with one or two digits lies within 50 years of the current one.
int WidenYear(int year, int digits)
{
    if (digits > 2)
        return year;
    int y, m, d;
    DecodeDate(Now(), y, m, d);
    int pivot = y - 50;
    year += pivot / 100 * 100;
    return year < pivot ? year + 100 : year;
}

bool ScanDate(TDateScanner& scan, TDateTime& date)
{
    const TFormatSettings& settings = FormatSettings();
    int n1, l1, n2, l2, n3, l3;
    if (!scan.Number(n1, l1) || !scan.Char(settings.DateSeparator) || !scan.Number(n2, l2))
        return false;
    TDateOrder order = DateOrder(settings.ShortDateFormat);
    int year, month, day;
    if (scan.Char(settings.DateSeparator)) {
        if (!scan.Number(n3, l3))
            return false;
        if (order == TDateOrder::YMD) {
            year = WidenYear(n1, l1), month = n2, day = n3;
        } else {
            year = WidenYear(n3, l3);
            month = order == TDateOrder::MDY ? n1 : n2;
            day = order == TDateOrder::MDY ? n2 : n1;
        }
    } else {
        int m;
        DecodeDate(Now(), year, m, day);
        month = order == TDateOrder::DMY ? n2 : n1;
        day = order == TDateOrder::DMY ? n1 : n2;
    }
    return TryEncodeDate(year, month, day, date);
}

// -1 without a mark, else the hours the mark adds (0 for AM, 12 for PM).
int ScanDayHalf(TDateScanner& scan)
{
    if (scan.Word(LocaleText(LOCALE_S1159, L"AM")) || scan.Word(L"AM"))
        return 0;
    if (scan.Word(LocaleText(LOCALE_S2359, L"PM")) || scan.Word(L"PM"))
        return 12;
    return -1;
}

bool ScanTime(TDateScanner& scan, TDateTime& time)
{
    const wchar_t separator = FormatSettings().TimeSeparator;
    int half = ScanDayHalf(scan);  // some locales put the mark first
    int hour, minute = 0, second = 0, digits;
    if (!scan.Number(hour, digits))
        return false;
    if (scan.Char(separator)) {
        if (!scan.Number(minute, digits))
            return false;
        if (scan.Char(separator) && !scan.Number(second, digits))
            return false;
    }
    if (half < 0)
        half = ScanDayHalf(scan);
    if (half >= 0) {
        if (hour == 0 || hour > 12)
            return false;
        hour = hour % 12 + half;
    }
    return TryEncodeTime(hour, minute, second, 0, time);
}

bool ScanDateTime(TDateScanner& scan, TDateTime& value)
{
    TDateTime date = 0, time = 0;
    if (!ScanDate(scan, date) || (!scan.AtEnd() && !ScanTime(scan, time)))
        return false;
    value = date + time;
    return true;
}

// The whole text must be one date, time or both.
bool ScanWhole(std::wstring_view text, bool (*scanPart)(TDateScanner&, TDateTime&), TDateTime& value)
{
    TDateScanner scan(text);
    return scanPart(scan, value) && scan.AtEnd();
}

[[noreturn]] void RaiseConvertError(const wchar_t* format, std::wstring_view text)
{
    throw EConvertError(Format(format, text));
}

} // namespace

std::wstring DateToStr(TDateTime value)
{
    return FormatWith(GetDateFormatW, value, FormatSettings().ShortDateFormat);
}

std::wstring TimeToStr(TDateTime value)
{
    return FormatWith(GetTimeFormatW, value, FormatSettings().LongTimeFormat);
}

std::wstring DateTimeToStr(TDateTime value)
{
    int hour, minute, second, millisecond;
    DecodeTime(value, hour, minute, second, millisecond);
    if (hour == 0 && minute == 0 && second == 0)
        return DateToStr(value);
    return DateToStr(value) + L" " + TimeToStr(value);
}

TDateTime StrToDate(std::wstring_view text)
{
    TDateTime date = 0;
    if (!ScanWhole(text, ScanDate, date))
        RaiseConvertError(L"'%s' is not a valid date", text);
    return date;
}

TDateTime StrToTime(std::wstring_view text)
{
    TDateTime time = 0;
    if (!ScanWhole(text, ScanTime, time))
        RaiseConvertError(L"'%s' is not a valid time", text);
    return time;
}

// A date, a date followed by a time, or a time alone.
TDateTime StrToDateTime(std::wstring_view text)
{
    TDateTime value = 0;
    if (!ScanWhole(text, ScanDateTime, value) && !ScanWhole(text, ScanTime, value))
        RaiseConvertError(L"'%s' is not a valid date and time", text);
    return value;
}

} // namespace core
