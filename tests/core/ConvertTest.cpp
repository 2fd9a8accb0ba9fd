#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/Convert.h"
#include "core/DateTime.h"
#include "core/Exceptions.h"
#include "core/Win32.h"

namespace {

// Sets the process-wide formats for one test and puts the user's back afterwards.
class FormatSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = core::FormatSettings(); }
    void TearDown() override { core::FormatSettings() = saved_; }
    static void Use(wchar_t decimal, const wchar_t* shortDate, wchar_t dateSeparator, const wchar_t* longTime)
    {
        auto& settings = core::FormatSettings();
        settings.DecimalSeparator = decimal;
        settings.ShortDateFormat = shortDate;
        settings.DateSeparator = dateSeparator;
        settings.LongTimeFormat = longTime;
        settings.TimeSeparator = L':';
    }

    core::TFormatSettings saved_;
};

std::wstring LocalePm()
{
    wchar_t text[16] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_S2359, text, 16);
    return text;
}

int CurrentYear()
{
    int y, m, d;
    core::DecodeDate(core::Now(), y, m, d);
    return y;
}

} // namespace

TEST(TryStrToInt, AcceptsDecimalAndHexadecimalWithinThirtyTwoBits)
{
    struct Case {
        const wchar_t* text;
        bool ok;
        int32_t value;
    } cases[] = {
        {L"42", true, 42},
        {L"-5", true, -5},
        {L"+7", true, 7},
        {L"  12", true, 12},
        {L"12 ", false, 0},
        {L"12a", false, 0},
        {L"", false, 0},
        {L"-", false, 0},
        {L"2147483647", true, INT32_MAX},
        {L"-2147483648", true, INT32_MIN},
        {L"2147483648", false, 0},
        {L"-2147483649", false, 0},
        {L"4294967396", false, 0},
        {L"99999999999999999999999", false, 0},
        {L"000000000042", true, 42},
        {L"$1f", true, 31},
        {L"0x1F", true, 31},
        {L"0X1f", true, 31},
        {L"x10", true, 16},
        {L"-$10", true, -16},
        {L"-0x10", true, -16},
        {L"0xFFFFFFFF", true, -1},
        {L"$80000000", true, INT32_MIN},
        {L"0x100000000", false, 0},
        {L"0x", false, 0},
        {L"$", false, 0},
        {L"0xG", false, 0},
        {L"1.5", false, 0},
        {L"\t1", false, 0},
        {L"١٢", false, 0},
    };
    for (const auto& c : cases) {
        int32_t value = 12345;
        EXPECT_EQ(core::TryStrToInt(c.text, value), c.ok) << core::ToUtf8(c.text);
        EXPECT_EQ(value, c.ok ? c.value : 12345) << core::ToUtf8(c.text);
    }
}

TEST_F(FormatSettingsTest, FloatsInTheShortestGeneralForm)
{
    struct Case {
        double value;
        const wchar_t* text;
    } cases[] = {
        {0, L"0"},
        {3.5, L"3.5"},
        {-3.5, L"-3.5"},
        {0.1, L"0.1"},
        {1.0 / 3, L"0.333333333333333"},
        {100, L"100"},
        {123456789012345.0, L"123456789012345"},
        {1e15, L"1E15"},
        {1e20, L"1E20"},
        {0.0001, L"0.0001"},
        {0.00001, L"1E-5"},
        {1.5e-7, L"1.5E-7"},
        {-2.25e-300, L"-2.25E-300"},
        {std::numeric_limits<double>::infinity(), L"INF"},
        {std::nan(""), L"NAN"},
    };
    Use(L'.', L"dd.MM.yyyy", L'.', L"HH:mm:ss");
    for (const auto& c : cases)
        EXPECT_EQ(core::FloatToStr(c.value), c.text) << c.value;
    Use(L',', L"dd.MM.yyyy", L'.', L"HH:mm:ss");
    EXPECT_EQ(core::FloatToStr(-1234.5), L"-1234,5");
}

