#include "toolkit/SolidBrush.h"

namespace toolkit {

void TSolidBrush::MakeHandle()
{
    handle_.Reset(CreateSolidBrush(static_cast<COLORREF>(color_)));
}

void TSolidBrush::SetColor(TColor color)
{
    if (color == color_)
        return;
    FreeHandle();
    color_ = ResolveColor(color);
    MakeHandle();
    Changed();
}

void TSolidBrush::SetStyle(int style)
{
    if (!Store(style_, style))
        return;
    handle_.Reset(CreateHatchBrush(style_, static_cast<COLORREF>(color_)));
    Changed();
}

void TSolidBrush::Assign(const TGraphicObject* source)
{
    auto* brush = dynamic_cast<const TSolidBrush*>(source);
    if (!brush || brush == this)
        return;
    FreeHandle();
    color_ = brush->color_;
    style_ = brush->style_;
    MakeHandle();
    Changed();
}

} // namespace toolkit
