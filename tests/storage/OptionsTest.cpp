#include <gtest/gtest.h>

#include "core/Exceptions.h"
#include "core/Win32.h"
#include "storage/Options.h"
#include "tests/storage/StorageTestSupport.h"

using storage::TOptions;
using storage_test::Utf16;

namespace {

// Each test may set the work area; the old one is put back afterwards.
class OptionsTest : public storage_test::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &savedArea_, 0));
    }
    void TearDown() override
    {
        SystemParametersInfoW(SPI_SETWORKAREA, 0, &savedArea_, 0);
        TempFolderTest::TearDown();
    }
    static void SetWorkArea(RECT area) { ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, 0)); }
    std::wstring IniPath() const { return PathOf(L"options.ini"); }
    TOptions LoadText(const std::wstring& text)
    {
        storage_test::WriteBytes(IniPath(), Utf16(text));
        return TOptions(IniPath());
    }

    RECT savedArea_{};
};

} // namespace

// Only the size of the work area counts, as if it began at (0, 0).
TEST_F(OptionsTest, DefaultsCentreTheWindowInTheWorkArea)
{
    struct Case {
        RECT area;
        int32_t left, top;
    } cases[] = {
        {{0, 0, 1024, 738}, 274, 194},
        {{100, 50, 1124, 788}, 274, 194},
        {{0, 0, 400, 300}, -37, -25},
        {{0, 0, 1280, 994}, 402, 322},
    };
    for (const auto& c : cases) {
        SetWorkArea(c.area);
        TOptions options(IniPath());
        EXPECT_EQ(options.DefaultLeft(), c.left);
        EXPECT_EQ(options.DefaultTop(), c.top);
        EXPECT_EQ(options.WindowLeft(), c.left);
        EXPECT_EQ(options.WindowTop(), c.top);
        EXPECT_TRUE(options.StayOnTop());
        EXPECT_TRUE(options.AutoScale());
        EXPECT_TRUE(options.ShowTray());
        EXPECT_TRUE(options.StartUp());
    }
}

TEST_F(OptionsTest, FreshFileHasTheFixedLayout)
{
    SetWorkArea({0, 0, 1024, 738});
    TOptions options(IniPath());
    options.SetWindowLeft(options.WindowLeft());
    options.SetWindowTop(options.WindowTop());
    options.SetStartUp(true);
    options.SetStayOnTop(false);
    options.SetShowTray(true);
    options.SetAutoScale(false);
    options.Flush();
    EXPECT_EQ(storage_test::ReadBytes(IniPath()), Utf16(L"[general]\r\nleft=274\r\ntop=194\r\n\r\n"
                                                        L"[options]\r\nstartup=1\r\nalwaystop=0\r\nshowtray=1\r\n"
                                                        L"autoscale=0\r\n\r\n"));
}

TEST_F(OptionsTest, ReadsSwitchesAsIntegers)
{
    struct Case {
        const wchar_t* line;
        bool stayOnTop;
    } cases[] = {
        {L"alwaystop=0", false},  {L"alwaystop=2", true},     {L"alwaystop=-1", true}, {L"alwaystop=0x10", true},
        {L"alwaystop=yes", true}, {L"alwaystop=", true},      {L"AlwaysTop=0", false}, {L"alwaystop = 0x0 ", false},
        {L"alwaystop=$0", false}, {L"alwaystop=false", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadText(std::wstring(L"[OPTIONS]\r\n") + c.line).StayOnTop(), c.stayOnTop) << core::ToUtf8(c.line);
}

TEST_F(OptionsTest, ReadsPositionsOrFallsBackToTheDefault)
{
    SetWorkArea({0, 0, 1024, 738});
    struct Case {
        const wchar_t* line;
        int32_t left;
    } cases[] = {
        {L"left=0x64", 100},
        {L"left= 100 ", 100},
        {L"left=-20", -20},
        {L"left=99999", 99999},
        {L"left=2147483648", 274},
        {L"left=-2147483649", 274},
        {L"left=4294967396", 274},
        {L"left=0x1FFFFFFFF", 274},
        {L"left=1e3", 274},
        {L"left=100px", 274},
        {L"LEFT=7", 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadText(std::wstring(L"[general]\r\n") + c.line).WindowLeft(), c.left) << core::ToUtf8(c.line);
}

TEST_F(OptionsTest, WritesStayInMemoryUntilFlush)
{
    TOptions options = LoadText(L"[general]\r\nleft=5\r\n");
    const std::string before = storage_test::ReadBytes(IniPath());
    options.SetWindowLeft(-20);
    options.SetShowTray(false);
    EXPECT_EQ(options.WindowLeft(), -20);
    EXPECT_FALSE(options.ShowTray());
    EXPECT_EQ(storage_test::ReadBytes(IniPath()), before);
}

// A file the user edited keeps its order, its comments and what the program does not know.
TEST_F(OptionsTest, SavingKeepsAnExistingFilesOwnOrder)
{
    TOptions options = LoadText(L"; my settings\r\n[options]\r\nshowtray=0\r\ntheme=dark\r\nalwaystop=0\r\n"
                                L"[extra]\r\n; keep me\r\nx=1\r\n[general]\r\ntop=3\r\n");
    options.SetWindowLeft(10);
    options.SetWindowTop(20);
    options.SetStartUp(false);
    options.SetStayOnTop(true);
    options.SetShowTray(true);
    options.SetAutoScale(true);
    options.Flush();
    EXPECT_EQ(storage_test::ReadBytes(IniPath()),
              Utf16(L"; my settings\r\n[options]\r\nshowtray=1\r\ntheme=dark\r\nalwaystop=1\r\nstartup=0\r\n"
                    L"autoscale=1\r\n\r\n[extra]\r\n; keep me\r\nx=1\r\n\r\n[general]\r\ntop=20\r\nleft=10\r\n\r\n"));
}
