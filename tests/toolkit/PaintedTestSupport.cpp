#include "tests/toolkit/PaintedTestSupport.h"

#include <algorithm>

#include "tests/graphics/GraphicsTestSupport.h"

namespace toolkit_testing {

namespace {

// The tree's colours, premultiplied; the window's is half transparent.
constexpr uint32_t WindowBlue = 0x80000080;
constexpr uint32_t LowerGreen = 0xFF008000;
constexpr uint32_t UpperYellow = 0xFFFFFF00;
constexpr uint32_t GrandchildRed = 0xFFFF0000;
constexpr uint32_t EdgeCyan = 0xFF00FFFF;

constexpr SIZE TreeWindowSize{120, 90};
constexpr RECT LowerBounds{10, 10, 70, 60};
constexpr RECT UpperBounds{60, 5, 110, 35};
// In the lower container's coordinates; the edge grandchild reaches past its right and
// bottom edges.
constexpr RECT GrandchildBounds{5, 5, 25, 20};
constexpr RECT EdgeGrandchildBounds{40, 35, 70, 60};

RECT Offset(RECT r, POINT by)
{
    return RECT{r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

} // namespace

void FillCanvas(graphics::TCanvasEx& canvas, uint32_t color)
{
    graphics::TBitmapEx& bitmap = canvas.Bitmap();
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            graphics_test::SetPixelAt(bitmap, x, y, color);
}

TBox* MakeBox(toolkit::TControl* parent, RECT bounds, uint32_t color)
{
    auto* box = new TBox(parent, color);
    box->SetParentControl(parent);
    box->SetLeft(bounds.left);
    box->SetTop(bounds.top);
    box->Resize(bounds.right - bounds.left, bounds.bottom - bounds.top);
    box->SetVisible(true);
    return box;
}

TPaintedWindow* MakePaintedWindow(RECT bounds, uint32_t color)
{
    auto* window = new TPaintedWindow(nullptr, color);
    window->SetLeft(bounds.left);
    window->SetTop(bounds.top);
    window->Resize(bounds.right - bounds.left, bounds.bottom - bounds.top);
    window->EnsureWindow();
    return window;
}

void DestroyPainted(toolkit::TWindowEx* window)
{
    if (window->HasWindow())
        DestroyWindow(window->WindowHandle());
    delete window;
}

void ShowWithoutActivating(toolkit::TWindowEx* window)
{
    ShowWindow(window->Handle(), SW_SHOWNOACTIVATE);
}

TExpectedPicture::TExpectedPicture(int width, int height, uint32_t background)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width * height), background)
{
}

void TExpectedPicture::Paint(RECT area, RECT clip, uint32_t color)
{
    RECT canvas{0, 0, width_, height_};
    RECT visible{};
    IntersectRect(&visible, &area, &clip);
    IntersectRect(&visible, &visible, &canvas);
    for (int y = visible.top; y < visible.bottom; ++y)
        std::fill_n(pixels_.begin() + y * width_ + visible.left, visible.right - visible.left, color);
}

std::vector<uint32_t> TExpectedPicture::Colors() const
{
    std::vector<uint32_t> colors;
    std::transform(pixels_.begin(), pixels_.end(), std::back_inserter(colors),
                   [](uint32_t pixel) { return pixel & 0x00FFFFFF; });
    return colors;
}

TThreeLevelTree MakeThreeLevelTree(POINT position)
{
    TThreeLevelTree tree{};
    tree.window = MakePaintedWindow(
        RECT{position.x, position.y, position.x + TreeWindowSize.cx, position.y + TreeWindowSize.cy}, WindowBlue);
    tree.lower = MakeBox(tree.window, LowerBounds, LowerGreen);
    tree.upper = MakeBox(tree.window, UpperBounds, UpperYellow);
    tree.grandchild = MakeBox(tree.lower, GrandchildBounds, GrandchildRed);
    tree.edgeGrandchild = MakeBox(tree.lower, EdgeGrandchildBounds, EdgeCyan);
    return tree;
}

TExpectedPicture TThreeLevelTree::Expected(bool upperShown) const
{
    const RECT whole{0, 0, TreeWindowSize.cx, TreeWindowSize.cy};
    const POINT lowerOrigin{LowerBounds.left, LowerBounds.top};
    TExpectedPicture picture(TreeWindowSize.cx, TreeWindowSize.cy, WindowBlue);
    picture.Paint(LowerBounds, whole, LowerGreen);
    picture.Paint(Offset(GrandchildBounds, lowerOrigin), LowerBounds, GrandchildRed);
    picture.Paint(Offset(EdgeGrandchildBounds, lowerOrigin), LowerBounds, EdgeCyan);
    if (upperShown)
        picture.Paint(UpperBounds, whole, UpperYellow);
    return picture;
}

} // namespace toolkit_testing