TEST_F(FormatSettingsTest, FloatTextFollowsTheDecimalSeparator)
{
    struct Case {
        wchar_t decimal;
        const wchar_t* text;
        bool ok;
        double value;
    } cases[] = {
        {L'.', L"3.5", true, 3.5},   {L'.', L" -0.25 ", true, -0.25}, {L'.', L"+2", true, 2},
        {L'.', L"1E20", true, 1e20}, {L'.', L"1.5e-7", true, 1.5e-7}, {L'.', L".5", true, 0.5},
        {L'.', L"3,5", false, 0},    {L',', L"3,5", true, 3.5},       {L',', L"3.5", false, 0},
        {L'.', L"", false, 0},       {L'.', L"abc", false, 0},        {L'.', L"1e", false, 0},
        {L'.', L"1e400", false, 0},  {L'.', L"INF", false, 0},        {L'.', L"+-1", false, 0},
        {L'.', L"1 2", false, 0},    {L'.', L"1.2.3", false, 0},
    };
    for (const auto& c : cases) {
        Use(c.decimal, L"dd.MM.yyyy", L'.', L"HH:mm:ss");
        if (c.ok) {
            EXPECT_EQ(core::StrToFloat(c.text), c.value) << core::ToUtf8(c.text);
        } else {
            try {
                core::StrToFloat(c.text);
                ADD_FAILURE() << "accepted " << core::ToUtf8(c.text);
            } catch (const core::EConvertError& error) {
                EXPECT_EQ(error.Message(), L"'" + std::wstring(c.text) + L"' is not a valid floating point value");
            }
        }
    }
}

TEST_F(FormatSettingsTest, DatesAndTimesFollowThePictures)
{
    core::TDateTime moment = core::EncodeDate(2026, 3, 7) + core::EncodeTime(13, 5, 9, 0);
    struct Case {
        const wchar_t* shortDate;
        wchar_t separator;
        const wchar_t* longTime;
        const wchar_t* date;
        const wchar_t* time;
    } cases[] = {
        {L"dd.MM.yyyy", L'.', L"HH:mm:ss", L"07.03.2026", L"13:05:09"},
        {L"M/d/yyyy", L'/', L"h:mm:ss", L"3/7/2026", L"1:05:09"},
        {L"yyyy-MM-dd", L'-', L"H:mm", L"2026-03-07", L"13:05"},
        {L"d/M/yy", L'/', L"HH:mm:ss", L"7/3/26", L"13:05:09"},
    };
    for (const auto& c : cases) {
        Use(L'.', c.shortDate, c.separator, c.longTime);
        EXPECT_EQ(core::DateToStr(moment), c.date);
        EXPECT_EQ(core::TimeToStr(moment), c.time);
        EXPECT_EQ(core::DateTimeToStr(moment), std::wstring(c.date) + L" " + c.time);
        EXPECT_EQ(core::DateTimeToStr(std::floor(moment)), c.date) << "midnight shows the date alone";
        EXPECT_EQ(core::StrToDate(c.date), std::floor(moment)) << core::ToUtf8(c.date);
    }
    // The day-half mark is the locale's own ("PM", or "ÖS" in Turkish), and reads back.
    Use(L'.', L"M/d/yyyy", L'/', L"h:mm:ss tt");
    EXPECT_EQ(core::TimeToStr(moment), L"1:05:09 " + LocalePm());
    EXPECT_EQ(core::StrToTime(core::TimeToStr(moment)), core::EncodeTime(13, 5, 9, 0));
}

TEST_F(FormatSettingsTest, YearsBeforeSixteenHundredOneAreSpelledOut)
{
    Use(L'.', L"dd.MM.yyyy", L'.', L"HH:mm:ss");
    EXPECT_EQ(core::DateToStr(core::EncodeDate(1, 1, 1)), L"01.01.0001");
    EXPECT_EQ(core::DateToStr(core::EncodeDate(1453, 5, 29)), L"29.05.1453");
    EXPECT_EQ(core::StrToDate(L"29.05.1453"), core::EncodeDate(1453, 5, 29));
    Use(L'.', L"ddd d 'yyyy' yyyy", L'.', L"HH:mm:ss");
    std::wstring text = core::DateToStr(core::EncodeDate(1453, 5, 29));
    EXPECT_NE(text.find(L" 29 yyyy 1453"), std::wstring::npos) << core::ToUtf8(text);
}

