#pragma once
#include <chrono>

#include <gtest/gtest.h>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "tests/support/Process.h"

namespace app_tests {

using namespace std::chrono_literals;

// Waits for the window of a started widget; null when none appeared in time.
inline HWND WaitForWidget(const testing_support::TChildProcess& process)
{
    return process.WaitForWindow(app::MainWindowClass, 20s);
}

// Asks the widget to close as another program would and expects a clean exit.
inline void CloseWidget(const testing_support::TChildProcess& process, HWND window)
{
    SendMessageW(window, app::MSG_CLOSE_REQUEST, 0, 0);
    DWORD exitCode = 99;
    ASSERT_TRUE(process.WaitForExit(10s, exitCode)) << "the widget did not end";
    EXPECT_EQ(exitCode, 0u);
}

} // namespace app_tests
