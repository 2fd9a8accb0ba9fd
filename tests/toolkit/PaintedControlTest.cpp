// The render pass of painted controls, read back from the canvases of hidden layered
// windows: what is drawn, in which order, with which opacity, and what is skipped.
#include <gtest/gtest.h>

#include <stdexcept>
#include <typeinfo>

#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/support/ResourceUsage.h"
#include "tests/toolkit/PaintedTestSupport.h"
#include "tests/toolkit/ToolkitTestSupport.h"

using namespace toolkit;
using namespace toolkit_testing;
using graphics_test::PixelAt;

namespace {

// Hidden windows stand anywhere; nothing of them reaches the screen.
constexpr POINT Nowhere{50, 50};
constexpr RECT HiddenBounds{50, 50, 150, 130};

uint32_t WindowPixel(const TWindowEx* window, POINT at)
{
    return PixelAt(window->Canvas().Bitmap(), at.x, at.y);
}

// The middle of a control, in its window's canvas coordinates.
POINT CentreInWindow(const TControl* control)
{
    POINT centre{control->Left() + control->Width() / 2, control->Top() + control->Height() / 2};
    for (const TControl* parent = control->Parent(); parent && parent->Parent(); parent = parent->Parent()) {
        centre.x += parent->Left();
        centre.y += parent->Top();
    }
    return centre;
}

class PaintedTree : public ::testing::Test {
protected:
    void SetUp() override { tree_ = MakeThreeLevelTree(Nowhere); }
    void TearDown() override { DestroyPainted(tree_.window); }

    uint32_t PixelOver(const TControl* control) const { return WindowPixel(tree_.window, CentreInWindow(control)); }

    TThreeLevelTree tree_{};
};

} // namespace

TEST_F(PaintedTree, RendersExactlyTheComposedPicture)
{
    tree_.window->RequestRender();
    EXPECT_EQ(graphics_test::Pixels(tree_.window->Canvas().Bitmap()), tree_.Expected().Pixels());
    // Each control keeps its own content on its own canvas, at its own size.
    EXPECT_EQ(tree_.lower->Canvas().Width(), tree_.lower->Width());
    EXPECT_EQ(PixelAt(tree_.grandchild->Canvas().Bitmap(), 0, 0), tree_.grandchild->color);
    EXPECT_EQ(PixelAt(tree_.lower->Canvas().Bitmap(), 0, 0), tree_.lower->color);
    for (TBox* box : {tree_.lower, tree_.upper, tree_.grandchild, tree_.edgeGrandchild})
        EXPECT_EQ(box->draws, 1);
}

TEST_F(PaintedTree, TheSiblingOrderDecidesWhatIsOnTop)
{
    const POINT overlap{65, 20};
    tree_.window->RequestRender();
    EXPECT_EQ(WindowPixel(tree_.window, overlap), tree_.upper->color) << "the later sibling is on top";

    SetWindowPos(tree_.lower->WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    tree_.window->RequestRender();
    EXPECT_EQ(WindowPixel(tree_.window, overlap), tree_.lower->color) << "raised in the sibling order";
}

TEST_F(PaintedTree, AHiddenControlIsNeitherDrawnNorComposedNorAreItsChildren)
{
    tree_.lower->Hide();
    tree_.window->RequestRender();
    EXPECT_EQ(PixelOver(tree_.lower), tree_.window->color);
    EXPECT_EQ(PixelOver(tree_.grandchild), tree_.window->color);
    EXPECT_EQ(PixelOver(tree_.upper), tree_.upper->color);
    EXPECT_EQ(tree_.lower->draws, 0);
    EXPECT_EQ(tree_.grandchild->draws, 0);
}

TEST_F(PaintedTree, OpacityMultipliesAlongTheTree)
{
    struct Case {
        uint8_t container;
        uint8_t grandchild;
        uint32_t expected; // over the grandchild, on a clear window
    } cases[] = {
        {255, 255, 0xFFFF0000},
        {128, 255, 0x80800000}, // the grandchild at full strength into a half-strength container
        {255, 0, 0xFF008000},   // composed invisibly: the container shows through
        {0, 255, 0x00000000},
    };
    tree_.window->color = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.container) << " " << int(c.grandchild));
        tree_.lower->SetOpacity(c.container);
        tree_.grandchild->SetOpacity(c.grandchild);
        tree_.window->RequestRender();
        EXPECT_EQ(PixelOver(tree_.grandchild), c.expected);
    }
}

