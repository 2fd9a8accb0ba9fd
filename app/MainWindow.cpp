#include "app/MainWindow.h"

#include "app/Application.h"
#include "app/BuildSettings.h"
#include "app/FeedCache.h"
#include "app/Workers.h"
#include "app/WindowPlacement.h"
#include "net/InetThread.h"
#include "resources/Resources.h"
#include "storage/Options.h"
#include "toolkit/ToolTip.h"
#include "toolkit/TrayIcon.h"

namespace app {

namespace {

// WM_SYSCOMMAND's move with the caption as the grip: Windows then moves the window with
// the pointer until the button is released.
constexpr WPARAM MoveByCaption = SC_MOVE | HTCAPTION;

} // namespace

TMainWindow::TMainWindow(core::TComponent* owner)
    : toolkit::TWindowEx(owner), refreshInterval_(FeedRefreshInterval)
{
    SetLeft(0);
    SetTop(0);
    Resize(skins::MainFrame.Width, skins::MainFrame.Height);
    SetAlwaysTop(true);
    OnMouseDown.Bind(this, &TMainWindow::DragOrMenu);
    OnMouseWheel.Bind(this, &TMainWindow::WheelScroll);
}

// The workers must end before the objects they report to go away; Teardown normally did
// this already.
TMainWindow::~TMainWindow()
{
    StopWorkers();
}

void TMainWindow::HandleMessage(toolkit::MessageRecord& m)
{
    // clang-format off
    switch (m.Msg) {
    case WM_QUERYENDSESSION: WmQueryEndSession(m); return;
    case WM_ENDSESSION: WmEndSession(m); return;
    case WM_COPYDATA: WmCopyData(m); return;
    case WM_DISPLAYCHANGE: WmDisplayChange(m); return;
    case WM_COMMAND: WmCommand(m); return;
    case WM_TIMER: WmTimer(m); return;
    case MSG_UPDATE_DONE: UpdateCheckDone(m); return;
    case MSG_PING_DONE: PingDone(m); return;
    case MSG_FEED_DONE: FeedDone(m); return;
    case MSG_RESERVED: ReservedMessage(m); return;
    case MSG_CLOSE_REQUEST: CloseRequest(m); return;
    default: break;
    }
    // clang-format on
    toolkit::TWindowEx::HandleMessage(m);
}

void TMainWindow::WmEndSession(toolkit::MessageRecord&) {}

void TMainWindow::WmDisplayChange(toolkit::MessageRecord&) {}

// Another program's data is never read.
void TMainWindow::WmCopyData(toolkit::MessageRecord&) {}

void TMainWindow::ReservedMessage(toolkit::MessageRecord&) {}

void TMainWindow::WmCommand(toolkit::MessageRecord& message)
{
    if (tornDown_ || toolkit::HighWord(message.WParam) != 0)
        return;
    switch (toolkit::LowWord(message.WParam)) {
    case IDC_MENU_CLOSE:
        CloseCommand();
        break;
    case IDC_MENU_REFRESH:
        StartFeedRefresh();
        break;
    default:
        break;
    }
}

void TMainWindow::WmTimer(toolkit::MessageRecord& message)
{
    if (tornDown_)
        return;
    switch (message.WParam) {
    case StartTimerId:
        DelayedStart();
        break;
    case IdleTimerId:
        IdleTrim();
        break;
    case RefreshTimerId:
        StartFeedRefresh();
        break;
    case PingTimerId:
        StartPing();
        break;
    case ThrobberTimerId:
        AdvanceThrobber();
        break;
    default:
        break;
    }
}

void TMainWindow::DragOrMenu(core::TObject*, uint32_t keys, int, int)
{
    if (keys & MK_LBUTTON) {
        ReleaseCapture();
        SendMessageW(WindowHandle(), WM_SYSCOMMAND, MoveByCaption, 0);
    } else if (keys & MK_RBUTTON) {
        ShowPopupMenu();
    }
}

// A left press on a headline opens it (the list's own click); only the right one is ours.
void TMainWindow::HeadlineMouseDown(core::TObject*, uint32_t keys, int, int)
{
    if (keys & MK_RBUTTON)
        ShowPopupMenu();
}

void TMainWindow::ShowPopupMenu()
{
    if (!menu_)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    TrackPopupMenuEx(GetSubMenu(menu_.Get(), 0), TPM_VERTICAL, cursor.x, cursor.y, WindowHandle(), nullptr);
}

void TMainWindow::WmWindowPosChanging(toolkit::MessageRecord& message)
{
    toolkit::TWindowEx::WmWindowPosChanging(message);
    auto& position = *reinterpret_cast<WINDOWPOS*>(message.LParam);
    if (position.flags & SWP_NOMOVE)
        return;
    RECT workArea{};
    if (!Desktop || !Desktop->WorkArea(workArea))
        return;
    SnapToEdges(workArea, SIZE{Width(), Height()}, position.x, position.y);
}

void TMainWindow::ApplySettings()
{
    POINT saved{settings_->WindowLeft(), settings_->WindowTop()};
    if (!OnAnyMonitor(saved, SIZE{Width(), Height()}))
        saved = POINT{settings_->DefaultLeft(), settings_->DefaultTop()};
    SetLeft(saved.x);
    SetTop(saved.y);
    startup_ = settings_->StartUp();
    alwaysTop_ = settings_->StayOnTop();
    showTray_ = settings_->ShowTray();
    autoSize_ = settings_->AutoScale();
    trayIcon_->SetVisibleTray(showTray_);
    SetAlwaysTop(alwaysTop_);
}

// A settings file that cannot be written keeps its old content; the program goes on with
// the options as they are applied now.
void TMainWindow::SaveSettings()
{
    if (!settings_)
        return;
    settings_->SetWindowLeft(Left());
    settings_->SetWindowTop(Top());
    settings_->SetStartUp(startup_);
    settings_->SetStayOnTop(alwaysTop_);
    settings_->SetShowTray(showTray_);
    settings_->SetAutoScale(autoSize_);
    try {
        settings_->Flush();
    } catch (const std::exception&) {
        // There is no log and no dialog for this; the next save tries again.
    }
}

} // namespace app
