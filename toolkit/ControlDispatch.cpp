// The base dispatcher: which handler each message reaches, whether default processing
// follows, and the notifications passed up to the parent or reflected down to a child.
#include "toolkit/Control.h"
#include "toolkit/WindowProcedure.h"

namespace toolkit {

namespace {

bool IsInputMessage(UINT msg)
{
    return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSEWHEEL);
}

} // namespace

// Every handled message ends in one of three ways: default processing follows (break),
// the dispatcher returns with the handler's result (return), or a result is set first.
void TControl::HandleMessage(MessageRecord& m)
{
    if (IsInputMessage(m.Msg))
        LastInputTick = GetTickCount();

    // clang-format off
    switch (m.Msg) {
    case WM_MOVE: WmMove(m); break;
    case WM_SIZE: WmSize(m); break;
    case WM_SETFOCUS: WmSetFocus(m); break;
    case WM_KILLFOCUS: WmKillFocus(m); break;
    case WM_SETTEXT: WmSetText(m); break;
    case WM_GETTEXT: WmGetText(m); break;
    case WM_GETTEXTLENGTH: WmGetTextLength(m); break;
    case WM_SHOWWINDOW: WmShowWindow(m); break;
    case WM_CANCELMODE: WmCancelMode(m); break;
    case WM_SETCURSOR: WmSetCursor(m); if (m.Result == 1) return; break;
    case WM_DRAWITEM: WmDrawItem(m); m.Result = 1; return;
    case WM_MEASUREITEM: WmMeasureItem(m); m.Result = 1; return;
    case WM_WINDOWPOSCHANGING: WmWindowPosChanging(m); break;
    case WM_WINDOWPOSCHANGED: WmWindowPosChanged(m); break;
    case WM_NOTIFY: WmNotify(m); break;
    case WM_CONTEXTMENU: WmContextMenu(m); break;
    case WM_NCHITTEST: WmNcHitTest(m); break;
    case WM_GETDLGCODE: WmGetDlgCode(m); break;
    case WM_KEYDOWN: WmKeyDown(m); break;
    case WM_KEYUP: WmKeyUp(m); break;
    case WM_CHAR: WmChar(m); if (m.WParam == 0) return; break;
    case WM_COMMAND: WmCommand(m); return;
    case WM_HSCROLL: WmHScroll(m); break;
    case WM_VSCROLL: WmVScroll(m); break;
    case WM_SYSTIMER: WmSysTimer(m); break;
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: WmCtlColor(m); return;
    case WM_MOUSEMOVE: WmMouseMove(m); break;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: WmButtonDown(m); break;
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: WmButtonUp(m); break;
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK: WmButtonDblClk(m); break;
    case WM_MOUSEWHEEL: WmMouseWheel(m); break;
    case WM_SIZING: WmSizing(m); m.Result = 1; break;
    case WM_MOVING: WmMoving(m); m.Result = 1; break;
    case WM_MOUSEHOVER: WmMouseHover(m); break;
    case WM_MOUSELEAVE: WmMouseLeave(m); break;
    case MSG_MOUSE_ENTERED: WmMouseEnter(m); return;
    case MSG_FONT_CHANGED: WmFontChanged(m); return;
    case MSG_TEXT_CHANGED: WmTextChanged(m); return;
    default: break;
    }
    // clang-format on
    CallDefaultProc(m);
}

// Only the top-level windows' dispatchers route WM_CREATE and WM_DESTROY here. A
// handler may record the handle before CreateWindowExW returns it.
void TControl::WmCreate(MessageRecord& message)
{
    if (!windowHandle_)
        windowHandle_ = message.Window;
}

void TControl::WmDestroy(MessageRecord&) {}

void TControl::ReturnTrue(MessageRecord& message)
{
    message.Result = 1;
}

void TControl::ForwardToParent(MessageRecord& message)
{
    if (parent_ && parent_->HasWindow())
        message.Result = SendMessageW(parent_->Handle(), message.Msg, message.WParam, message.LParam);
}

void TControl::WmHScroll(MessageRecord& message)
{
    ForwardToParent(message);
}

void TControl::WmVScroll(MessageRecord& message)
{
    ForwardToParent(message);
}

void TControl::WmNotify(MessageRecord& message)
{
    ForwardToParent(message);
}

// Notifications a child window sends to its parent are handled by the child's own
// control. The child's own window never reflects to itself.
void TControl::ReflectToControl(HWND child, MessageRecord& message)
{
    if (child == Handle())
        return;
    TControl* control = ControlFromWindow(child);
    if (control && control != this)
        control->HandleMessage(message);
}

void TControl::WmCtlColor(MessageRecord& message)
{
    ReflectToControl(reinterpret_cast<HWND>(message.LParam), message);
}

void TControl::ReflectToChild(MessageRecord& message)
{
    ReflectToControl(reinterpret_cast<HWND>(message.LParam), message);
}

// Menu and accelerator commands carry no window (LParam 0) and reach no handler here; a
// window that wants them overrides WmCommand.
void TControl::WmCommand(MessageRecord& message)
{
    ReflectToControl(reinterpret_cast<HWND>(message.LParam), message);
}

void TControl::WmDrawItem(MessageRecord& message)
{
    ReflectToControl(reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam)->hwndItem, message);
}

// The item's control identifier is its window handle (set when the window was made).
void TControl::WmMeasureItem(MessageRecord& message)
{
    auto id = reinterpret_cast<const MEASUREITEMSTRUCT*>(message.LParam)->CtlID;
    auto item = reinterpret_cast<HWND>(static_cast<uintptr_t>(id));
    if (IsWindow(item))
        ReflectToControl(item, message);
}

void TControl::WmTextChanged(MessageRecord&) {}

void TControl::WmFontChanged(MessageRecord&) {}

} // namespace toolkit
