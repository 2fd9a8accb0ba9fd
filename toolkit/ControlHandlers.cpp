// Window-state messages turned into the control's fields and events: size, position,
// visibility, focus, the system timer, and the caption kept while windowless.
#include <cwchar>

#include "toolkit/Control.h"

namespace toolkit {

void TControl::WmSize(MessageRecord& message)
{
    RECT bounds{};
    GetWindowRect(message.Window, &bounds);
    width_ = bounds.right - bounds.left;
    height_ = bounds.bottom - bounds.top;
    clientWidth_ = SignedLow(message.LParam);
    clientHeight_ = SignedHigh(message.LParam);
    OnSize(this, static_cast<uint32_t>(message.WParam), clientWidth_, clientHeight_);
}

// The callback may change the proposed rectangle in place.
void TControl::WmSizing(MessageRecord& message)
{
    OnSizing(this, static_cast<uint32_t>(message.WParam), *reinterpret_cast<RECT*>(message.LParam));
}

void TControl::WmMove(MessageRecord& message)
{
    left_ = SignedLow(message.LParam);
    top_ = SignedHigh(message.LParam);
    OnMove(this, left_, top_);
}

void TControl::WmMoving(MessageRecord& message)
{
    OnMoving(this, static_cast<uint32_t>(message.WParam), *reinterpret_cast<RECT*>(message.LParam));
}

void TControl::WmSysTimer(MessageRecord&)
{
    OnSysTimer(this);
}

void TControl::WmSetFocus(MessageRecord&)
{
    OnSetFocus(this);
}

void TControl::WmKillFocus(MessageRecord&)
{
    OnKillFocus(this);
}

void TControl::WmShowWindow(MessageRecord& message)
{
    visible_ = message.WParam != 0;
}

// Default processing replaces this answer whenever the window has a procedure of its own.
void TControl::WmGetDlgCode(MessageRecord& message)
{
    message.Result = DLGC_WANTALLKEYS;
}

void TControl::WmCancelMode(MessageRecord&) {}

// The main window snaps to the screen edges by changing the record in place.
void TControl::WmWindowPosChanging(MessageRecord& message)
{
    OnWindowPosChanging(this, *reinterpret_cast<WINDOWPOS*>(message.LParam));
}

void TControl::WmWindowPosChanged(MessageRecord& message)
{
    OnWindowPosChanged(this, *reinterpret_cast<WINDOWPOS*>(message.LParam));
}

void TControl::WmNcHitTest(MessageRecord&) {}

// The caption messages answer from the text buffer; when there is a window, default
// processing then answers from the window itself.
void TControl::WmGetText(MessageRecord& message)
{
    if (message.WParam == 0)
        return;
    const wchar_t* text = textBuffer_ ? textBuffer_.Get() : L"";
    auto* destination = reinterpret_cast<wchar_t*>(message.LParam);
    WideCopyN(destination, text, message.WParam - 1);
    message.Result = static_cast<LRESULT>(std::wcslen(destination));
}

void TControl::WmGetTextLength(MessageRecord& message)
{
    message.Result = textBuffer_ ? static_cast<LRESULT>(std::wcslen(textBuffer_.Get())) : 0;
}

void TControl::WmSetText(MessageRecord& message)
{
    textBuffer_ = WideBufDup(reinterpret_cast<const wchar_t*>(message.LParam));
}

} // namespace toolkit
