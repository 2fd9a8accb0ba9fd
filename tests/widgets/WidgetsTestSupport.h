#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "graphics/Bitmap.h"
#include "resources/Resources.h"
#include "tests/toolkit/PaintedTestSupport.h"

namespace widgets_testing {

// The smallest rectangle holding every pixel with any alpha; empty when there is none.
RECT InkBounds(const graphics::TBitmapEx& bitmap, RECT within);
RECT InkBounds(const graphics::TBitmapEx& bitmap);
// A skin decoded from this program's own resources, as the widgets load them.
std::unique_ptr<graphics::TBitmapEx> Skin(const skins::TSkinInfo& skin);
// Makes a widget a visible child of the parent at the given bounds in the parent.
void Place(toolkit::TControl* widget, toolkit::TControl* parent, RECT bounds);

// A hidden, clear painted window that holds the widgets of one test; it is destroyed and
// freed, with the widgets it owns, after the test.
class WidgetWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A visible widget of the window at the given bounds in the window's canvas.
    template <typename Widget> Widget* Make(RECT bounds)
    {
        auto* widget = new Widget(window_);
        Place(widget, window_, bounds);
        return widget;
    }
    // One render pass of the whole window: every widget draws on its own canvas.
    void Render() { window_->RequestRender(); }

    toolkit_testing::TPaintedWindow* window_ = nullptr;
};

} // namespace widgets_testing
