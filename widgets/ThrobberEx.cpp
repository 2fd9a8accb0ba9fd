#include "widgets/ThrobberEx.h"

#include "resources/Resources.h"

namespace widgets {

namespace {

// The frames are as tall as the strip is wide.
constexpr int FrameSize = skins::Throbber.Width;
constexpr int FrameCount = skins::Throbber.Height / FrameSize;
constexpr int LastFrame = FrameCount - 1;
// Every colour channel becomes 0 and alpha stays: a black animation.
constexpr uint32_t Black = 0xFF000000;

} // namespace

TThrobberEx::TThrobberEx(core::TComponent* owner)
    : TControlEx(owner),
      strip_(graphics::TBitmapEx::CreateFromResource(GetModuleHandleW(nullptr), "PNG", skins::Throbber.Id))
{
    strip_->Tint(Black);
}

void TThrobberEx::SetFrame(int value)
{
    frame_ = (frame_ < 0 || frame_ >= LastFrame) ? 0 : value;
}

// A frame set outside the strip shows nothing; it is not multiplied out, where a large
// number would overflow.
void TThrobberEx::DrawSelf()
{
    TControlEx::DrawSelf();
    if (frame_ >= 0 && frame_ < FrameCount)
        Canvas().DrawRect(*strip_, 0, 0, 0, frame_ * FrameSize, FrameSize, FrameSize);
}

} // namespace widgets
