#pragma once
#include <memory>

#include "graphics/Bitmap.h"
#include "toolkit/ControlEx.h"

namespace widgets {

// The busy indicator: square frames stacked top to bottom in one strip image, drawn in
// black, one frame at a time at the control's top-left corner.
class TThrobberEx : public toolkit::TControlEx {
public:
    // Loads the strip from the program's resources; raises core::EResNotFound without it.
    explicit TThrobberEx(core::TComponent* owner);

    int Frame() const { return frame_; }
    // The range is tested on the frame shown before the step, not on the new value, so
    // Advance runs through every frame of the strip and then starts over.
    void SetFrame(int value);
    void Advance() { SetFrame(frame_ + 1); }

protected:
    void DrawSelf() override;

private:
    std::unique_ptr<graphics::TBitmapEx> strip_;
    int frame_ = 0;
};

} // namespace widgets
