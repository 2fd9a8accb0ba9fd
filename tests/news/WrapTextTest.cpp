// Wrapping of headlines (50 columns) and summaries (60 columns) into CR LF lines.
#include <gtest/gtest.h>

#include <string>

#include "core/Exceptions.h"
#include "news/WrapText.h"

using news::WrapText;

namespace {

constexpr std::wstring_view BreakChars = L"\t -.";

std::wstring Repeat(std::wstring_view part, int times)
{
    std::wstring result;
    for (int i = 0; i < times; ++i)
        result += part;
    return result;
}

struct TWrapCase {
    const char* what;
    std::wstring line;
    int maxCol;
    std::wstring expected;
};

} // namespace

TEST(WrapText, BreaksAsTheDisplayExpects)
{
    const std::wstring seventy = Repeat(L"abcdefghij", 7);
    const std::wstring quoted = L"|" + Repeat(L"abcd ", 12) + L"|";
    const TWrapCase cases[] = {
        {"100 bytes of four-letter words: two lines of exactly 50, no break at the end", Repeat(L"word ", 20), 50,
         Repeat(L"word ", 10) + L"\r\n" + Repeat(L"word ", 10)},
        {"a word longer than the limit is never split", seventy + L" bir iki üç", 50, seventy + L" \r\nbir iki üç"},
        {"line breaks already there are kept, not doubled", L"Birinci satır\r\nİkinci satır", 50,
         L"Birinci satır\r\nİkinci satır"},
        {"text between bars is never broken", L"abcde " + quoted + L" sonra gelen kelimeler", 50,
         L"abcde \r\n" + quoted + L" \r\nsonra gelen kelimeler"},
        {"short text comes back unchanged", L"Kısa başlık", 50, L"Kısa başlık"},
        {"empty text stays empty", L"", 50, L""},
        {"hyphen and full stop are break characters and end their line", Repeat(L"abc-", 15) + Repeat(L"xy.", 5), 50,
         Repeat(L"abc-", 12) + L"\r\n" + Repeat(L"abc-", 3) + Repeat(L"xy.", 5)},
        {"trailing break characters get no break string", Repeat(L"word ", 10) + L"     ", 50,
         Repeat(L"word ", 10) + L"     "},
        {"Turkish letters count one column each, whatever the code page", Repeat(L"ığüş ", 20), 50,
         Repeat(L"ığüş ", 10) + L"\r\n" + Repeat(L"ığüş ", 10)},
        {"a summary wraps at 60", Repeat(L"kelime ", 12), 60, Repeat(L"kelime ", 8) + L"\r\n" + Repeat(L"kelime ", 4)},
    };
    for (const TWrapCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(core::ToUtf8(WrapText(c.line, L"\r\n", BreakChars, c.maxCol)), core::ToUtf8(c.expected));
    }
}

// Every line but the last stays within the limit when the words are short.
TEST(WrapText, NoLineRunsPastTheLimitWithShortWords)
{
    std::wstring text;
    for (int i = 0; i < 300; ++i)
        text += std::wstring(static_cast<size_t>(1 + i % 9), L'ş') + (i % 4 == 0 ? L"-" : L" ");
    std::wstring wrapped = WrapText(text, L"\r\n", BreakChars, 50);
    size_t start = 0, lines = 0;
    for (size_t end; (end = wrapped.find(L"\r\n", start)) != std::wstring::npos; start = end + 2, ++lines)
        EXPECT_LE(end - start, 50u) << "line " << lines;
    EXPECT_GT(lines, 10u);
    std::wstring joined = wrapped;
    for (size_t at; (at = joined.find(L"\r\n")) != std::wstring::npos;)
        joined.erase(at, 2);
    EXPECT_EQ(joined, text) << "wrapping only inserts line breaks";
}

// A character outside the Basic Multilingual Plane (an emoji in a headline) takes one
// column, as its replacement character does in a single-byte code page, and its two
// halves are never parted.
TEST(WrapText, SurrogatePairsTakeOneColumnAndStayWhole)
{
    const std::wstring emoji = L"\U0001F4F0";
    std::wstring word = Repeat(emoji, 4) + L" ";
    std::wstring wrapped = WrapText(Repeat(word, 20), L"\r\n", BreakChars, 50);
    EXPECT_EQ(wrapped, Repeat(word, 10) + L"\r\n" + Repeat(word, 10));
}
