#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "graphics/Bitmap.h"
#include "toolkit/ControlEx.h"

namespace widgets {

// How a label's shadow looks. The label creates it; callers change the fields directly,
// and the next UpdateText builds the shadow from them.
struct TDropShadow {
    bool Enabled = true;
    int OffsetY = 2;
    int OffsetX = 2;
    int Passes = 2;
    // Drawn through the font, which keeps an opaque colour with alpha 254.
    uint32_t Color = 0xFF000000;
};

// A painted text label. It draws Data with its canvas's font and string format, can take
// the size of its text, and can put a blurred copy of the text under it as a shadow.
// The font in use when UpdateText runs is the one measured and shadowed: a later font
// change neither re-fits the label nor rebuilds the shadow.
class TSkinText : public toolkit::TControlEx {
public:
    explicit TSkinText(core::TComponent* owner);

    TDropShadow& Shadow() { return shadow_; }
    const graphics::TBitmapEx* ShadowBitmap() const { return shadowBitmap_.get(); }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    const std::wstring& Data() const { return data_; }
    // Always refits and rebuilds the shadow, even for the text already shown.
    void SetData(const std::wstring& data);

    void UpdateText();
    void FitToText();
    void BuildShadow();

protected:
    void FillCreateParams(toolkit::WindowParams& params) override;
    void WmSetText(toolkit::MessageRecord& message) override;
    void MakeWindow() override;
    void DrawSelf() override;

private:
    std::unique_ptr<graphics::TBitmapEx> shadowBitmap_;
    TDropShadow shadow_;
    bool autoSize_ = true;
    std::wstring data_;
};

} // namespace widgets
