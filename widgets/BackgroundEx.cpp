#include "widgets/BackgroundEx.h"

namespace widgets {

TBackgroundEx::TBackgroundEx(core::TComponent* owner) : TControlEx(owner) {}

void TBackgroundEx::DrawSelf()
{
    TControlEx::DrawSelf();
    if (bitmap_)
        Canvas().Draw(*bitmap_, 0, 0);
}

} // namespace widgets
