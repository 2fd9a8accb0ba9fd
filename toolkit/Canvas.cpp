#include "toolkit/Canvas.h"

namespace toolkit {

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), brush_(std::make_unique<TSolidBrush>()), pen_(std::make_unique<TPen>())
{
    font_->OnChange.Bind(this, &TCanvas::FontChanged);
    brush_->OnChange.Bind(this, &TCanvas::BrushChanged);
    brush_->SetColor(clWindow);
    pen_->OnChange.Bind(this, &TCanvas::PenChanged);
}

void TCanvas::SetHandle(HDC dc)
{
    handle_ = dc;
}

void TCanvas::Changed()
{
    OnChange(this);
}

void TCanvas::FontChanged(core::TObject*)
{
    if (!HasHandle())
        return;
    SelectObject(handle_, font_->Handle());
    SetTextColor(handle_, static_cast<COLORREF>(font_->Color()));
    Changed();
}

void TCanvas::BrushChanged(core::TObject*)
{
    if (!HasHandle())
        return;
    SelectObject(handle_, brush_->Handle());
    Changed();
}

void TCanvas::PenChanged(core::TObject*)
{
    if (!HasHandle())
        return;
    SelectObject(handle_, pen_->Handle());
    Changed();
}

} // namespace toolkit
