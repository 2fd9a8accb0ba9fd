#include "toolkit/GraphicObject.h"

namespace toolkit {

TColor ResolveColor(TColor color)
{
    if (color < 0)
        return static_cast<TColor>(GetSysColor(color & 0xFF));
    return color;
}

void TGraphicObject::Assign(const TGraphicObject*) {}

void TGraphicObject::Changed()
{
    OnChange(this);
}

} // namespace toolkit
