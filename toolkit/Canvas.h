#pragma once
#include <memory>

#include "core/Event.h"
#include "core/Object.h"
#include "core/Win32.h"
#include "toolkit/Font.h"
#include "toolkit/Pen.h"
#include "toolkit/SolidBrush.h"

namespace toolkit {

class TWinControl;

// Selects a font, a brush and a pen into a device context it does not own. Objects are
// selected only when they change while the device context is set; setting the device
// context itself selects nothing, and nothing is deselected before it is deleted.
class TCanvas : public core::TObject {
public:
    TCanvas();

    core::TNotifyEvent OnChange;

    HDC Handle() const { return handle_; }
    void SetHandle(HDC dc);
    bool HasHandle() const { return handle_ != nullptr; }
    TWinControl* Control() const { return control_; }
    void SetControl(TWinControl* control) { control_ = control; }
    TFont& Font() { return *font_; }
    TSolidBrush& Brush() { return *brush_; }
    TPen& Pen() { return *pen_; }

    virtual void Changed();

private:
    void FontChanged(core::TObject* sender);
    void BrushChanged(core::TObject* sender);
    void PenChanged(core::TObject* sender);

    HDC handle_ = nullptr;
    TWinControl* control_ = nullptr;
    // Freed in reverse: pen, brush, font.
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TSolidBrush> brush_;
    std::unique_ptr<TPen> pen_;
};

} // namespace toolkit
