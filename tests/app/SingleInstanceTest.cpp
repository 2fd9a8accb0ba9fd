#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "tests/support/Process.h"

using namespace std::chrono_literals;
using testing_support::TChildProcess;
using testing_support::TaviloExe;

namespace {

constexpr auto StartTime = 20s;

// Starts tavilo.exe and waits for its window.
HWND StartWidget(TChildProcess& process)
{
    return process.WaitForWindow(app::MainWindowClass, StartTime);
}

void CloseAndExpectExitCodeZero(TChildProcess& process, HWND window)
{
    SendMessageW(window, app::MSG_CLOSE_REQUEST, 0, 0);
    DWORD exitCode = 99;
    ASSERT_TRUE(process.WaitForExit(10s, exitCode));
    EXPECT_EQ(exitCode, 0u);
}

} // namespace

TEST(SingleInstance, SecondCopyEndsAtOnceAndFirstKeepsRunning)
{
    TChildProcess first(TaviloExe());
    HWND window = StartWidget(first);
    ASSERT_TRUE(window) << "the first copy showed no window";

    TChildProcess second(TaviloExe());
    DWORD exitCode = 99;
    ASSERT_TRUE(second.WaitForExit(10s, exitCode)) << "the second copy kept running";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(FindWindowW(app::MainWindowClass, app::MainWindowTitle), window);

    CloseAndExpectExitCodeZero(first, window);

    TChildProcess third(TaviloExe());
    HWND thirdWindow = StartWidget(third);
    ASSERT_TRUE(thirdWindow) << "a new copy did not start after the first ended";
    CloseAndExpectExitCodeZero(third, thirdWindow);
}

// Copies started together may all pass the probe; exactly one of them must stay.
TEST(SingleInstance, CopiesStartedTogetherLeaveExactlyOne)
{
    std::vector<std::unique_ptr<TChildProcess>> copies;
    for (int i = 0; i < 4; ++i)
        copies.push_back(std::make_unique<TChildProcess>(TaviloExe()));
    HWND window = testing_support::WaitForTopLevelWindow(app::MainWindowClass, app::MainWindowTitle, StartTime);
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
    CloseAndExpectExitCodeZero(*survivor, window);
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
    HWND window = StartWidget(widget);
    ASSERT_TRUE(window);
    EXPECT_EQ(FindWindowW(L"taviloclass", L"tavilo"), window);

    EXPECT_EQ(SendMessageW(window, app::MSG_RESERVED, 0, 0), 0);
    Sleep(300);
    EXPECT_TRUE(widget.Running());
    EXPECT_TRUE(IsWindowVisible(window));

    CloseAndExpectExitCodeZero(widget, window);
    EXPECT_FALSE(IsWindow(window));
}
