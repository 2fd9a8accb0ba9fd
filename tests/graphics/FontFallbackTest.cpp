#include <gtest/gtest.h>

#include <string>

#include "graphics/CanvasEx.h"
#include "tests/graphics/GraphicsTestSupport.h"

using graphics::TCanvasEx;
namespace gp = Gdiplus::DllExports;

namespace {

std::wstring FamilyName(Gdiplus::GpFont* font)
{
    Gdiplus::GpFontFamily* family = nullptr;
    if (gp::GdipGetFamily(font, &family) != Gdiplus::Ok)
        return {};
    WCHAR name[LF_FACESIZE] = {};
    gp::GdipGetFamilyName(family, name, LANG_NEUTRAL);
    gp::GdipDeleteFontFamily(family);
    return name;
}

bool GenericSansSerifExists()
{
    Gdiplus::GpFontFamily* family = nullptr;
    if (gp::GdipGetGenericFontFamilySansSerif(&family) != Gdiplus::Ok || !family)
        return false;
    gp::GdipDeleteFontFamily(family);
    return true;
}

// The ctest entry that runs in a prefix of its own without font replacements says so.
bool RunWithoutFontReplacements()
{
    wchar_t value[8] = {};
    DWORD length = GetEnvironmentVariableW(L"TAVILO_FONT_REPLACEMENTS", value, 8);
    return length > 0 && length < 8 && std::wstring(value) == L"off";
}

int InkOf(TCanvasEx& canvas, const wchar_t* text)
{
    canvas.Clear();
    canvas.TextRect({0, 0, canvas.Width(), canvas.Height()}, text);
    return graphics_test::InkedPixels(canvas.Bitmap());
}

} // namespace

TEST(FontFallback, AnUnknownFamilyStillWritesText)
{
    TCanvasEx canvas(120, CAIRO_FORMAT_ARGB32, 30);
    canvas.Font().SetName(L"No Such Family Anywhere");
    ASSERT_NE(canvas.Font().Handle(), nullptr);
    EXPECT_FALSE(FamilyName(canvas.Font().Handle()).empty());
    EXPECT_GT(InkOf(canvas, L"Güncelleniyor"), 20);
}

// Where neither the family nor GDI+'s generic sans-serif family exists (Wine without
// font replacements), the font comes from another installed family.
TEST(FontFallback, WithoutTheGenericFamilyAnInstalledOneIsUsed)
{
    if (GenericSansSerifExists()) {
        ASSERT_FALSE(RunWithoutFontReplacements())
            << "the prefix without font replacements is missing: GDI+ found a generic sans-serif family";
        GTEST_SKIP() << "runs in the prefix without font replacements";
    }
    TCanvasEx canvas(120, CAIRO_FORMAT_ARGB32, 30);
    canvas.Font().SetName(L"Trebuchet MS");
    canvas.Font().SetSize(9);
    ASSERT_NE(canvas.Font().Handle(), nullptr);
    EXPECT_FALSE(FamilyName(canvas.Font().Handle()).empty());
    EXPECT_GT(InkOf(canvas, L"Güncelleniyor"), 20);
    SIZE extent = canvas.TextExtent(L"Güncelleniyor");
    EXPECT_GT(extent.cx, 30);
}

// A size no family can take leaves no font at all: nothing is drawn or measured, and
// nothing crashes.
TEST(FontFallback, WithoutAnyFontNoTextIsDrawn)
{
    TCanvasEx canvas(120, CAIRO_FORMAT_ARGB32, 30);
    canvas.Font().SetSize(-5);
    ASSERT_EQ(canvas.Font().Handle(), nullptr);
    EXPECT_EQ(InkOf(canvas, L"Güncelleniyor"), 0);
    SIZE extent = canvas.TextExtent(L"Güncelleniyor");
    EXPECT_EQ(extent.cx, 1);
    EXPECT_EQ(extent.cy, 1);
    EXPECT_EQ(canvas.TextHeight(L"Güncelleniyor"), 0.0f);

    graphics::TFontEx copy;
    copy.Assign(&canvas.Font());
    EXPECT_EQ(copy.Handle(), nullptr);
    canvas.Font().SetSize(9);
    EXPECT_NE(canvas.Font().Handle(), nullptr);
    EXPECT_GT(InkOf(canvas, L"Güncelleniyor"), 20);
}
