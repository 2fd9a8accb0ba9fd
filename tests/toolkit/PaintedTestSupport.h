#pragma once
#include <cstdint>
#include <vector>

#include "core/Win32.h"
#include "toolkit/ControlEx.h"
#include "toolkit/WindowEx.h"

namespace toolkit_testing {

// Fills every pixel of a canvas with one premultiplied ARGB value.
void FillCanvas(graphics::TCanvasEx& canvas, uint32_t color);

// A painted control (or window) that paints itself in one premultiplied ARGB colour (0:
// left clear) and counts its drawings and font-change notices.
template <typename Base> class TFilled : public Base {
public:
    explicit TFilled(core::TComponent* owner, uint32_t fill = 0) : Base(owner), color(fill) {}

    uint32_t color;
    int draws = 0;
    int fontChanges = 0;

protected:
    void DrawSelf() override
    {
        Base::DrawSelf();
        ++draws;
        if (color)
            FillCanvas(this->Canvas(), color);
    }
    void WmFontChanged(toolkit::MessageRecord&) override { ++fontChanges; }
};

using TBox = TFilled<toolkit::TControlEx>;
using TPaintedWindow = TFilled<toolkit::TWindowEx>;

// A visible painted child of the parent with the given bounds (in the parent's client
// coordinates) and colour; the parent owns it.
TBox* MakeBox(toolkit::TControl* parent, RECT bounds, uint32_t color);

// A painted top-level window with a live, hidden window at the given screen bounds,
// filled with the colour. Destroy it with DestroyPainted.
TPaintedWindow* MakePaintedWindow(RECT bounds, uint32_t color);
// Destroys the window, then frees the object and the controls it owns.
void DestroyPainted(toolkit::TWindowEx* window);
// Shows a top-level window without activating it. Without a window manager Wine waits
// two seconds for the withdrawal of a window that was ever active when it is hidden or
// destroyed; a window that never was is taken down at once.
void ShowWithoutActivating(toolkit::TWindowEx* window);

// What a canvas should hold: opaque rectangles painted in order, each cut at a clip
// rectangle, over a background colour. Coordinates are the canvas's own.
class TExpectedPicture {
public:
    TExpectedPicture(int width, int height, uint32_t background);
    void Paint(RECT area, RECT clip, uint32_t color);
    uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }
    // The colour channels alone (0x00RRGGBB), as the screen shows them without a
    // compositor.
    std::vector<uint32_t> Colors() const;

private:
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
};

// A three-level tree inside a window: two overlapping containers, the later one on top,
// and in the first container a grandchild that sticks out over its parent's edge.
struct TThreeLevelTree {
    TPaintedWindow* window;
    TBox* lower;
    TBox* upper;
    TBox* grandchild;
    TBox* edgeGrandchild;
    // The picture one render of the window must produce, with the upper container shown
    // or hidden.
    TExpectedPicture Expected(bool upperShown = true) const;
};
TThreeLevelTree MakeThreeLevelTree(POINT position);

} // namespace toolkit_testing
