#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "tests/app/WidgetProcess.h"
#include "tests/support/Process.h"

using namespace std::chrono_literals;
using testing_support::TaviloExe;
using testing_support::TChildProcess;

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

namespace {

// Another copy's side of the instance mutex, on a thread of its own: ownership belongs
// to threads. It opens the mutex and, on request, tries to take it, either holding it
// until it is told to end or ending without releasing it (a crashed copy).
class TRivalCopy {
public:
    TRivalCopy() : handle_(CreateMutexW(nullptr, FALSE, app::InstanceMutexName)) {}
    ~TRivalCopy()
    {
        End();
        CloseHandle(handle_);
    }
    TRivalCopy(const TRivalCopy&) = delete;
    TRivalCopy& operator=(const TRivalCopy&) = delete;

    // The result of the rival's own attempt, made on a thread that then ends at once.
    DWORD TryOnce() const
    {
        DWORD result = 0;
        std::thread([&] { result = WaitForSingleObject(handle_, 0); }).join();
        return result;
    }
    // Takes the mutex and keeps it until End.
    void TakeAndHold()
    {
        std::promise<void> taken;
        holder_ = std::thread([this, &taken] {
            WaitForSingleObject(handle_, 0);
            taken.set_value();
            WaitForSingleObject(endEvent_, INFINITE);
            ReleaseMutex(handle_);
        });
        taken.get_future().wait();
    }
    void End()
    {
        SetEvent(endEvent_);
        if (holder_.joinable())
            holder_.join();
    }

private:
    HANDLE handle_;
    HANDLE endEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder_;
};

} // namespace

// The moment two copies started together both ended: one copy's mutex handle already
// exists, but that copy has not taken it yet. The copy that takes it first stays.
TEST(SingleInstance, AnUnownedMutexOfAnotherCopyDoesNotStopThisOne)
{
    TRivalCopy rival;
    app::TApplication application(nullptr);
    EXPECT_TRUE(application.IsAlreadyRunning()) << "the probe sees the mutex";
    EXPECT_EQ(rival.TryOnce(), static_cast<DWORD>(WAIT_OBJECT_0)) << "the probe took no ownership";

    ASSERT_TRUE(application.AcquireInstanceMutex());
    EXPECT_EQ(rival.TryOnce(), static_cast<DWORD>(WAIT_TIMEOUT)) << "the later copy loses";
    application.ReleaseInstanceMutex();
    EXPECT_NE(rival.TryOnce(), static_cast<DWORD>(WAIT_TIMEOUT)) << "released at the end of the run";
}

TEST(SingleInstance, AMutexOwnedByARunningCopyStopsThisOne)
{
    TRivalCopy rival;
    rival.TakeAndHold();
    app::TApplication application(nullptr);
    EXPECT_FALSE(application.AcquireInstanceMutex());
    application.Run();
    EXPECT_EQ(application.MainWindow(), nullptr);
    rival.End();
    EXPECT_TRUE(application.AcquireInstanceMutex()) << "free once the other copy has ended";
    application.ReleaseInstanceMutex();
}

// A copy that crashed leaves the mutex abandoned; the next copy takes it over.
TEST(SingleInstance, AnAbandonedMutexIsTakenOver)
{
    TRivalCopy rival;
    ASSERT_EQ(rival.TryOnce(), static_cast<DWORD>(WAIT_OBJECT_0));
    app::TApplication application(nullptr);
    EXPECT_TRUE(application.AcquireInstanceMutex());
    EXPECT_EQ(rival.TryOnce(), static_cast<DWORD>(WAIT_TIMEOUT));
    application.ReleaseInstanceMutex();
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
