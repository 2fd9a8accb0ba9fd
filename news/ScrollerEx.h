#pragma once
#include <memory>

#include "graphics/Bitmap.h"
#include "toolkit/ControlEx.h"

namespace news {

// The track of the headline list's scroll bar. It only draws its image; the main window
// scrolls on its OnMouseDown.
class TScrollerEx : public toolkit::TControlEx {
public:
    explicit TScrollerEx(core::TComponent* owner);

    graphics::TBitmapEx* Bitmap() const { return bitmap_.get(); }
    // Frees the image held and takes the new one.
    void SetBitmap(std::unique_ptr<graphics::TBitmapEx> bitmap) { bitmap_ = std::move(bitmap); }

protected:
    void DrawSelf() override;

private:
    std::unique_ptr<graphics::TBitmapEx> bitmap_;
};

} // namespace news
