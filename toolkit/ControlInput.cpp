// Pointer and keyboard messages turned into the control's events: enter, hover and
// leave tracking, clicks, drags, the wheel, keys and characters, and the cursor.
#include "toolkit/Control.h"

#include <commctrl.h>

namespace toolkit {

namespace {

uint32_t ReleasedButton(UINT msg)
{
    switch (msg) {
    case WM_LBUTTONUP:
        return MK_LBUTTON;
    case WM_RBUTTONUP:
        return MK_RBUTTON;
    default:
        return MK_MBUTTON;
    }
}

bool CursorInsideClientArea(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    POINT cursor{};
    GetCursorPos(&cursor);
    return PtInRect(&client, cursor) != FALSE;
}

} // namespace

void TControl::WmSetCursor(MessageRecord& message)
{
    if (LowWord(message.LParam) == HTCLIENT && cursorHandle_) {
        ::SetCursor(cursorHandle_);
        message.Result = 1;
    }
}

// A move with the left button alone down is a drag (the application moves its window
// from it) and never starts tracking: a pointer that enters with that button held is
// announced at its first move without it.
void TControl::WmMouseMove(MessageRecord& message)
{
    int x = SignedLow(message.LParam);
    int y = SignedHigh(message.LParam);
    auto keys = static_cast<uint32_t>(message.WParam);
    if (keys == MK_LBUTTON) {
        OnDrag(this, keys, x, y);
        return;
    }
    OnMouseMove(this, keys, x, y);
    if (mouseInside_)
        return;
    mouseInside_ = true;
    // Tracking is requested once per entry, so at most one hover follows each entry.
    TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, message.Window, HOVER_DEFAULT};
    _TrackMouseEvent(&track);
    PostMessageW(message.Window, MSG_MOUSE_ENTERED, 0, 0);
}

void TControl::WmMouseEnter(MessageRecord&)
{
    mouseInside_ = true;
    OnMouseEnter(this, 0, 0, 0);
}

void TControl::RaiseMouseEvent(const TMouseEvent& event, const MessageRecord& message)
{
    event(this, static_cast<uint32_t>(message.WParam), SignedLow(message.LParam), SignedHigh(message.LParam));
}

void TControl::WmMouseHover(MessageRecord& message)
{
    mouseInside_ = true;
    RaiseMouseEvent(OnMouseHover, message);
}

void TControl::WmMouseLeave(MessageRecord& message)
{
    mouseInside_ = false;
    RaiseMouseEvent(OnMouseLeave, message);
}

// Only a press of the left button alone can become a click.
void TControl::WmButtonDown(MessageRecord& message)
{
    RaiseMouseEvent(OnMouseDown, message);
    clickArmed_ = message.WParam == MK_LBUTTON;
}

// The base control never captures the pointer, so a release outside its window usually
// reaches another window; a release that still arrives here (a descendant holding the
// capture) clicks only when the pointer is over the control.
void TControl::WmButtonUp(MessageRecord& message)
{
    uint32_t keys = static_cast<uint32_t>(message.WParam) | ReleasedButton(message.Msg);
    int x = SignedLow(message.LParam);
    int y = SignedHigh(message.LParam);
    OnMouseUp(this, keys, x, y);
    if (clickArmed_ && (message.WParam & MK_LBUTTON) == 0 && OnClick && CursorInsideClientArea(windowHandle_)) {
        clickArmed_ = false;
        OnClick(this, keys, x, y);
    }
}

void TControl::WmButtonDblClk(MessageRecord& message)
{
    RaiseMouseEvent(OnDblClick, message);
}

void TControl::WmMouseWheel(MessageRecord& message)
{
    OnMouseWheel(this, LowWord(message.WParam), SignedHigh(message.WParam), SignedLow(message.LParam),
                 SignedHigh(message.LParam));
}

void TControl::WmContextMenu(MessageRecord& message)
{
    OnContextMenu(this, SignedLow(message.LParam), SignedHigh(message.LParam));
}

// A callback may change the key; default processing receives what it left.
void TControl::RaiseKeyEvent(const TKeyEvent& event, MessageRecord& message)
{
    uint16_t key = LowWord(message.WParam);
    event(this, key, KeyFlagsToShift(message.LParam));
    message.WParam = key;
}

void TControl::WmKeyDown(MessageRecord& message)
{
    RaiseKeyEvent(OnKeyDown, message);
}

void TControl::WmKeyUp(MessageRecord& message)
{
    RaiseKeyEvent(OnKeyUp, message);
}

// A callback that sets the character to 0 consumes it: no default processing follows.
void TControl::WmChar(MessageRecord& message)
{
    auto charCode = static_cast<uint32_t>(message.WParam);
    OnChar(this, charCode);
    message.WParam = charCode;
}

} // namespace toolkit
