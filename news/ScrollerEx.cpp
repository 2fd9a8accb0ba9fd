#include "news/ScrollerEx.h"

namespace news {

TScrollerEx::TScrollerEx(core::TComponent* owner) : TControlEx(owner) {}

void TScrollerEx::DrawSelf()
{
    TControlEx::DrawSelf();
    if (bitmap_)
        Canvas().Draw(*bitmap_, 0, 0);
}

} // namespace news
