#include "widgets/CheckBoxEx.h"

namespace widgets {

TCheckBoxEx::TCheckBoxEx(core::TComponent* owner) : TControlEx(owner) {}

// The image sits at the top rather than centred: the skin's images are as tall as the box.
void TCheckBoxEx::DrawSelf()
{
    TControlEx::DrawSelf();
    RECT area = LocalRect();
    const graphics::TBitmapEx* image = checked_ ? stateBitmaps_.CheckedBitmap() : stateBitmaps_.Unchecked();
    if (image) {
        Canvas().Draw(*image, 0, 0);
        area.left += image->Width();
    }
    Canvas().TextRect(area, Caption());
}

} // namespace widgets
