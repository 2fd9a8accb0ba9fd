#pragma once
#include <cstdint>
#include <string>

#include "core/Win32.h"

#include <shellapi.h>

#include "toolkit/GdiHandles.h"
#include "toolkit/Window.h"

namespace toolkit {

// The message the shell sends to the tray window about the icon.
inline constexpr UINT MSG_TRAY_CALLBACK = 0x9334;

// The icon shown beside the balloon text: NIIF_NONE, NIIF_INFO, NIIF_WARNING, NIIF_ERROR.
enum TBalloonFlags : uint8_t { bfNone = 0, bfInfo = 1, bfWarning = 2, bfError = 3 };

using TMouseMoveEvent = TMouseEvent;
// Action is the shell's balloon notification: shown, hidden, timed out or clicked.
using TBalloonActionEvent = core::TEvent<core::TObject* /*Sender*/, uint32_t /*Action*/>;

// Every record reaches the shell through this call; tests put a recorder in front of it.
extern decltype(&::Shell_NotifyIconW) ShellNotifyIcon;

// The program's icon in the notification area. Its hidden window receives the shell's
// callbacks and turns them into events; the record handed to the shell is kept whole,
// so every add and change sends the current icon, tip and balloon.
//
// The tray events are the shell's mouse reports about the icon (X and Y are screen
// pixels), not input of the never-shown window itself, so they replace the control's
// events of the same names.
class TTrayIcon : public TWindow {
public:
    explicit TTrayIcon(core::TComponent* owner);

protected:
    void FillCreateParams(WindowParams& params) override;

public:
    void HandleMessage(MessageRecord& message) override;

protected:
    void WmDestroy(MessageRecord& message) override;
    void AfterCreate() override;
    virtual void WmTrayCallback(MessageRecord& message);
    // A hook for descendants; the tray icon itself never calls it.
    virtual void TrayHook();

public:
    virtual bool ShowBalloon();

    // Hands the record to the shell with NIM_ADD, NIM_MODIFY or NIM_DELETE.
    bool Notify(DWORD code);
    // Sends the record again while the icon is in the notification area.
    void Refresh();

    const NOTIFYICONDATAW& IconData() const { return iconData_; }
    bool LeftPressed() const { return leftPressed_; }
    // The tray icon owns the icon it is given and destroys it.
    HICON Icon() const { return icon_.Get(); }
    void SetIcon(HICON icon);
    // Stored for the application, which opens the menu itself.
    HMENU PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(HMENU menu) { popupMenu_ = menu; }
    const std::wstring& HintText() const { return hintText_; }
    void SetHintText(const std::wstring& text);
    const std::wstring& BalloonHint() const { return balloonHint_; }
    void SetBalloonHint(const std::wstring& text);
    const std::wstring& BalloonTitle() const { return balloonTitle_; }
    void SetBalloonTitle(const std::wstring& text);
    TBalloonFlags BalloonFlags() const { return balloonFlags_; }
    void SetBalloonFlags(TBalloonFlags flags) { balloonFlags_ = flags; }
    int32_t BalloonTimeout() const { return static_cast<int32_t>(iconData_.uTimeout); }
    void SetBalloonTimeout(int32_t milliseconds) { iconData_.uTimeout = static_cast<UINT>(milliseconds); }
    bool VisibleTray() const { return visibleTray_; }
    void SetVisibleTray(bool visible);

    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    // Nothing in the system raises it.
    TNotifyEvent OnAnimate;
    TBalloonActionEvent OnBalloonAction;

private:
    void RaiseMouseEvent(const TMouseEvent& event, uint32_t button);
    void ShellRestarted();

    NOTIFYICONDATAW iconData_{};
    bool leftPressed_ = false;
    TIconHandle icon_;
    HMENU popupMenu_ = nullptr;
    std::wstring hintText_;
    std::wstring balloonHint_;
    std::wstring balloonTitle_;
    TBalloonFlags balloonFlags_ = bfNone;
    bool visibleTray_ = false;
};

} // namespace toolkit
