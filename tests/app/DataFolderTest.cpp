#include <gtest/gtest.h>

#include <shlobj.h>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "core/Exceptions.h"
#include "core/Files.h"
#include "sysutil/SystemUtils.h"
#include "tests/support/Process.h"

using namespace std::chrono_literals;
using testing_support::TChildProcess;

namespace {

// Runs the widget until its window shows, then closes it.
void RunWidgetOnce()
{
    TChildProcess widget(testing_support::TaviloExe());
    HWND window = widget.WaitForWindow(app::MainWindowClass, 20s);
    ASSERT_TRUE(window);
    SendMessageW(window, app::MSG_CLOSE_REQUEST, 0, 0);
    DWORD exitCode = 99;
    ASSERT_TRUE(widget.WaitForExit(10s, exitCode));
    EXPECT_EQ(exitCode, 0u);
}

} // namespace

// Also run for a user whose profile folder has Turkish letters, under code page 1252:
// a path narrowed to the code page on the way would name another folder.
TEST(DataFolder, FirstStartCreatesTheFolderAndItsParents)
{
    std::wstring appData = sysutil::SpecialFolderPath(CSIDL_APPDATA);
    std::wstring expectedUser = testing_support::EnvironmentVariable(L"TAVILO_EXPECT_USER");
    EXPECT_NE(appData.find(expectedUser), std::wstring::npos) << core::ToUtf8(appData);
    std::wstring maker = appData + L"\\Korvale";
    ASSERT_TRUE(testing_support::RemoveFolderTree(maker));
    RunWidgetOnce();
    EXPECT_TRUE(core::DirectoryExists(maker + L"\\Tavilo"));
}
