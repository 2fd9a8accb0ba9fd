#pragma once
#include <cstdint>
#include <memory>

#include "toolkit/Canvas.h"
#include "toolkit/Control.h"
#include "toolkit/Font.h"
#include "toolkit/Pen.h"
#include "toolkit/SolidBrush.h"

namespace toolkit {

// A control whose window Windows itself draws (a system control, or a window that paints
// with GDI): it carries a GDI font, brush and pen, and a canvas for painting. A new
// font reaches the window through WM_SETFONT; any change repaints the window.
class TWinControl : public TControl {
public:
    explicit TWinControl(core::TComponent* owner);

protected:
    void BuildWindow() override;

public:
    void HandleMessage(MessageRecord& message) override;
    void InvalidateSelf() override;
    void Render() override;

protected:
    virtual void WmPaint(MessageRecord& message);
    virtual void WmNcPaint(MessageRecord& message);
    virtual void WmEraseBkgnd(MessageRecord& message);

public:
    TCanvas& Canvas() { return *canvas_; }
    TFont& Font() { return *font_; }
    TSolidBrush& Brush() { return *brush_; }
    TPen& Pen() { return *pen_; }
    TColor Color() const { return brush_->Color(); }
    void SetColor(TColor color) { brush_->SetColor(color); }
    // Stored only: a classic window is opaque unless a descendant says otherwise.
    uint8_t Opacity() const { return opacity_; }
    void SetOpacity(uint8_t opacity) { opacity_ = opacity; }

private:
    void SendFont();
    void FontChanged(core::TObject* sender);
    void DrawingObjectChanged(core::TObject* sender);

    // Freed in reverse: canvas, pen, brush, font.
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TSolidBrush> brush_;
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TCanvas> canvas_;
    uint8_t opacity_ = 255;
};

} // namespace toolkit
