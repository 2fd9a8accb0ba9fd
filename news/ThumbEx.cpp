#include "news/ThumbEx.h"

namespace news {

TThumbEx::TThumbEx(core::TComponent* owner) : TControlEx(owner) {}

void TThumbEx::WmButtonDown(toolkit::MessageRecord& message)
{
    SetCapture(WindowHandle());
    TakeFocus();
    TControlEx::WmButtonDown(message);
}

void TThumbEx::WmButtonUp(toolkit::MessageRecord& message)
{
    ReleaseCapture();
    TControlEx::WmButtonUp(message);
}

void TThumbEx::DrawSelf()
{
    TControlEx::DrawSelf();
    if (bitmap_)
        Canvas().Draw(*bitmap_, 0, 0);
}

} // namespace news
