#include <gtest/gtest.h>

#include <vector>

#include "app/LifeCycle.h"
#include "app/WinTimer.h"
#include "toolkit/WindowEx.h"

namespace {

// A layered window that records the opacity of every composition and render.
class TFadeProbe : public toolkit::TWindowEx {
public:
    explicit TFadeProbe() : toolkit::TWindowEx(nullptr)
    {
        SetLeft(-2000);
        SetTop(-2000);
        Resize(40, 30);
        EnsureWindow();
    }
    ~TFadeProbe() override { DestroyWindow(WindowHandle()); }

    void Compose() override
    {
        composed.push_back(Opacity());
        toolkit::TWindowEx::Compose();
    }
    void RequestRender() override
    {
        rendered.push_back(Opacity());
        toolkit::TWindowEx::RequestRender();
    }

    std::vector<int> composed;
    std::vector<int> rendered;
};

TEST(Fades, FadeInShowsThenComposesEveryFourthStepAndRendersAtFullOpacity)
{
    TFadeProbe window;
    window.SetOpacity(0);
    app::FadeIn(window, 4, 0);
    EXPECT_TRUE(window.Visible());
    // 63 frames from 4 to 252, then the render's own composition at 255.
    ASSERT_EQ(window.composed.size(), 64u);
    EXPECT_EQ(window.composed.front(), 4);
    EXPECT_EQ(window.composed[62], 252);
    EXPECT_EQ(window.composed.back(), 255);
    EXPECT_EQ(window.rendered, std::vector<int>{255});
    EXPECT_EQ(window.Opacity(), 255);
}

TEST(Fades, FadeOutStopsAboveZeroAndHides)
{
    TFadeProbe window;
    window.Show();
    app::FadeOut(window, 4, 0);
    EXPECT_FALSE(window.Visible());
    ASSERT_EQ(window.composed.size(), 63u);
    EXPECT_EQ(window.composed.front(), 251);
    EXPECT_EQ(window.composed.back(), 3);
}

// The program's message loop ends only on WM_QUIT; a helper that swallowed it would
// leave a process without windows running for ever.
TEST(PendingMessages, QuitIsPostedAgainAndOtherMessagesAreDispatched)
{
    TFadeProbe window;
    PostMessageW(window.WindowHandle(), WM_NULL, 0, 0);
    PostQuitMessage(7);
    PostMessageW(window.WindowHandle(), WM_NULL, 0, 0);
    app::ProcessPendingMessages();
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST(PendingMessages, TrimWorkingSetEmptiesTheQueue)
{
    TFadeProbe window;
    PostMessageW(window.WindowHandle(), WM_NULL, 0, 0);
    app::TrimWorkingSet();
    MSG message{};
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

bool TimerTickArrives(HWND window, UINT_PTR id, DWORD within)
{
    DWORD start = GetTickCount();
    MSG message{};
    while (GetTickCount() - start < within) {
        if (PeekMessageW(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE) && message.wParam == id)
            return true;
        Sleep(5);
    }
    return false;
}

TEST(WinTimer, TicksOnlyWhileEnabled)
{
    TFadeProbe window;
    app::TWinTimer timer(window.WindowHandle(), 10, 1003);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_FALSE(TimerTickArrives(window.WindowHandle(), 1003, 60));
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_TRUE(TimerTickArrives(window.WindowHandle(), 1003, 1000));
    timer.SetEnabled(false);
    MSG message{};
    while (PeekMessageW(&message, window.WindowHandle(), WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
    EXPECT_FALSE(TimerTickArrives(window.WindowHandle(), 1003, 60));
}

TEST(WinTimer, DestructionStopsIt)
{
    TFadeProbe window;
    {
        app::TWinTimer timer(window.WindowHandle(), 10, 1004);
        timer.SetEnabled(true);
    }
    EXPECT_FALSE(KillTimer(window.WindowHandle(), 1004)) << "the timer was still running";
}

// A timer whose window is gone neither starts nor claims to run.
TEST(WinTimer, DoesNothingForAWindowThatIsGone)
{
    HWND gone = nullptr;
    {
        TFadeProbe window;
        gone = window.WindowHandle();
    }
    app::TWinTimer timer(gone, 10, 1001);
    timer.SetEnabled(true);
    EXPECT_FALSE(timer.Enabled());
}

} // namespace
