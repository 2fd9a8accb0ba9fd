#include <gtest/gtest.h>

#include <string>

#include "core/Format.h"
#include "toolkit/ToolkitStartup.h"
#include "toolkit/WideString.h"

using namespace toolkit;

TEST(WideBuffer, CapacityZeroFillAndNullVersusEmpty)
{
    TWideBuffer five = WideBufAlloc(5);
    ASSERT_TRUE(five);
    EXPECT_EQ(WideBufSize(five), 5u);
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(five.Get()[i], L'\0');

    EXPECT_FALSE(WideBufDup(nullptr));
    TWideBuffer empty = WideBufDup(L"");
    ASSERT_TRUE(empty);
    EXPECT_EQ(WideBufSize(empty), 1u);
    TWideBuffer text = WideBufDup(L"Gündem");
    EXPECT_EQ(WideBufSize(text), 7u);
    EXPECT_STREQ(text.Get(), L"Gündem");

    TWideBuffer moved = std::move(text);
    EXPECT_FALSE(text);
    EXPECT_EQ(WideBufSize(text), 0u);
    WideBufFree(moved);
    EXPECT_FALSE(moved);
}

TEST(WideCopy, CopiesUpToTheTerminatorOrTheLimit)
{
    struct Case {
        const wchar_t* source;
        size_t limit;
        const wchar_t* expected;
    } cases[] = {
        {L"abcdef", 3, L"abc"},
        {L"ab", 5, L"ab"},
        {L"abc", 0, L""},
        {L"", 4, L""},
    };
    for (const auto& c : cases) {
        wchar_t destination[8];
        std::fill(std::begin(destination), std::end(destination), L'#');
        EXPECT_EQ(WideCopyN(destination, c.source, c.limit), destination);
        EXPECT_STREQ(destination, c.expected) << c.source << " limit " << c.limit;
        // Nothing is written beyond the terminator.
        EXPECT_EQ(destination[wcslen(c.expected) + 1], L'#');
    }
    wchar_t whole[8];
    EXPECT_EQ(WideCopy(whole, L"haber"), whole);
    EXPECT_STREQ(whole, L"haber");
}

TEST(WideFind, FirstOccurrenceOrNull)
{
    const wchar_t* text = L"abcabc";
    struct Case {
        const wchar_t* text;
        const wchar_t* pattern;
        const wchar_t* expected;
    } cases[] = {
        {text, L"ca", text + 2},  {text, L"abc", text},     {text, L"x", nullptr},    {text, L"", nullptr},
        {text, nullptr, nullptr}, {nullptr, L"a", nullptr}, {L"ab", L"abc", nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WideFind(c.text, c.pattern), c.expected) << (c.pattern ? c.pattern : L"(null)");
}

TEST(WidePos, OneBasedIndexOrZero)
{
    struct Case {
        const wchar_t* pattern;
        const wchar_t* text;
        size_t expected;
    } cases[] = {
        {L"b", L"abc", 2}, {L"abc", L"abc", 1}, {L"x", L"abc", 0},
        {L"", L"abc", 0},  {L"c", L"", 0},      {L"=", L"ad=soyad=x", 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WidePos(c.pattern, c.text), c.expected) << c.pattern << " in " << c.text;
}

TEST(WideReplace, LeftToRightWithoutOverlapOrRescanning)
{
    struct Case {
        const wchar_t* source;
        const wchar_t* oldPattern;
        const wchar_t* newPattern;
        unsigned flags;
        const wchar_t* expected;
    } cases[] = {
        {L"a\\b", L"\\", L"\\\\", rfReplaceAll, L"a\\\\b"},
        {L"\\\\", L"\\", L"\\\\", rfReplaceAll, L"\\\\\\\\"},
        {L"xaxa", L"a", L"b", 0, L"xbxa"},
        {L"xaxa", L"a", L"b", rfReplaceAll, L"xbxb"},
        {L"abc", L"", L"z", rfReplaceAll, L"abc"},
        {L"aaa", L"aa", L"b", rfReplaceAll, L"ba"},
        {L"aaa", L"a", L"aa", rfReplaceAll, L"aaaaaa"},
        {L"satır\r\nsatır", L"\r\n", L"\\n", rfReplaceAll, L"satır\\nsatır"},
        {L"", L"a", L"b", rfReplaceAll, L""},
        {L"abc", L"abc", L"", rfReplaceAll, L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WideReplace(c.source, c.oldPattern, c.newPattern, c.flags), c.expected) << c.source;
}

TEST(LoadWideString, MissingEntryGivesAnEmptyText)
{
    // The test executable has no string table.
    EXPECT_EQ(LoadWideString(100), L"");
}

TEST(ToolkitStartup, BindingAtomIsNamedAfterTheProcess)
{
    ASSERT_NE(BindingAtom(), 0);
    wchar_t name[64] = {};
    ASSERT_GT(GlobalGetAtomNameW(BindingAtom(), name, 64), 0u);
    EXPECT_EQ(std::wstring(name), core::Format(L"Widget%.8X", GetCurrentProcessId()));
    EXPECT_EQ(wcslen(name), 14u);
}
