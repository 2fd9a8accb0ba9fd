#include <gtest/gtest.h>

#include <shlobj.h>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "core/Exceptions.h"
#include "core/Files.h"
#include "sysutil/SystemUtils.h"
#include "tests/app/WidgetProcess.h"
#include "tests/support/Process.h"

// Also run for a user whose profile folder has Turkish letters, under code page 1252:
// a path narrowed to the code page on the way would name another folder.
TEST(DataFolder, FirstStartCreatesTheFolderAndItsParents)
{
    // Wine names the profile folder after the Unix user who started the prefix's server,
    // and Windows gives it the user's name.
    std::wstring appData = sysutil::SpecialFolderPath(CSIDL_APPDATA);
    std::wstring expectedUser = testing_support::EnvironmentVariable(L"TAVILO_EXPECT_USER");
    for (const wchar_t* fallback : {L"USER", L"USERNAME"})
        if (expectedUser.empty())
            expectedUser = testing_support::EnvironmentVariable(fallback);
    ASSERT_FALSE(expectedUser.empty()) << "no user name to look for";
    EXPECT_NE(appData.find(L"\\" + expectedUser + L"\\"), std::wstring::npos) << core::ToUtf8(appData);
    std::wstring maker = appData + L"\\Korvale";
    ASSERT_TRUE(testing_support::RemoveFolderTree(maker));
    testing_support::TChildProcess widget(testing_support::TaviloExe());
    HWND window = app_tests::WaitForWidget(widget);
    ASSERT_TRUE(window);
    app_tests::CloseWidget(widget, window);
    EXPECT_TRUE(core::DirectoryExists(maker + L"\\Tavilo"));
}
