#include <gtest/gtest.h>

#include "graphics/CanvasEx.h"
#include "resources/Resources.h"
#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/support/ResourceUsage.h"

using graphics::TBitmapEx;
using graphics::TCanvasEx;

namespace {

// One life of a painted control's canvas: created, drawn into, resized, drawn into
// again, copied and freed, with a skin decoded on the way.
void CanvasLife(int cycle)
{
    auto skin = TBitmapEx::CreateFromResource(graphics_test::SkinModule(), "PNG", IDB_CHECK_CHECKED);
    TCanvasEx canvas(40 + cycle % 7, CAIRO_FORMAT_ARGB32, 30);
    canvas.Font().SetName(L"Trebuchet MS");
    canvas.SetAntialias(false);
    canvas.Draw(*skin, 0, 0);
    canvas.TextRect({0, 0, 40, 30}, L"Ağ");
    canvas.SetSize(60, 20 + cycle % 5);
    canvas.StretchDraw(*skin, 0, 0, 30, 10);
    canvas.StretchDrawGdiPlus(*skin, 0, 0, 30, 10);
    canvas.DrawRect(*skin, 2, 2, 1, 1, 5, 5);
    canvas.Line(0, 0, 10, 10);
    canvas.TextExtent(L"Işık");
    canvas.TextHeight(L"Işık");
    auto copy = canvas.Bitmap().Clone();
    copy->Blur(1);
    TBitmapEx::CreateBlank(-1, 1, CAIRO_FORMAT_ARGB32);
}

} // namespace

// Every cairo, GDI and GDI+ object that a canvas life creates is freed again: after a
// warm-up, a thousand more lives leave the GDI object count and the heap where they were.
TEST(ResourceBalance, AThousandCanvasLivesLeaveNothingBehind)
{
    for (int cycle = 0; cycle < 50; ++cycle)
        CanvasLife(cycle);
    testing_support::TResourceUsage before = testing_support::MeasureResourceUsage();
    ASSERT_GT(before.gdiObjects, 0u) << "no way to count GDI objects here";
    for (int cycle = 0; cycle < 1000; ++cycle)
        CanvasLife(cycle);
    testing_support::TResourceUsage after = testing_support::MeasureResourceUsage();
    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
    // One leaked GDI+ object per life, even the smallest brush, would add 8000 bytes.
    EXPECT_LT(static_cast<ptrdiff_t>(after.heapBytes - before.heapBytes), 4000)
        << before.heapBytes << " -> " << after.heapBytes;
}
