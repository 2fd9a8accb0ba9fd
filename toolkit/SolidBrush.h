#pragma once
#include "toolkit/GdiHandles.h"
#include "toolkit/GraphicObject.h"

namespace toolkit {

// A GDI brush, solid unless a hatch style was chosen last. The colour is kept as the RGB
// value it stood for when it was set, so setting a system colour always makes a new
// brush. A new brush has no colour and no handle.
class TSolidBrush : public TGraphicObject {
public:
    HBRUSH Handle() const { return handle_.Get(); }
    void SetHandle(HBRUSH handle) { AdoptHandle(handle_, handle); }
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    // A GDI hatch style; setting it makes a hatched brush of the current colour.
    int Style() const { return style_; }
    void SetStyle(int style);

    void MakeHandle();
    void FreeHandle() { handle_.Reset(); }
    void Assign(const TGraphicObject* source) override;

private:
    TBrushHandle handle_;
    TColor color_ = -1;
    int style_ = 0;
};

} // namespace toolkit
