#include "toolkit/WinControl.h"

namespace toolkit {

TWinControl::TWinControl(core::TComponent* owner)
    : TControl(owner), font_(std::make_unique<TFont>()), brush_(std::make_unique<TSolidBrush>()),
      pen_(std::make_unique<TPen>()), canvas_(std::make_unique<TCanvas>())
{
    font_->OnChange.Bind(this, &TWinControl::FontChanged);
    // The first colour needs no repaint: there is no window yet.
    brush_->SetColor(clGreen);
    brush_->OnChange.Bind(this, &TWinControl::DrawingObjectChanged);
    pen_->OnChange.Bind(this, &TWinControl::DrawingObjectChanged);
}

void TWinControl::BuildWindow()
{
    TControl::BuildWindow();
    SendFont();
}

// The font is handed to the window's own procedure, so system controls draw with it.
void TWinControl::SendFont()
{
    SendToSelf(WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), TRUE);
}

void TWinControl::FontChanged(core::TObject*)
{
    SendFont();
    InvalidateSelf();
}

void TWinControl::DrawingObjectChanged(core::TObject*)
{
    InvalidateSelf();
}

void TWinControl::InvalidateSelf()
{
    if (HasWindow())
        InvalidateRect(WindowHandle(), nullptr, TRUE);
}

void TWinControl::Render() {}

void TWinControl::HandleMessage(MessageRecord& message)
{
    // clang-format off
    switch (message.Msg) {
    case WM_PAINT: WmPaint(message); return;
    case WM_NCPAINT: WmNcPaint(message); return;
    case WM_ERASEBKGND: WmEraseBkgnd(message); return;
    default: TControl::HandleMessage(message); return;
    }
    // clang-format on
}

void TWinControl::WmPaint(MessageRecord& message)
{
    CallDefaultProc(message);
}

void TWinControl::WmNcPaint(MessageRecord& message)
{
    CallDefaultProc(message);
}

void TWinControl::WmEraseBkgnd(MessageRecord& message)
{
    CallDefaultProc(message);
}

} // namespace toolkit
