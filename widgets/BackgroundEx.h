#pragma once
#include <memory>

#include "graphics/Bitmap.h"
#include "toolkit/ControlEx.h"

namespace widgets {

// Draws the window's skin image at its top-left corner.
class TBackgroundEx : public toolkit::TControlEx {
public:
    explicit TBackgroundEx(core::TComponent* owner);

    graphics::TBitmapEx* Bitmap() const { return bitmap_.get(); }
    // Frees the image held and takes the new one.
    void SetBitmap(std::unique_ptr<graphics::TBitmapEx> bitmap) { bitmap_ = std::move(bitmap); }

protected:
    void DrawSelf() override;

private:
    std::unique_ptr<graphics::TBitmapEx> bitmap_;
};

} // namespace widgets
