// The busy indicator: the order of its frames, and each frame as it is drawn.
#include <gtest/gtest.h>

#include <climits>

#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/widgets/WidgetsTestSupport.h"
#include "widgets/ThrobberEx.h"

using graphics_test::PixelAt;
using graphics_test::Pixels;
using widgets::TThrobberEx;

namespace {

// The frames are squares as wide as the strip.
constexpr int FrameSize = skins::Throbber.Width;
constexpr int FrameCount = skins::Throbber.Height / skins::Throbber.Width;

class Throbber : public widgets_testing::WidgetWindowTest {
protected:
    TThrobberEx* MakeThrobber() { return Make<TThrobberEx>(RECT{26, 30, 26 + FrameSize, 30 + FrameSize}); }
};

// Frame `frame` of the strip as the program shows it: every colour black, alpha kept.
std::vector<uint32_t> BlackFrame(int frame)
{
    auto strip = widgets_testing::Skin(skins::Throbber);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < FrameSize; ++y)
        for (int x = 0; x < FrameSize; ++x)
            pixels.push_back(PixelAt(*strip, x, frame * FrameSize + y) & 0xFF000000);
    return pixels;
}

} // namespace

TEST_F(Throbber, AdvanceRunsThroughEveryFrameAndStartsOver)
{
    TThrobberEx* throbber = MakeThrobber();
    EXPECT_EQ(throbber->Frame(), 0);
    for (int step = 1; step <= 2 * FrameCount + 1; ++step) {
        throbber->Advance();
        EXPECT_EQ(throbber->Frame(), step % FrameCount) << "after " << step << " steps";
    }
}

// The range is tested on the frame shown before the step, never on the new value.
TEST_F(Throbber, SetFrameTestsTheFrameBeforeTheStep)
{
    struct Case {
        int from;
        int value;
        int set;
        int afterAdvance;
    } cases[] = {
        {5, 40, 40, 0}, {0, -3, -3, 0}, {FrameCount - 2, 3, 3, 4}, {FrameCount - 1, 3, 0, 1}, {0, INT_MAX, INT_MAX, 0},
    };
    TThrobberEx* throbber = MakeThrobber();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.value);
        throbber->SetFrame(0);
        throbber->SetFrame(c.from);
        throbber->SetFrame(c.value);
        EXPECT_EQ(throbber->Frame(), c.set);
        throbber->Advance();
        EXPECT_EQ(throbber->Frame(), c.afterAdvance);
    }
}

// The canvas is one frame large, so the current frame alone is seen. The frames are
// dumped side by side for people to look at.
TEST_F(Throbber, EachFrameIsDrawnInBlackAtTheTopLeftCorner)
{
    TThrobberEx* throbber = MakeThrobber();
    auto sheet = graphics::TBitmapEx::CreateBlank(FrameCount * (FrameSize + 2), FrameSize, CAIRO_FORMAT_ARGB32);
    graphics::TCanvasEx sheetCanvas(sheet->Width(), CAIRO_FORMAT_ARGB32, sheet->Height());
    for (int frame = 0; frame < FrameCount; ++frame) {
        SCOPED_TRACE(frame);
        throbber->SetFrame(frame);
        throbber->SetRedraw(true);
        Render();
        const graphics::TBitmapEx& canvas = throbber->Canvas().Bitmap();
        ASSERT_EQ(canvas.Width(), FrameSize);
        ASSERT_EQ(canvas.Height(), FrameSize);
        EXPECT_EQ(Pixels(canvas), BlackFrame(frame));
        EXPECT_GT(graphics_test::InkedPixels(canvas), 10);
        sheetCanvas.Draw(canvas, frame * (FrameSize + 2), 0);
    }
    EXPECT_NE(BlackFrame(0), BlackFrame(1)) << "the frames differ";
    graphics_test::SaveArtefact(sheetCanvas.Bitmap(), L"throbber-frames.png");
}

TEST_F(Throbber, AFrameOutsideTheStripDrawsNothing)
{
    TThrobberEx* throbber = MakeThrobber();
    for (int frame : {FrameCount, 40, -1, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(frame);
        throbber->SetFrame(0);
        throbber->SetFrame(frame);
        throbber->SetRedraw(true);
        Render();
        EXPECT_EQ(graphics_test::InkedPixels(throbber->Canvas().Bitmap()), 0);
    }
}
