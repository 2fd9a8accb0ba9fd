#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "tests/app/WidgetProcess.h"
#include "tests/support/Process.h"

using namespace std::chrono_literals;
using testing_support::TChildProcess;
using testing_support::TaviloExe;

using app_tests::CloseWidget;
using app_tests::WaitForWidget;

TEST(SingleInstance, SecondCopyEndsAtOnceAndFirstKeepsRunning)
{
    TChildProcess first(TaviloExe());
    HWND window = WaitForWidget(first);
    ASSERT_TRUE(window) << "the first copy showed no window";

    TChildProcess second(TaviloExe());
    DWORD exitCode = 99;
    ASSERT_TRUE(second.WaitForExit(10s, exitCode)) << "the second copy kept running";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(FindWindowW(app::MainWindowClass, app::MainWindowTitle), window);

    CloseWidget(first, window);

    TChildProcess third(TaviloExe());
    HWND thirdWindow = WaitForWidget(third);
    ASSERT_TRUE(thirdWindow) << "a new copy did not start after the first ended";
    CloseWidget(third, thirdWindow);
}

// Copies started together may all pass the probe; exactly one of them must stay.
TEST(SingleInstance, CopiesStartedTogetherLeaveExactlyOne)
{
    std::vector<std::unique_ptr<TChildProcess>> copies;
    for (int i = 0; i < 4; ++i)
        copies.push_back(std::make_unique<TChildProcess>(TaviloExe()));
    HWND window = testing_support::WaitForTopLevelWindow(app::MainWindowClass, app::MainWindowTitle, 20s);
    ASSERT_TRUE(window);
    Sleep(1000);  // let the losers finish ending

    TChildProcess* survivor = nullptr;
    for (auto& copy : copies) {
        DWORD exitCode = 99;
        if (copy->WaitForExit(5s, exitCode)) {
            EXPECT_EQ(exitCode, 0u);
        } else {
            EXPECT_EQ(survivor, nullptr) << "two copies are running";
            survivor = copy.get();
        }
    }
    ASSERT_NE(survivor, nullptr);
    CloseWidget(*survivor, window);
}

TEST(SingleInstance, ProbeSeesAMutexHeldByAnotherCopy)
{
    app::TApplication application(nullptr);
    EXPECT_FALSE(application.IsAlreadyRunning());
    HANDLE held = CreateMutexW(nullptr, FALSE, app::InstanceMutexName);
    EXPECT_TRUE(application.IsAlreadyRunning());
    // Run returns at once, without a window.
    application.Run();
    EXPECT_EQ(application.MainWindow(), nullptr);
    CloseHandle(held);
    EXPECT_FALSE(application.IsAlreadyRunning());
}

TEST(WindowMessages, CloseRequestEndsTheProgramReservedMessageDoesNothing)
{
    TChildProcess widget(TaviloExe());
    HWND window = WaitForWidget(widget);
    ASSERT_TRUE(window);
    EXPECT_EQ(FindWindowW(L"taviloclass", L"tavilo"), window);

    EXPECT_EQ(SendMessageW(window, app::MSG_RESERVED, 0, 0), 0);
    Sleep(300);
    EXPECT_TRUE(widget.Running());
    EXPECT_TRUE(IsWindowVisible(window));

    CloseWidget(widget, window);
    EXPECT_FALSE(IsWindow(window));
}