TEST_F(PaintedTree, ACachedControlDrawsOnceUntilRedrawIsSet)
{
    TBox* cached = tree_.grandchild;
    cached->SetCached(true);
    const uint32_t first = cached->color;
    for (int frame = 0; frame < 10; ++frame) {
        tree_.window->RequestRender();
        // The window and the container were cleared and drawn again; the cached canvas
        // is composed into them every time.
        ASSERT_EQ(PixelOver(cached), first) << "frame " << frame;
        if (frame == 0)
            cached->color = 0xFF0000FF; // only a new drawing would show it
    }
    EXPECT_EQ(cached->draws, 1);
    EXPECT_EQ(tree_.window->draws, 10);
    EXPECT_EQ(tree_.lower->draws, 10);
    EXPECT_FALSE(cached->Redraw());

    cached->SetRedraw(true);
    tree_.window->RequestRender();
    EXPECT_EQ(cached->draws, 2);
    EXPECT_EQ(PixelOver(cached), 0xFF0000FFu);
    EXPECT_FALSE(cached->Redraw());
}

TEST_F(PaintedTree, AResizedCachedControlIsEmptyUntilRedrawIsSet)
{
    TBox* cached = tree_.upper;
    cached->SetCached(true);
    tree_.window->RequestRender();
    cached->SetWidth(cached->Width() - 10);
    EXPECT_EQ(cached->Canvas().Width(), cached->Width());
    tree_.window->RequestRender();
    EXPECT_EQ(PixelOver(cached), tree_.window->color) << "the canvas was made anew, empty";

    cached->SetRedraw(true);
    tree_.window->RequestRender();
    EXPECT_EQ(PixelOver(cached), cached->color);
}

TEST_F(PaintedTree, ALockedControlComposesItsFrozenPicture)
{
    tree_.window->RequestRender();
    const uint32_t frozenContainer = tree_.lower->color, frozenGrandchild = tree_.grandchild->color;
    tree_.lower->SetLocked(true);
    tree_.lower->color = 0xFF0000FF;
    tree_.grandchild->color = 0xFFFFFFFF;
    tree_.grandchild->Hide();

    tree_.window->RequestRender();
    EXPECT_EQ(PixelOver(tree_.lower), frozenContainer);
    EXPECT_EQ(PixelOver(tree_.grandchild), frozenGrandchild) << "still composed, though hidden now";
    EXPECT_EQ(tree_.lower->draws, 1);
    EXPECT_EQ(tree_.edgeGrandchild->draws, 1) << "children of a locked control are not rendered";
    EXPECT_TRUE(tree_.lower->Redraw()) << "an uncached control stays due for drawing";

    tree_.lower->SetLocked(false);
    tree_.window->RequestRender();
    EXPECT_EQ(PixelOver(tree_.lower), 0xFF0000FFu);
    EXPECT_EQ(PixelOver(tree_.grandchild), 0xFF0000FFu);
}

// While locked, a render still uses up the Redraw of a cached control: its content
// comes back only when somebody sets Redraw again.
TEST_F(PaintedTree, ALockedCachedControlLosesItsRedraw)
{
    tree_.upper->SetCached(true);
    tree_.upper->SetLocked(true);
    tree_.window->RequestRender();
    EXPECT_EQ(tree_.upper->draws, 0);
    EXPECT_FALSE(tree_.upper->Redraw());
    tree_.upper->SetLocked(false);
    tree_.window->RequestRender();
    EXPECT_EQ(tree_.upper->draws, 0);
}

TEST_F(PaintedTree, RequestsDuringARenderAreDropped)
{
    int calls = 0;
    tree_.grandchild->OnPaint.Bind([&](core::TObject*) {
        ++calls;
        tree_.grandchild->RequestRender(); // climbs to the window, which is rendering
        tree_.grandchild->InvalidateSelf();
        tree_.window->RenderWindow();
        EXPECT_TRUE(tree_.grandchild->Painting());
        EXPECT_TRUE(tree_.window->Painting());
    });
    tree_.window->RequestRender();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(tree_.window->draws, 1);
    EXPECT_FALSE(tree_.window->Painting());
    EXPECT_FALSE(tree_.grandchild->Painting());

    tree_.grandchild->OnPaint.Clear();
    tree_.edgeGrandchild->RequestRender(); // outside a render the request reaches the window
    EXPECT_EQ(tree_.window->draws, 2);
}

