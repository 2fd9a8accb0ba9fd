#pragma once
#include <cstdint>
#include <string>

#include "graphics/GraphicObjects.h"

namespace graphics {

// A GDI+ font with its text colour and brush. The font is looked for in this order:
// the family Name, GDI+'s generic sans-serif family, then every installed family in
// turn (some systems, Wine without font replacements among them, have neither of the
// first two). When no font at all can be made, Handle is none and the canvas draws and
// measures no text.
class TFontEx : public TGraphicObjectEx {
public:
    TFontEx();

    Gdiplus::GpFont* Handle() const { return handle_.Get(); }
    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name);
    int Size() const { return size_; }
    void SetSize(int size);
    int Style() const { return style_; }
    void SetStyle(int style);
    // An opaque colour is kept with alpha 254.
    uint32_t Color() const { return color_; }
    void SetColor(uint32_t color);
    Gdiplus::GpBrush* Brush() const { return brush_.Get(); }
    TStringFormatEx& Format() { return format_; }
    const TStringFormatEx& Format() const { return format_; }

    void Assign(const TGraphicObjectEx* source) override;

private:
    void CreateHandle();
    void Recreate();

    std::wstring name_ = L"Arial";
    int size_ = 10;
    int style_ = 0;
    uint32_t color_ = 0xFE000000;
    TGpSolidFill brush_;
    TStringFormatEx format_;
    TGpFont handle_;
};

} // namespace graphics
