#include "tests/widgets/WidgetsTestSupport.h"

#include <algorithm>

#include "tests/graphics/GraphicsTestSupport.h"

namespace widgets_testing {

namespace {

// Hidden windows stand anywhere; nothing of them reaches the screen.
constexpr RECT HiddenBounds{50, 50, 550, 450};

} // namespace

RECT InkBounds(const graphics::TBitmapEx& bitmap, RECT within)
{
    RECT ink{within.right, within.bottom, within.left, within.top};
    for (int y = within.top; y < within.bottom; ++y) {
        for (int x = within.left; x < within.right; ++x) {
            if ((graphics_test::PixelAt(bitmap, x, y) >> 24) == 0)
                continue;
            ink = RECT{std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                       std::max<LONG>(ink.bottom, y + 1)};
        }
    }
    return ink.left < ink.right ? ink : RECT{};
}

RECT InkBounds(const graphics::TBitmapEx& bitmap)
{
    return InkBounds(bitmap, RECT{0, 0, bitmap.Width(), bitmap.Height()});
}

std::unique_ptr<graphics::TBitmapEx> Skin(const skins::TSkinInfo& skin)
{
    return graphics::TBitmapEx::CreateFromResource(GetModuleHandleW(nullptr), "PNG", skin.Id);
}

void WidgetWindowTest::SetUp()
{
    window_ = toolkit_testing::MakePaintedWindow(HiddenBounds, 0);
}

void WidgetWindowTest::TearDown()
{
    toolkit_testing::DestroyPainted(window_);
}

void Place(toolkit::TControl* widget, toolkit::TControl* parent, RECT bounds)
{
    widget->SetParentControl(parent);
    widget->SetLeft(bounds.left);
    widget->SetTop(bounds.top);
    widget->Resize(bounds.right - bounds.left, bounds.bottom - bounds.top);
    widget->SetVisible(true);
}

} // namespace widgets_testing
