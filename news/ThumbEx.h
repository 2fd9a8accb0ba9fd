#pragma once
#include <memory>

#include "graphics/Bitmap.h"
#include "toolkit/ControlEx.h"

namespace news {

// The thumb of the headline list's scroll bar, a child of the track. A press captures
// the pointer until the release, so the drag (OnDrag) goes on while the pointer is
// outside the thumb or the window, and gives the thumb the keyboard focus, so the
// navigation keys reach its OnKeyDown.
class TThumbEx : public toolkit::TControlEx {
public:
    explicit TThumbEx(core::TComponent* owner);

    graphics::TBitmapEx* Bitmap() const { return bitmap_.get(); }
    // Frees the image held and takes the new one.
    void SetBitmap(std::unique_ptr<graphics::TBitmapEx> bitmap) { bitmap_ = std::move(bitmap); }

protected:
    void WmButtonDown(toolkit::MessageRecord& message) override;
    void WmButtonUp(toolkit::MessageRecord& message) override;
    void DrawSelf() override;

private:
    std::unique_ptr<graphics::TBitmapEx> bitmap_;
};

} // namespace news
