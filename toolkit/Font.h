#pragma once
#include <string>

#include "toolkit/GdiHandles.h"
#include "toolkit/GraphicObject.h"

namespace toolkit {

// Bits of TFont::Style.
inline constexpr int fsBold = 1;
inline constexpr int fsItalic = 2;
inline constexpr int fsUnderline = 4;
inline constexpr int fsStrikeOut = 8;

// A GDI font of the Turkish character set, based on the system's message font and
// sized in points for the screen. The colour only travels with the font (a canvas sets
// it as the text colour); it is kept resolved to RGB.
class TFont : public TGraphicObject {
public:
    TFont();

    HFONT Handle() const { return handle_.Get(); }
    void SetHandle(HFONT handle) { AdoptHandle(handle_, handle); }
    int Size() const { return size_; }
    void SetSize(int size);
    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name);
    int Style() const { return style_; }
    void SetStyle(int style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    void MakeHandle();
    void FreeHandle() { handle_.Reset(); }
    void Assign(const TGraphicObject* source) override;

private:
    void Rebuild();

    TFontHandle handle_;
    int size_ = 8;
    std::wstring name_ = L"Tahoma";
    int style_ = 0;
    TColor color_ = 0;
};

} // namespace toolkit
