#include "graphics/GraphicObjects.h"

namespace graphics {

void TGraphicObjectEx::Changed()
{
    OnChange(this);
}

void TGraphicObjectEx::Assign(const TGraphicObjectEx*) {}

TSolidBrushEx::TSolidBrushEx() : TBrushEx(Gdiplus::BrushTypeSolidColor)
{
    CreateHandle();
}

void TSolidBrushEx::CreateHandle()
{
    handle_ = NewSolidFill(color_);
}

void TSolidBrushEx::SetColor(uint32_t color)
{
    SetProperty(color_, color, [&] { gp::GdipSetSolidFillColor(handle_.Get(), color_); });
}

void TSolidBrushEx::Assign(const TGraphicObjectEx* source)
{
    auto* brush = dynamic_cast<const TSolidBrushEx*>(source);
    if (!brush)
        return;
    handle_.Reset();
    color_ = brush->color_;
    CreateHandle();
}

TPenEx::TPenEx()
{
    CreateHandle();
}

void TPenEx::CreateHandle()
{
    Gdiplus::GpPen* pen = nullptr;
    if (gp::GdipCreatePen1(color_, width_, Gdiplus::UnitWorld, &pen) != Gdiplus::Ok)
        return;
    handle_.Reset(pen);
    gp::GdipSetPenDashStyle(pen, style_);
    gp::GdipSetPenMode(pen, Gdiplus::PenAlignmentInset);
    gp::GdipSetPenLineJoin(pen, Gdiplus::LineJoinMiterClipped);
}

void TPenEx::SetColor(uint32_t color)
{
    SetProperty(color_, color, [&] { gp::GdipSetPenColor(handle_.Get(), color_); });
}

void TPenEx::SetWidth(float width)
{
    SetProperty(width_, width, [&] { gp::GdipSetPenWidth(handle_.Get(), width_); });
}

void TPenEx::SetStyle(Gdiplus::DashStyle style)
{
    SetProperty(style_, style, [&] { gp::GdipSetPenDashStyle(handle_.Get(), style_); });
}

void TPenEx::Assign(const TGraphicObjectEx* source)
{
    auto* pen = dynamic_cast<const TPenEx*>(source);
    if (!pen)
        return;
    handle_.Reset();
    color_ = pen->color_;
    width_ = pen->width_;
    style_ = pen->style_;
    CreateHandle();
}

TStringFormatEx::TStringFormatEx()
{
    Gdiplus::GpStringFormat* format = nullptr;
    if (gp::GdipCreateStringFormat(0, LANG_NEUTRAL, &format) != Gdiplus::Ok)
        return;
    handle_.Reset(format);
    gp::GdipSetStringFormatFlags(format, formatFlags_);
    gp::GdipSetStringFormatAlign(format, alignment_);
    gp::GdipSetStringFormatHotkeyPrefix(format, hotkeyPrefix_);
    gp::GdipSetStringFormatLineAlign(format, lineAlignment_);
    gp::GdipSetStringFormatTrimming(format, trimming_);
}

void TStringFormatEx::SetFormatFlags(int flags)
{
    SetProperty(formatFlags_, flags, [&] { gp::GdipSetStringFormatFlags(handle_.Get(), formatFlags_); });
}

void TStringFormatEx::SetAlignment(Gdiplus::StringAlignment alignment)
{
    SetProperty(alignment_, alignment, [&] { gp::GdipSetStringFormatAlign(handle_.Get(), alignment_); });
}

void TStringFormatEx::SetHotkeyPrefix(Gdiplus::HotkeyPrefix prefix)
{
    SetProperty(hotkeyPrefix_, prefix, [&] { gp::GdipSetStringFormatHotkeyPrefix(handle_.Get(), hotkeyPrefix_); });
}

void TStringFormatEx::SetLineAlignment(Gdiplus::StringAlignment alignment)
{
    SetProperty(lineAlignment_, alignment, [&] { gp::GdipSetStringFormatLineAlign(handle_.Get(), lineAlignment_); });
}

void TStringFormatEx::SetTrimming(Gdiplus::StringTrimming trimming)
{
    SetProperty(trimming_, trimming, [&] { gp::GdipSetStringFormatTrimming(handle_.Get(), trimming_); });
}

void TStringFormatEx::Assign(const TGraphicObjectEx* source)
{
    auto* format = dynamic_cast<const TStringFormatEx*>(source);
    if (!format)
        return;
    SetFormatFlags(format->formatFlags_);
    SetAlignment(format->alignment_);
    SetHotkeyPrefix(format->hotkeyPrefix_);
    SetLineAlignment(format->lineAlignment_);
    SetTrimming(format->trimming_);
}

} // namespace graphics
