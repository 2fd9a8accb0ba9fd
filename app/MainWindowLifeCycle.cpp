// The main window's life between creation and destruction: the delayed start, the idle
// trim, closing and the teardown.
#include "app/MainWindow.h"

#include "app/LifeCycle.h"
#include "app/Workers.h"
#include "net/InetThread.h"
#include "storage/Options.h"
#include "toolkit/ToolTip.h"
#include "toolkit/TrayIcon.h"
#include "toolkit/WindowProcedure.h"

namespace app {

namespace {

constexpr uint8_t FadeStep = 4;
constexpr uint32_t FadeFrameDelay = 1;

} // namespace

// The window was shown fully transparent; the first paint and downloads wait until the
// message loop runs.
void TMainWindow::DelayedStart()
{
    startTimer_->SetEnabled(false);
    RequestRender();
    FadeIn(*this, FadeStep, FadeFrameDelay);
    StartFeedRefresh();
    StartUpdateCheck();
    StartPing();
}

void TMainWindow::IdleTrim()
{
    idleTimer_->SetEnabled(false);
    if (GetTickCount() - toolkit::LastInputTick > IdleTrimDelay)
        TrimWorkingSet();
    idleTimer_->SetEnabled(true);
}

void TMainWindow::CloseClicked(core::TObject*, uint32_t, int, int)
{
    CloseCommand();
}

void TMainWindow::CloseRequest(toolkit::MessageRecord&)
{
    CloseCommand();
}

void TMainWindow::CloseCommand()
{
    closing_ = true;
    FadeOut(*this, FadeStep, FadeFrameDelay);
    SendMessageW(WindowHandle(), WM_CLOSE, 0, 0);
}

void TMainWindow::WmClose(toolkit::MessageRecord& message)
{
    Teardown();
    toolkit::TWindowEx::WmClose(message);
}

void TMainWindow::WmDestroy(toolkit::MessageRecord& message)
{
    toolkit::TWindowEx::WmDestroy(message);
    PostQuitMessage(0);
}

// Windows may end the process right after the session ends, so everything worth keeping
// is written now.
void TMainWindow::WmQueryEndSession(toolkit::MessageRecord& message)
{
    message.Result = 1;
    Teardown();
}

// The settings are written first: they are what the user would lose. Downloads are
// aborted rather than awaited, since their answers would be thrown away, and a server
// that stalls can hold the close up only for WorkerStopTimeout. After the teardown the
// window ignores timers, commands and completion messages.
void TMainWindow::Teardown()
{
    if (tornDown_)
        return;
    tornDown_ = true;
    SaveSettings();
    settings_.reset();
    StopWorkers();
    FreeTimers();
    if (trayIcon_ && trayIcon_->HasWindow())
        SendMessageW(trayIcon_->WindowHandle(), WM_CLOSE, 0, 0);
    if (toolTip_ && toolTip_->HasWindow())
        SendMessageW(toolTip_->WindowHandle(), WM_CLOSE, 0, 0);
    toolkit::TooltipWindow = nullptr;
    menu_.Reset();
    windowIcon_.Reset();
}

void TMainWindow::StopWorkers()
{
    app::StopWorkers({&feedThread_, &updateThread_, &pingThread_}, WorkerStopTimeout);
}

void TMainWindow::FreeTimers()
{
    refreshTimer_.reset();
    throbberTimer_.reset();
    startTimer_.reset();
    idleTimer_.reset();
    pingTimer_.reset();
}

} // namespace app
