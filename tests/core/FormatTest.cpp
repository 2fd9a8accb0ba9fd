#include <gtest/gtest.h>

#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/Win32.h"

using core::Format;

TEST(Format, ConversionsAsThePlatformPrintsThem)
{
    struct Case {
        std::wstring actual;
        std::wstring expected;
    } cases[] = {
        {Format(L"List index out of bounds (%d)", -1), L"List index out of bounds (-1)"},
        {Format(L"Parent Required %s", L"Widget_0"), L"Parent Required Widget_0"},
        {Format(L"0x%.8X", 255), L"0x000000FF"},
        {Format(L"%x", -1), L"ffffffff"},
        {Format(L"%u", 4294967295u), L"4294967295"},
        {Format(L"%5d|%-3s|", 42, L"a"), L"   42|a  |"},
        {Format(L"100%% %s", L"şğü"), L"100% şğü"},
        {Format(L"Widget%.8X", 0x1A2B), L"Widget00001A2B"},
        {Format(L"%d", INT32_MIN), L"-2147483648"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected);
}

TEST(Format, MissingArgumentIsAProgrammingError)
{
    EXPECT_THROW(Format(L"%d and %d", 1), std::invalid_argument);
    EXPECT_THROW(Format(L"%d", L"text"), std::invalid_argument);
}

TEST(OSError, MessageCarriesCodeAndSystemText)
{
    core::EOSError error(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(error.ErrorCode(), 2u);
    EXPECT_EQ(error.Message(), L"System Error.  Code: 2.\r\n" + core::SysErrorMessage(2));
    EXPECT_FALSE(core::SysErrorMessage(2).empty());
    EXPECT_EQ(core::EOSError(0).Message(), L"A call to an OS function failed");
}
