#pragma once
#include <memory>

#include "graphics/Bitmap.h"
#include "toolkit/ControlEx.h"

namespace widgets {

// Shows one PNG resource of the program. What is drawn is a working copy of the decoded
// image, so callers may Tint or Fade it and get the original back by loading it again.
class TImageEx : public toolkit::TControlEx {
public:
    explicit TImageEx(core::TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    // Takes effect at the next load.
    void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }
    int ResourceId() const { return resourceId_; }
    // Raises core::EResNotFound for a missing resource; the control then holds no image.
    void SetResource(int id);
    void LoadImage();
    // The working copy, still owned by the control; none before an image was loaded.
    graphics::TBitmapEx* WorkBitmap() const { return workBitmap_.get(); }

protected:
    void FillCreateParams(toolkit::WindowParams& params) override;
    void DrawSelf() override;

private:
    std::unique_ptr<graphics::TBitmapEx> image_;
    std::unique_ptr<graphics::TBitmapEx> workBitmap_;
    bool autoSize_ = true;
    int resourceId_ = 0;
};

} // namespace widgets