TEST_F(FormatSettingsTest, DateAndTimeTextIsParsedOrRejected)
{
    Use(L'.', L"dd.MM.yyyy", L'.', L"HH:mm:ss");
    int year = CurrentYear();
    struct Case {
        const wchar_t* text;
        bool ok;
        core::TDateTime value;
    } dates[] = {
        {L"07.03.2026", true, core::EncodeDate(2026, 3, 7)},
        {L" 7 . 3 . 2026 ", true, core::EncodeDate(2026, 3, 7)},
        {L"7.3", true, core::EncodeDate(year, 3, 7)},
        {L"7.3.05", true, core::EncodeDate(2005, 3, 7)}, // within 50 years of now
        {L"31.02.2026", false, 0},
        {L"07.03.2026x", false, 0},
        {L"07-03-2026", false, 0},
        {L"123456789.3.2026", false, 0},
        {L"", false, 0},
    };
    for (const auto& c : dates) {
        if (c.ok)
            EXPECT_EQ(core::StrToDate(c.text), c.value) << core::ToUtf8(c.text);
        else
            EXPECT_THROW(core::StrToDate(c.text), core::EConvertError) << core::ToUtf8(c.text);
    }
    struct TimeCase {
        const wchar_t* text;
        bool ok;
        int hour, minute, second;
    } times[] = {
        {L"13:05:09", true, 13, 5, 9},    {L"13:05", true, 13, 5, 0},   {L"7", true, 7, 0, 0},
        {L"1:05:09 PM", true, 13, 5, 9},  {L"12:00 am", true, 0, 0, 0}, {L"AM 9:30", true, 9, 30, 0},
        {L"13:05 PM", false, 0, 0, 0},    {L"24:00", false, 0, 0, 0},   {L"13:", false, 0, 0, 0},
        {L"13:05:09:01", false, 0, 0, 0},
    };
    for (const auto& c : times) {
        if (c.ok)
            EXPECT_EQ(core::StrToTime(c.text), core::EncodeTime(c.hour, c.minute, c.second, 0)) << core::ToUtf8(c.text);
        else
            EXPECT_THROW(core::StrToTime(c.text), core::EConvertError) << core::ToUtf8(c.text);
    }
    EXPECT_EQ(core::StrToDateTime(L"07.03.2026 13:05:09"),
              core::EncodeDate(2026, 3, 7) + core::EncodeTime(13, 5, 9, 0));
    EXPECT_EQ(core::StrToDateTime(L"07.03.2026"), core::EncodeDate(2026, 3, 7));
    EXPECT_EQ(core::StrToDateTime(L"13:05"), core::EncodeTime(13, 5, 0, 0));
    try {
        core::StrToDateTime(L"07.03.2026 25:00");
        ADD_FAILURE() << "accepted hour 25";
    } catch (const core::EConvertError& error) {
        EXPECT_EQ(error.Message(), L"'07.03.2026 25:00' is not a valid date and time");
    }
}

// Whatever the user's locale (Turkish "dd.MM.yyyy" / "HH:mm:ss" or US "M/d/yyyy" /
// "h:mm:ss tt"), what is written reads back.
TEST(DateTimeText, RoundTripsInTheUserLocale)
{
    struct Case {
        core::TDateTime date, time;
    } cases[] = {
        {core::EncodeDate(2026, 12, 11), core::EncodeTime(23, 59, 59, 0)},
        {core::EncodeDate(1899, 12, 30), core::EncodeTime(0, 0, 1, 0)},
        {core::EncodeDate(1601, 1, 1), core::EncodeTime(12, 0, 0, 0)},
        {core::EncodeDate(9999, 12, 31), 0},
        {core::EncodeDate(1800, 6, 15), core::EncodeTime(6, 30, 0, 0)},
    };
    for (const auto& c : cases) {
        core::TDateTime value = c.date + c.time;
        EXPECT_EQ(core::StrToDateTime(core::DateTimeToStr(value)), value) << core::ToUtf8(core::DateTimeToStr(value));
        EXPECT_EQ(core::StrToDate(core::DateToStr(value)), c.date);
        EXPECT_EQ(core::StrToTime(core::TimeToStr(value)), c.time);
    }
    EXPECT_EQ(core::StrToFloat(core::FloatToStr(-1234.5)), -1234.5);
}
