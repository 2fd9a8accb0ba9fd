#include <gtest/gtest.h>

#include "core/CodePage.h"
#include "core/Compare.h"
#include "core/DateTime.h"
#include "core/Exceptions.h"
#include "core/Random.h"
#include "core/Win32.h"

// These run under code page 1254 (Turkish) and 1252 (US English).
TEST(CodePage, ConvertsExactlyWhatTheSystemCodePageHolds)
{
    // Letters a code page lacks become its replacement character "?", never a
    // look-alike letter (best fit would give "S" for "Ş" and "A" for "Ā").
    struct Case {
        const wchar_t* text;
        const char* cp1252;
        const char* cp1254;
    } cases[] = {
        {L"ğĞşŞıİ", "??????", "\xF0\xD0\xFE\xDE\xFD\xDD"},
        {L"çÇöÖüÜ", "\xE7\xC7\xF6\xD6\xFC\xDC", "\xE7\xC7\xF6\xD6\xFC\xDC"},
        {L"C:\\Users\\Şule\\AppData", "C:\\Users\\?ule\\AppData", "C:\\Users\\\xDEule\\AppData"},
        {L"\u0100", "?", "?"},
        {L"", "", ""},
    };
    UINT codePage = GetACP();
    ASSERT_TRUE(codePage == 1252 || codePage == 1254) << codePage;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        core::AnsiString expected = codePage == 1252 ? c.cp1252 : c.cp1254;
        EXPECT_EQ(core::WideToAnsi(c.text), expected);
        if (expected.find('?') == core::AnsiString::npos) {
            EXPECT_EQ(core::AnsiToWide(expected), c.text);
        }
    }
}

TEST(Compare, LocaleComparisonIgnoresCaseUnlessAsked)
{
    EXPECT_EQ(core::CompareTextLocale(L"ABC", L"abc"), 0);
    EXPECT_NE(core::CompareTextLocale(L"ABC", L"abc", true), 0);
    EXPECT_EQ(core::CompareTextLocale(L"a", L"b"), -1);
    EXPECT_EQ(core::CompareTextLocale(L"b", L"a"), 1);
    EXPECT_EQ(core::CompareTextLocale(L"options", L"OPTIONS"), 0);
}

TEST(DateTime, EncodesAndDecodesCalendarDates)
{
    struct Case {
        int year, month, day;
        double serial;
    } cases[] = {
        {1899, 12, 30, 0},  {1900, 1, 1, 2},         {2000, 2, 29, 36585},  {2026, 12, 11, 46367},
        {1, 1, 1, -693593}, {9999, 12, 31, 2958465}, {1600, 3, 1, -109511},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::EncodeDate(c.year, c.month, c.day), c.serial) << c.year << "-" << c.month << "-" << c.day;
        int y = 0, m = 0, d = 0;
        core::DecodeDate(c.serial, y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, c.year * 10000 + c.month * 100 + c.day) << c.serial;
    }
    EXPECT_THROW(core::EncodeDate(2023, 2, 29), core::EConvertError);
    EXPECT_THROW(core::EncodeTime(24, 0, 0, 0), core::EConvertError);
    int h, mi, s, ms;
    core::DecodeTime(core::EncodeDate(2020, 1, 1) + core::EncodeTime(13, 45, 30, 250), h, mi, s, ms);
    EXPECT_EQ(h * 10000000 + mi * 100000 + s * 1000 + ms, 134530250);
}

TEST(DateTime, FormatSettingsComeFromTheUserLocale)
{
    const auto& settings = core::FormatSettings();
    EXPECT_EQ(settings.DecimalSeparator, GetACP() == 1254 ? L',' : L'.');
    EXPECT_FALSE(settings.ShortDateFormat.empty());
}

TEST(Random, StaysInRange)
{
    core::Randomize();
    for (int i = 0; i < 1000; ++i) {
        int32_t value = core::RandomInt(2147483647);
        EXPECT_GE(value, 0);
        EXPECT_LT(value, 2147483647);
    }
    EXPECT_EQ(core::RandomInt(0), 0);
}
