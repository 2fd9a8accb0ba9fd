#pragma once
#include <memory>

#include "graphics/Bitmap.h"
#include "toolkit/ControlEx.h"

namespace widgets {

// The two images of a check box; each setter frees the image it replaces.
class TStateBitmaps {
public:
    graphics::TBitmapEx* Unchecked() const { return unchecked_.get(); }
    void SetUnchecked(std::unique_ptr<graphics::TBitmapEx> bitmap) { unchecked_ = std::move(bitmap); }
    graphics::TBitmapEx* CheckedBitmap() const { return checked_.get(); }
    void SetCheckedBitmap(std::unique_ptr<graphics::TBitmapEx> bitmap) { checked_ = std::move(bitmap); }

private:
    std::unique_ptr<graphics::TBitmapEx> unchecked_;
    std::unique_ptr<graphics::TBitmapEx> checked_;
};

// A painted check box: the image of its state at the top-left corner, the caption (the
// window text) to its right. The box never toggles itself: its owner sets Checked and
// asks for a redraw.
class TCheckBoxEx : public toolkit::TControlEx {
public:
    explicit TCheckBoxEx(core::TComponent* owner);

    TStateBitmaps& StateBitmaps() { return stateBitmaps_; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }

protected:
    void DrawSelf() override;

private:
    TStateBitmaps stateBitmaps_;
    bool checked_ = false;
};

} // namespace widgets
