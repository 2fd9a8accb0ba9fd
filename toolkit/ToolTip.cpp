#include "toolkit/ToolTip.h"

#include <commctrl.h>

#include "toolkit/WindowProcedure.h"

namespace toolkit {

namespace {

// Longer tips wrap onto further lines.
constexpr LPARAM MaxTipWidth = 300;

} // namespace

// Tips show even while another program is active, keep "&" as it is and do not fade.
void TToolTip::FillCreateParams(WindowParams& params)
{
    TWinControl::FillCreateParams(params);
    UseSystemClass(params, TOOLTIPS_CLASSW);
    params.ExStyle = WS_EX_TOPMOST;
    params.Style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_NOFADE;
}

// The tooltip is the notification window of its own tools and asks itself, when a tool
// is added, in which form it wants the notifications. Wine's tooltip class answers that
// it wants ANSI ones, and would then never send the Unicode request answered here.
void TToolTip::HandleMessage(MessageRecord& message)
{
    if (message.Msg == WM_NOTIFY)
        WmNotify(message);
    else if (message.Msg == WM_NOTIFYFORMAT && message.LParam == NF_QUERY)
        message.Result = NFR_UNICODE;
    else
        TWinControl::HandleMessage(message);
}

void TToolTip::WmNotify(MessageRecord& message)
{
    auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    if (enableTip_ && header->code == TTN_GETDISPINFOW)
        SupplyTipText(message);
}

// The tooltip reads the text after the notification returns, so it points at the
// control's own stored hint. A tool whose window or control is gone gets no text, and
// the tooltip then shows nothing.
void TToolTip::SupplyTipText(MessageRecord& message)
{
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(message.LParam);
    auto tool = reinterpret_cast<HWND>(info->hdr.idFrom);
    if (!IsWindow(tool))
        return;
    SendMessageW(info->hdr.hwndFrom, TTM_SETMAXTIPWIDTH, 0, MaxTipWidth);
    TControl* control = ControlFromWindow(tool);
    if (control && control->ShowHint() && !control->Hint().empty())
        info->lpszText = const_cast<wchar_t*>(control->Hint().c_str());
}

COLORREF TToolTip::BackColor() const
{
    return HasWindow() ? static_cast<COLORREF>(SendMessageW(WindowHandle(), TTM_GETTIPBKCOLOR, 0, 0)) : 0;
}

void TToolTip::SetBackColor(COLORREF color)
{
    if (HasWindow())
        SendMessageW(WindowHandle(), TTM_SETTIPBKCOLOR, color, 0);
}

COLORREF TToolTip::TextColor() const
{
    return HasWindow() ? static_cast<COLORREF>(SendMessageW(WindowHandle(), TTM_GETTIPTEXTCOLOR, 0, 0)) : 0;
}

void TToolTip::SetTextColor(COLORREF color)
{
    if (HasWindow())
        SendMessageW(WindowHandle(), TTM_SETTIPTEXTCOLOR, color, 0);
}

} // namespace toolkit
