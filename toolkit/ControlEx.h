#pragma once
#include <cstdint>
#include <memory>

#include "core/Component.h"
#include "graphics/CanvasEx.h"
#include "graphics/FontEx.h"
#include "toolkit/Control.h"

namespace toolkit {

// Base of everything drawn inside the layered top-level window. Each painted control
// owns an ARGB canvas of its own size; a render pass draws the control's content on it,
// renders the visible children and composes their canvases into this one from the
// bottom of the sibling order to the top, each at its position and with its Opacity,
// and finally composes this canvas into the parent's. The native window exists for
// input only: nothing it would paint itself reaches the screen.
//
// Redraw, Cached and Locked (fields of TControl) steer the pass: a control draws its
// content only while Redraw is set, and a Cached one clears Redraw after drawing, so it
// keeps reusing its picture until somebody sets Redraw again. A Locked control neither
// draws nor renders its children, but its frozen canvas is still composed.
class TControlEx : public TControl {
public:
    explicit TControlEx(core::TComponent* owner);

    void Render() override;
    void Compose() override;

    // Renders the visible child controls, bottom of the sibling order first, so that
    // later siblings are composed on top.
    void RenderChildren();

    // True only while Render of this control runs.
    bool Painting() const { return painting_; }
    graphics::TCanvasEx& Canvas() const { return *canvas_; }
    graphics::TFontEx& Font() const { return canvas_->Font(); }
    uint8_t Opacity() const { return opacity_; }
    // Takes effect at the next composition; it neither redraws nor composes by itself.
    void SetOpacity(uint8_t opacity);

    // Raised after the canvas was cleared, so the owner can draw a plain painted control.
    core::TNotifyEvent OnPaint;

protected:
    // The canvas takes the window's size before anything runs inside WM_CREATE.
    void WmCreate(MessageRecord& message) override;
    void WmSize(MessageRecord& message) override;
    void MakeWindow() override;
    // Clears the canvas, then raises OnPaint. Painted widgets run this first and then
    // draw their own content.
    void DrawSelf() override;

private:
    // A font change by itself neither redraws nor composes; it only tells the control.
    void NotifyFontChanged(core::TObject* sender);
    void FitCanvas();

    bool painting_ = false;
    std::unique_ptr<graphics::TCanvasEx> canvas_;
    uint8_t opacity_ = 255;
};

} // namespace toolkit
