#pragma once
#include "toolkit/GdiHandles.h"
#include "toolkit/GraphicObject.h"

namespace toolkit {

// A GDI pen. A new pen is black, solid and 0 wide but has no handle: the first handle
// is made when a setting actually changes.
class TPen : public TGraphicObject {
public:
    HPEN Handle() const { return handle_.Get(); }
    void SetHandle(HPEN handle) { AdoptHandle(handle_, handle); }
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Style() const { return style_; }
    void SetStyle(int style);
    int Width() const { return width_; }
    void SetWidth(int width);

    void MakeHandle();
    void FreeHandle() { handle_.Reset(); }

private:
    void Rebuild();

    TPenHandle handle_;
    TColor color_ = 0;
    int style_ = PS_SOLID;
    int width_ = 0;
};

} // namespace toolkit
