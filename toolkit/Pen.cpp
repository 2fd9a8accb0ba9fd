#include "toolkit/Pen.h"

namespace toolkit {

void TPen::MakeHandle()
{
    handle_.Reset(CreatePen(style_, width_, static_cast<COLORREF>(ResolveColor(color_))));
}

void TPen::Rebuild()
{
    FreeHandle();
    MakeHandle();
    Changed();
}

void TPen::SetColor(TColor color)
{
    if (Store(color_, color))
        Rebuild();
}

void TPen::SetStyle(int style)
{
    if (Store(style_, style))
        Rebuild();
}

void TPen::SetWidth(int width)
{
    if (Store(width_, width))
        Rebuild();
}

} // namespace toolkit
