#include "toolkit/TrayIcon.h"

#include "core/CodePage.h"
#include "toolkit/WideString.h"

namespace toolkit {

decltype(&::Shell_NotifyIconW) ShellNotifyIcon = &::Shell_NotifyIconW;

namespace {

// The Windows 2000/XP layout of the record: everything up to the balloon's flags, without
// the fields of later versions. Every shell since accepts it.
constexpr DWORD IconDataSize = NOTIFYICONDATAW_V2_SIZE;
#ifndef _WIN64
static_assert(IconDataSize == 936, "the 32-bit record of the Windows 2000/XP layout");
#endif

constexpr UINT DefaultBalloonTimeout = 3000;

// Texts count as changed only when their system code-page forms differ. A changed text
// is kept and copied into its field of the record, cut to fit with its terminator.
template <size_t Capacity> bool StoreText(std::wstring& field, wchar_t (&record)[Capacity], const std::wstring& text)
{
    if (core::WideToAnsi(text) == core::WideToAnsi(field))
        return false;
    field = text;
    WideCopyN(record, text.c_str(), Capacity - 1);
    return true;
}

uint32_t KeyboardKeys()
{
    uint32_t keys = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        keys |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0)
        keys |= MK_CONTROL;
    return keys;
}

// The shell broadcasts this message when it has re-created the notification area, which
// then holds none of the icons added before.
UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

} // namespace

TTrayIcon::TTrayIcon(core::TComponent* owner) : TWindow(owner)
{
    iconData_.cbSize = IconDataSize;
    iconData_.uTimeout = DefaultBalloonTimeout;
    iconData_.uFlags = NIF_MESSAGE | NIF_ICON;
    iconData_.uCallbackMessage = MSG_TRAY_CALLBACK;
}

// An unframed tool window: never shown and never in the taskbar.
void TTrayIcon::FillCreateParams(WindowParams& params)
{
    TWindow::FillCreateParams(params);
    params.Style = WS_POPUP;
    params.ExStyle = WS_EX_TOOLWINDOW;
}

void TTrayIcon::HandleMessage(MessageRecord& message)
{
    switch (message.Msg) {
    case WM_QUERYENDSESSION:
        message.Result = 1;
        return;
    case WM_ENDSESSION:
        if (message.WParam != 0)
            Notify(NIM_DELETE);
        return;
    case MSG_TRAY_CALLBACK:
        WmTrayCallback(message);
        return;
    default:
        break;
    }
    UINT taskbarCreated = TaskbarCreatedMessage();
    if (taskbarCreated != 0 && message.Msg == taskbarCreated)
        ShellRestarted();
    else
        TWindow::HandleMessage(message);
}

// Without this the icon would be gone until the program starts again; a hidden icon
// stays hidden.
void TTrayIcon::ShellRestarted()
{
    if (visibleTray_)
        Notify(NIM_ADD);
}

void TTrayIcon::WmDestroy(MessageRecord& message)
{
    Notify(NIM_DELETE);
    icon_.Reset();
    iconData_.hIcon = nullptr;
    TWindow::WmDestroy(message);
}

// The shell identifies the icon by its window and identifier, both the window's handle.
void TTrayIcon::AfterCreate()
{
    TWindow::AfterCreate();
    if (!HasWindow())
        return;
    iconData_.hWnd = WindowHandle();
    iconData_.uID = HandleToULong(WindowHandle());
    Refresh();
}

bool TTrayIcon::Notify(DWORD code)
{
    return ShellNotifyIcon(code, &iconData_) != FALSE;
}

void TTrayIcon::Refresh()
{
    if (visibleTray_)
        Notify(NIM_MODIFY);
}

void TTrayIcon::SetIcon(HICON icon)
{
    if (icon == icon_.Get())
        return;
    icon_.Reset(icon);
    iconData_.hIcon = icon;
    Refresh();
}

void TTrayIcon::SetHintText(const std::wstring& text)
{
    if (!StoreText(hintText_, iconData_.szTip, text))
        return;
    if (text.empty())
        iconData_.uFlags &= ~NIF_TIP;
    else
        iconData_.uFlags |= NIF_TIP;
    Refresh();
}

// A balloon change is sent whether or not the icon is shown; for a hidden icon the
// shell refuses it.
void TTrayIcon::SetBalloonHint(const std::wstring& text)
{
    if (StoreText(balloonHint_, iconData_.szInfo, text))
        Notify(NIM_MODIFY);
}

void TTrayIcon::SetBalloonTitle(const std::wstring& text)
{
    if (StoreText(balloonTitle_, iconData_.szInfoTitle, text))
        Notify(NIM_MODIFY);
}

void TTrayIcon::SetVisibleTray(bool visible)
{
    if (visible == visibleTray_)
        return;
    visibleTray_ = visible;
    Notify(visible ? NIM_ADD : NIM_DELETE);
}

// The balloon flag stays in the record until the shell reports the balloon's end.
bool TTrayIcon::ShowBalloon()
{
    iconData_.uFlags |= NIF_INFO;
    iconData_.dwInfoFlags = balloonFlags_;
    return Notify(NIM_MODIFY);
}

void TTrayIcon::TrayHook() {}

void TTrayIcon::RaiseMouseEvent(const TMouseEvent& event, uint32_t button)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    event(this, KeyboardKeys() | button, cursor.x, cursor.y);
}

// LParam holds the mouse message or balloon notification the shell reports. A left
// press arms a click that the next left release delivers before its mouse-up; double
// clicks arm nothing.
void TTrayIcon::WmTrayCallback(MessageRecord& message)
{
    auto report = static_cast<UINT>(message.LParam);
    switch (report) {
    case WM_MOUSEMOVE:
        RaiseMouseEvent(OnMouseMove, 0);
        break;
    case WM_LBUTTONDOWN:
        RaiseMouseEvent(OnMouseDown, MK_LBUTTON);
        leftPressed_ = true;
        break;
    case WM_LBUTTONUP:
        if (leftPressed_ && OnClick) {
            OnClick(this);
            leftPressed_ = false;
        }
        RaiseMouseEvent(OnMouseUp, MK_LBUTTON);
        break;
    case WM_RBUTTONDOWN:
        RaiseMouseEvent(OnMouseDown, MK_RBUTTON);
        break;
    case WM_RBUTTONUP:
        RaiseMouseEvent(OnMouseUp, MK_RBUTTON);
        break;
    case WM_MBUTTONDOWN:
        RaiseMouseEvent(OnMouseDown, MK_MBUTTON);
        break;
    case WM_MBUTTONUP:
        RaiseMouseEvent(OnMouseUp, MK_MBUTTON);
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        OnDblClick(this);
        break;
    case NIN_BALLOONSHOW:
    case NIN_BALLOONHIDE:
    case NIN_BALLOONTIMEOUT:
    case NIN_BALLOONUSERCLICK:
        iconData_.uFlags &= ~NIF_INFO;
        OnBalloonAction(this, report);
        break;
    default:
        break;
    }
}

} // namespace toolkit