TEST_F(PaintedTree, InvalidateSelfRendersOnlyTheControl)
{
    tree_.window->RequestRender();
    tree_.lower->color = 0xFF0000FF;
    tree_.lower->InvalidateSelf();
    EXPECT_EQ(tree_.lower->draws, 2);
    EXPECT_EQ(tree_.grandchild->draws, 2);
    EXPECT_EQ(tree_.window->draws, 1);
    EXPECT_EQ(tree_.upper->draws, 1);
}

TEST_F(PaintedTree, AnErrorLeavesTheRenderAndClearsPainting)
{
    tree_.grandchild->OnPaint.Bind([](core::TObject*) { throw std::runtime_error("drawing failed"); });
    EXPECT_THROW(tree_.window->RequestRender(), std::runtime_error);
    EXPECT_FALSE(tree_.window->Painting());
    EXPECT_FALSE(tree_.lower->Painting());
    EXPECT_FALSE(tree_.grandchild->Painting());

    tree_.grandchild->OnPaint.Clear();
    tree_.window->RequestRender();
    EXPECT_EQ(PixelOver(tree_.grandchild), tree_.grandchild->color);
}

TEST_F(PaintedTree, AFontChangeOnlyNotifiesTheControl)
{
    tree_.window->RequestRender();
    tree_.upper->Font().SetSize(tree_.upper->Font().Size() + 4);
    tree_.upper->Font().SetStyle(Gdiplus::FontStyleBold);
    tree_.upper->Font().SetColor(0xFF123456); // the colour is not a change of the font
    EXPECT_EQ(tree_.upper->fontChanges, 2);
    EXPECT_EQ(tree_.upper->draws, 1);
    EXPECT_EQ(tree_.window->draws, 1);
}

// A frame makes no GDI objects and gives back what it takes, however many are drawn.
TEST_F(PaintedTree, FramesHoldNoResources)
{
    tree_.window->RequestRender();
    auto before = testing_support::MeasureResourceUsage();
    for (int frame = 0; frame < 200; ++frame)
        tree_.window->RequestRender();
    auto after = testing_support::MeasureResourceUsage();
    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
    EXPECT_LE(after.heapBytes, before.heapBytes + 4096);
}

TEST(PaintedControl, CanvasFollowsTheSize)
{
    TPaintedWindow* window = MakePaintedWindow(HiddenBounds, 0);
    auto* box = new TBox(window, 0xFF00FF00);
    box->SetParentControl(window);
    EXPECT_EQ(box->Canvas().Width(), 1);
    EXPECT_EQ(box->Opacity(), 255);
    box->Resize(30, 20);
    box->EnsureWindow();
    EXPECT_EQ(box->Canvas().Width(), 30);
    EXPECT_EQ(box->Canvas().Height(), 20);

    box->SetVisible(true);
    window->RequestRender();
    box->Reposition(5, 5, 40, 25);
    EXPECT_EQ(box->Canvas().Width(), 40);
    EXPECT_EQ(box->Canvas().Height(), 25);
    EXPECT_EQ(graphics_test::InkedPixels(box->Canvas().Bitmap()), 0) << "a new canvas starts empty";
    DestroyPainted(window);
}

TEST(PaintedControl, WithoutAWindowNothingIsDrawn)
{
    TPaintedWindow* window = MakePaintedWindow(HiddenBounds, 0);
    auto* box = new TBox(window, 0xFF00FF00);
    box->SetParentControl(window);
    box->Render();
    EXPECT_EQ(box->draws, 0);
    EXPECT_FALSE(box->Painting());
    EXPECT_TRUE(box->Redraw());
    DestroyPainted(window);
}

// Composing needs a painted parent; a plain control as parent is a programming error
// that reaches whoever asked for the render.
TEST(PaintedControl, APlainParentIsATypeError)
{
    THost host;
    TBox* box = MakeBox(host.get(), RECT{0, 0, 10, 10}, 0xFF00FF00);
    EXPECT_THROW(box->Render(), std::bad_cast);
    EXPECT_FALSE(box->Painting());
    EXPECT_EQ(box->draws, 1);
}
