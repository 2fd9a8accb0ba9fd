#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "graphics/CairoStateSaver.h"
#include "graphics/CanvasEx.h"
#include "resources/Resources.h"
#include "tests/graphics/GraphicsTestSupport.h"

using graphics::TBitmapEx;
using graphics::TCanvasEx;
using graphics_test::BitmapOf;
using graphics_test::PixelAt;
using graphics_test::Pixels;
namespace gp = Gdiplus::DllExports;

namespace {

std::unique_ptr<TCanvasEx> NewCanvas(int width, int height)
{
    return std::make_unique<TCanvasEx>(width, CAIRO_FORMAT_ARGB32, height);
}

std::unique_ptr<TBitmapEx> Skin(int id)
{
    return TBitmapEx::CreateFromResource(graphics_test::SkinModule(), "PNG", id);
}

} // namespace

TEST(Canvas, StartsTransparentWithTheDefaultSettingsInGdiPlus)
{
    auto canvas = NewCanvas(30, 20);
    EXPECT_EQ(canvas->Width(), 30);
    EXPECT_EQ(canvas->Height(), 20);
    EXPECT_EQ(canvas->Bitmap().Width(), 30);
    EXPECT_EQ(canvas->DC(), canvas->Bitmap().DC());
    EXPECT_EQ(graphics_test::InkedPixels(canvas->Bitmap()), 0);
    EXPECT_TRUE(canvas->Antialias());

    Gdiplus::TextRenderingHint hint{};
    Gdiplus::SmoothingMode smoothing{};
    Gdiplus::InterpolationMode interpolation{};
    Gdiplus::PixelOffsetMode pixelOffset{};
    UINT contrast = 0;
    gp::GdipGetTextRenderingHint(canvas->Graphics(), &hint);
    gp::GdipGetSmoothingMode(canvas->Graphics(), &smoothing);
    gp::GdipGetInterpolationMode(canvas->Graphics(), &interpolation);
    gp::GdipGetPixelOffsetMode(canvas->Graphics(), &pixelOffset);
    gp::GdipGetTextContrast(canvas->Graphics(), &contrast);
    EXPECT_EQ(hint, Gdiplus::TextRenderingHintAntiAlias);
    EXPECT_EQ(smoothing, Gdiplus::SmoothingModeAntiAlias);
    EXPECT_EQ(interpolation, Gdiplus::InterpolationModeNearestNeighbor);
    EXPECT_EQ(pixelOffset, Gdiplus::PixelOffsetModeNone);
    EXPECT_EQ(contrast, 4u);
}

TEST(Canvas, AntialiasSwitchesOnlyTheTextRenderingHint)
{
    auto canvas = NewCanvas(10, 10);
    canvas->SetAntialias(false);
    Gdiplus::TextRenderingHint hint{};
    gp::GdipGetTextRenderingHint(canvas->Graphics(), &hint);
    EXPECT_EQ(hint, Gdiplus::TextRenderingHintAntiAliasGridFit);
    EXPECT_EQ(canvas->TextRenderingHint(), Gdiplus::TextRenderingHintAntiAliasGridFit);
    EXPECT_EQ(canvas->SmoothingMode(), Gdiplus::SmoothingModeAntiAlias);

    canvas->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    EXPECT_FALSE(canvas->Antialias());
    gp::GdipGetTextRenderingHint(canvas->Graphics(), &hint);
    EXPECT_EQ(hint, Gdiplus::TextRenderingHintAntiAlias);

    canvas->SetAntialias(true);
    canvas->SetAntialias(false);
    EXPECT_EQ(canvas->TextRenderingHint(), Gdiplus::TextRenderingHintAntiAliasGridFit);
}

TEST(Canvas, ClearMakesEveryPixelTransparentBlack)
{
    auto canvas = NewCanvas(40, 30);
    canvas->Draw(*Skin(IDB_CLOSE_BUTTON), 5, 5);
    canvas->TextRect({0, 0, 40, 30}, L"Ağ");
    ASSERT_GT(graphics_test::InkedPixels(canvas->Bitmap()), 0);
    canvas->Clear();
    EXPECT_EQ(Pixels(canvas->Bitmap()), std::vector<uint32_t>(40 * 30, 0));
}

// Widgets clear their canvas on every paint. cairo skips clearing a surface it cleared
// itself, and text, lines, pixel loops and GDI write the pixels behind its back: a
// second clear must still reach them.
TEST(Canvas, ClearAgainAfterDrawingBehindCairosBack)
{
    const struct {
        const char* what;
        void (*draw)(TCanvasEx& canvas);
    } cases[] = {
        {"text",
         [](TCanvasEx& canvas) {
             canvas.TextRect({0, 0, 40, 30}, L"Ağ");
         }},
        {"a line",
         [](TCanvasEx& canvas) {
             canvas.Pen().SetColor(0x40000000);
             canvas.Line(0, 5, 40, 5);
         }},
        {"a pixel loop", [](TCanvasEx& canvas) { graphics_test::SetPixelAt(canvas.Bitmap(), 3, 4, 0xFF00FF00); }},
        {"GDI through the DC",
         [](TCanvasEx& canvas) {
             RECT area{2, 2, 12, 12};
             FillRect(canvas.DC(), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
         }},
    };
    const std::vector<uint32_t> clear(40 * 30, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto canvas = NewCanvas(40, 30);
        canvas->Clear();
        c.draw(*canvas);
        GdiFlush();
        ASSERT_NE(Pixels(canvas->Bitmap()), clear) << "something was drawn";
        canvas->Clear();
        EXPECT_EQ(Pixels(canvas->Bitmap()), clear);
    }
}

// Widgets clear their canvas and then draw text or pixels on it, and their parents
// compose that canvas with cairo.
TEST(Canvas, WhatIsDrawnAfterClearIsComposed)
{
    auto source = NewCanvas(40, 30);
    source->Clear();
    source->TextRect({0, 0, 40, 30}, L"Ağ");
    graphics_test::SetPixelAt(source->Bitmap(), 39, 29, 0xFF00FF00);
    auto target = NewCanvas(40, 30);
    target->Draw(source->Bitmap(), 0, 0);
    EXPECT_EQ(Pixels(target->Bitmap()), Pixels(source->Bitmap()));
    EXPECT_GT(graphics_test::InkedPixels(target->Bitmap()), 1);
}

TEST(Canvas, DrawCompositesOverWhatIsThere)
{
    auto canvas = NewCanvas(3, 1);
    auto backdrop = BitmapOf(3, 1, {0xFF0000FF, 0xFF0000FF, 0xFF0000FF});
    auto half = BitmapOf(2, 1, {0x80800000, 0x00000000});
    canvas->Draw(*backdrop, 0, 0);
    canvas->Draw(*half, 1, 0);
    // Premultiplied OVER: the source plus the backdrop times (1 - source alpha).
    EXPECT_EQ(Pixels(canvas->Bitmap()), (std::vector<uint32_t>{0xFF0000FF, 0xFF80007F, 0xFF0000FF}));
}

TEST(Canvas, DrawAlphaScalesTheWholeSource)
{
    auto source = BitmapOf(1, 1, {0xFFFF8000});
    struct {
        uint8_t alpha;
        uint32_t expected;
    } cases[] = {{255, 0xFFFF8000}, {0, 0}, {128, 0x80804000}};
    for (auto test : cases) {
        auto canvas = NewCanvas(1, 1);
        canvas->DrawAlpha(*source, 0, 0, test.alpha);
        uint32_t pixel = PixelAt(canvas->Bitmap(), 0, 0);
        for (int shift = 0; shift < 32; shift += 8)
            EXPECT_NEAR((pixel >> shift) & 0xFF, (test.expected >> shift) & 0xFF, 1) << int(test.alpha);
    }
}

TEST(Canvas, StretchDrawWithTheBitmapsOwnSizeIsDraw)
{
    auto skin = Skin(IDB_ABOUT_ICON);
    auto drawn = NewCanvas(80, 70);
    auto stretched = NewCanvas(80, 70);
    drawn->Draw(*skin, 7, 3);
    stretched->StretchDraw(*skin, 7, 3, 64, 64);
    EXPECT_EQ(Pixels(stretched->Bitmap()), Pixels(drawn->Bitmap()));
}

TEST(Canvas, StretchDrawRepeatsPixelsAndIgnoresEmptySizes)
{
    auto source = BitmapOf(2, 1, {0xFF112233, 0x80402010});
    auto canvas = NewCanvas(5, 2);
    canvas->StretchDraw(*source, 1, 0, 4, 1);
    EXPECT_EQ(Pixels(canvas->Bitmap()),
              (std::vector<uint32_t>{0, 0xFF112233, 0xFF112233, 0x80402010, 0x80402010, 0, 0, 0, 0, 0}));

    auto empty = NewCanvas(5, 2);
    for (auto [w, h] : {std::pair{0, 1}, {4, 0}, {-4, 1}, {3, -1}})
        empty->StretchDraw(*source, 0, 0, w, h);
    EXPECT_EQ(graphics_test::InkedPixels(empty->Bitmap()), 0);
}

// Operations that clip or move restore the cairo context, so the next one starts afresh.
TEST(Canvas, StretchDrawAndDrawRectLeaveNoClipOrOffsetBehind)
{
    auto source = BitmapOf(2, 2, {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF});
    auto canvas = NewCanvas(6, 6);
    canvas->StretchDraw(*source, 4, 4, 1, 1);
    canvas->DrawRect(*source, 3, 0, 0, 0, 1, 1);
    canvas->Clear();
    canvas->Draw(*source, 0, 0);
    EXPECT_EQ(PixelAt(canvas->Bitmap(), 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(canvas->Bitmap(), 1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(graphics_test::InkedPixels(canvas->Bitmap()), 4);
}

TEST(Canvas, DrawRectShowsOneFrameOfTheThrobberStrip)
{
    auto strip = Skin(IDB_THROBBER);
    for (auto [width, height] : {std::pair{18, 18}, {30, 60}}) {
        auto canvas = NewCanvas(width, height);
        canvas->DrawRect(*strip, 0, 0, 0, 54, 18, 18);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                uint32_t expected = x < 18 && y < 18 ? PixelAt(*strip, x, 54 + y) : 0;
                ASSERT_EQ(PixelAt(canvas->Bitmap(), x, y), expected)
                    << x << "," << y << " in " << width << " x " << height;
            }
        }
    }
}

TEST(Canvas, SetSizeStartsOverTransparentAndKeepsTheFontAndSettings)
{
    auto canvas = NewCanvas(20, 20);
    canvas->Font().SetName(L"Trebuchet MS");
    canvas->Font().SetSize(14);
    canvas->SetAntialias(false);
    canvas->Draw(*Skin(IDB_CHECK_CHECKED), 0, 0);
    canvas->SetSize(33, 17);
    EXPECT_EQ(canvas->Width(), 33);
    EXPECT_EQ(canvas->Bitmap().Width(), 33);
    EXPECT_EQ(canvas->Bitmap().Height(), 17);
    EXPECT_EQ(graphics_test::InkedPixels(canvas->Bitmap()), 0);
    EXPECT_EQ(canvas->Font().Name(), L"Trebuchet MS");
    EXPECT_EQ(canvas->Font().Size(), 14);
    Gdiplus::TextRenderingHint hint{};
    gp::GdipGetTextRenderingHint(canvas->Graphics(), &hint);
    EXPECT_EQ(hint, Gdiplus::TextRenderingHintAntiAliasGridFit);
    canvas->TextRect({0, 0, 33, 17}, L"Şu");
    EXPECT_GT(graphics_test::InkedPixels(canvas->Bitmap()), 0);
}

TEST(Canvas, TextExtentIsTheMeasuredBoxPlusOne)
{
    auto canvas = NewCanvas(10, 10);
    SIZE empty = canvas->TextExtent(L"");
    EXPECT_GE(empty.cx, 1);
    EXPECT_GE(empty.cy, 1);

    canvas->Font().SetName(L"Trebuchet MS");
    canvas->Font().SetSize(9);
    const std::wstring text = L"Güncelleniyor...";
    SIZE extent = canvas->TextExtent(text);
    EXPECT_GT(extent.cx, 40);
    EXPECT_GT(extent.cy, 8);
    // Exactly one more than GDI+'s own box, truncated.
    Gdiplus::RectF layout(0, 0, 0, 0), box(0, 0, 0, 0);
    ASSERT_EQ(gp::GdipMeasureString(canvas->Graphics(), text.c_str(), static_cast<INT>(text.size()),
                                    canvas->Font().Handle(), &layout, canvas->StringFormat().Handle(), &box, nullptr,
                                    nullptr),
              Gdiplus::Ok);
    EXPECT_EQ(extent.cx, static_cast<LONG>(box.Width + 1.0f));
    EXPECT_EQ(extent.cy, static_cast<LONG>(box.Height + 1.0f));
    EXPECT_EQ(canvas->TextWidth(L"Güncelleniyor..."), extent.cx);
    float height = canvas->TextHeight(L"Güncelleniyor...");
    EXPECT_GT(height, 8.0f);
    EXPECT_LT(height, extent.cy + 4.0f);
}

// The layered window takes every pixel as premultiplied: a colour channel above alpha
// shows as a bright fringe.
TEST(Canvas, TextAndLinesLeaveValidPremultipliedPixels)
{
    const struct {
        const char* what;
        uint32_t color;
    } colors[] = {{"white", 0xFFFFFFFF}, {"opaque colour", 0xFF2080C0}, {"half-transparent colour", 0x80FF8040}};
    for (bool antialias : {true, false}) {
        for (const auto& c : colors) {
            SCOPED_TRACE(std::string(c.what) + (antialias ? ", antialiased" : ", grid-fitted"));
            auto canvas = NewCanvas(90, 40);
            canvas->SetAntialias(antialias);
            canvas->Font().SetColor(c.color);
            canvas->Pen().SetColor(c.color);
            canvas->TextRect({2, 2, 88, 30}, L"Şimşek çığ");
            canvas->Line(2, 34, 88, 37);
            int inked = 0;
            for (uint32_t pixel : Pixels(canvas->Bitmap())) {
                uint32_t alpha = pixel >> 24;
                inked += alpha != 0;
                for (int shift : {16, 8, 0})
                    ASSERT_LE((pixel >> shift) & 0xFF, alpha) << std::hex << pixel;
            }
            EXPECT_GT(inked, 30);
        }
    }
}

TEST(Canvas, TextStaysInsideItsRectangleInTheFontColour)
{
    auto canvas = NewCanvas(120, 40);
    canvas->Font().SetColor(0xFF000000);
    canvas->TextRect({10, 10, 110, 30}, L"İğneada çığı");
    int inside = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            uint32_t pixel = PixelAt(canvas->Bitmap(), x, y);
            if (x < 10 || x >= 110 || y < 10 || y >= 30) {
                ASSERT_EQ(pixel, 0u) << x << "," << y;
            } else if (pixel >> 24) {
                ++inside;
                EXPECT_EQ(pixel & 0x00FFFFFF, 0u) << "black text has no colour";
            }
        }
    }
    EXPECT_GT(inside, 30);
}

// CR LF is one line break and an empty line keeps its height, as in Windows' GDI+.
TEST(Canvas, LineBreaksLayOutAsOnWindows)
{
    auto lastInkedRow = [](const wchar_t* text) {
        auto canvas = NewCanvas(60, 80);
        canvas->TextRect({0, 0, 60, 80}, text);
        int last = -1;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 60; ++x)
                if (PixelAt(canvas->Bitmap(), x, y) >> 24)
                    last = y;
        return std::pair{last, Pixels(canvas->Bitmap())};
    };
    auto [pairRow, pairPixels] = lastInkedRow(L"Ab\r\nCd");
    auto [feedRow, feedPixels] = lastInkedRow(L"Ab\nCd");
    auto [blankRow, blankPixels] = lastInkedRow(L"Ab\r\n\r\nCd");
    EXPECT_EQ(pairPixels, feedPixels);
    EXPECT_GT(blankRow, feedRow + 8) << "the empty line was dropped";

    auto canvas = NewCanvas(10, 10);
    EXPECT_EQ(canvas->TextExtent(L"Ab\r\nCd").cx, canvas->TextExtent(L"Ab\nCd").cx);
    EXPECT_GT(canvas->TextExtent(L"Ab\r\n\r\nCd").cy, canvas->TextExtent(L"Ab\nCd").cy + 8);
}

TEST(Canvas, LinesUseThePen)
{
    auto canvas = NewCanvas(20, 20);
    canvas->SetSmoothingMode(Gdiplus::SmoothingModeNone);
    canvas->Pen().SetColor(0xFF00FF00);
    canvas->Line(2, 10, 17, 10);
    EXPECT_EQ(PixelAt(canvas->Bitmap(), 9, 10) & 0x00FFFFFF, 0x0000FF00u);
    EXPECT_EQ(PixelAt(canvas->Bitmap(), 9, 2), 0u);
}

TEST(Canvas, StretchDrawGdiPlusScalesIntoTheRectangle)
{
    auto source = BitmapOf(2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
    auto canvas = NewCanvas(10, 10);
    canvas->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    canvas->StretchDrawGdiPlus(*source, 2, 2, 4, 4);
    // With half-pixel offsets every source pixel covers exactly 2 x 2 target pixels.
    std::vector<uint32_t> expected(100, 0);
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x)
            expected[static_cast<size_t>(y * 10 + x)] = PixelAt(*source, (x - 2) / 2, (y - 2) / 2);
    EXPECT_EQ(Pixels(canvas->Bitmap()), expected);
}

// The bitmap's pixels are premultiplied; read as straight alpha they would come out darker.
TEST(Canvas, StretchDrawGdiPlusKeepsAHalfTransparentPixel)
{
    const uint32_t halfTransparent = 0x80402010;
    auto source = BitmapOf(1, 1, {halfTransparent});
    auto canvas = NewCanvas(3, 3);
    canvas->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    canvas->StretchDrawGdiPlus(*source, 0, 0, 3, 3);
    EXPECT_EQ(Pixels(canvas->Bitmap()), std::vector<uint32_t>(9, halfTransparent));
}

TEST(Canvas, TheStateSaverRestoresTheContextAlsoWhenAnErrorLeavesTheScope)
{
    auto canvas = NewCanvas(4, 4);
    graphics::TCairoContext cairo(cairo_create(canvas->Bitmap().Image()));
    try {
        graphics::TCairoStateSaver saved(cairo.Get());
        cairo_set_operator(cairo.Get(), CAIRO_OPERATOR_CLEAR);
        cairo_translate(cairo.Get(), 2, 3);
        throw std::runtime_error("drawing failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(cairo_get_operator(cairo.Get()), CAIRO_OPERATOR_OVER);
    cairo_matrix_t matrix{};
    cairo_get_matrix(cairo.Get(), &matrix);
    EXPECT_EQ(matrix.x0, 0.0);
    EXPECT_EQ(matrix.y0, 0.0);
}

// An empty bitmap is drawn as nothing, and an empty canvas draws nothing.
TEST(Canvas, EmptyBitmapsAndCanvasesDrawNothing)
{
    auto empty = TBitmapEx::CreateBlank(-5, 5, CAIRO_FORMAT_ARGB32);
    auto canvas = NewCanvas(8, 8);
    canvas->Draw(*empty, 0, 0);
    canvas->DrawAlpha(*empty, 0, 0, 100);
    canvas->StretchDraw(*empty, 0, 0, 4, 4);
    canvas->StretchDraw(*empty, 0, 0, 0, 0);
    canvas->StretchDrawGdiPlus(*empty, 0, 0, 4, 4);
    canvas->DrawRect(*empty, 0, 0, 0, 0, 4, 4);
    EXPECT_EQ(graphics_test::InkedPixels(canvas->Bitmap()), 0);
    // The context is still usable afterwards.
    canvas->Draw(*BitmapOf(1, 1, {0xFFFFFFFF}), 0, 0);
    EXPECT_EQ(PixelAt(canvas->Bitmap(), 0, 0), 0xFFFFFFFFu);

    TCanvasEx huge(100000, CAIRO_FORMAT_ARGB32, 100000);
    EXPECT_TRUE(huge.Bitmap().Empty());
    EXPECT_EQ(huge.DC(), nullptr);
    auto icon = Skin(IDB_ABOUT_ICON);
    huge.Clear();
    huge.Draw(*icon, 0, 0);
    huge.DrawAlpha(*icon, 0, 0, 9);
    huge.StretchDraw(*icon, 0, 0, 9, 9);
    huge.StretchDrawGdiPlus(*icon, 0, 0, 9, 9);
    huge.DrawRect(*icon, 0, 0, 1, 1, 5, 5);
    huge.Line(0, 0, 5, 5);
    huge.TextRect({0, 0, 50, 50}, L"Çay");
    SIZE extent = huge.TextExtent(L"Çay");
    EXPECT_EQ(extent.cx, 1);
    EXPECT_EQ(extent.cy, 1);
    EXPECT_EQ(huge.TextHeight(L"Çay"), 0.0f);
    canvas->Draw(huge.Bitmap(), 0, 0);

    huge.SetSize(12, 12);
    EXPECT_FALSE(huge.Bitmap().Empty());
    huge.Draw(*icon, -20, -20);
    EXPECT_GT(graphics_test::InkedPixels(huge.Bitmap()), 0);
}

// A picture for people: Turkish text as the widgets draw it, kept as a test artefact.
TEST(Canvas, TurkishTextArtefact)
{
    auto canvas = NewCanvas(342, 224);
    canvas->Draw(*Skin(IDB_ABOUT_SHEET), 0, 0);
    canvas->Draw(*Skin(IDB_ABOUT_ICON), 35, 35);
    canvas->Font().SetName(L"Impact");
    canvas->Font().SetSize(20);
    canvas->Font().SetColor(0xFF333333);
    canvas->StringFormat().SetLineAlignment(Gdiplus::StringAlignmentCenter);
    canvas->TextRect({130, 45, 279, 91}, L"Tavilo");
    canvas->SetAntialias(false);
    canvas->Font().SetName(L"Trebuchet MS");
    canvas->Font().SetSize(8);
    canvas->Font().SetColor(0xFF404040);
    canvas->StringFormat().SetLineAlignment(Gdiplus::StringAlignmentNear);
    canvas->TextRect({138, 85, 318, 155},
                     L"S ü r ü m   2 . 0\r\nHaberler, haber portalının herkese açık akışından alınır.\r\n\r\n"
                     L"Bu programın ilgili kurumlarla bir ilişkisi yoktur.");
    canvas->Font().SetStyle(Gdiplus::FontStyleBold);
    canvas->Font().SetColor(0xFF4040FF);
    canvas->TextRect({138, 165, 318, 190}, L"Şimdi güncelleyin: ÇĞİÖŞÜ çğıöşü");
    EXPECT_GT(graphics_test::InkedPixels(canvas->Bitmap()), 1000);
    graphics_test::SaveArtefact(canvas->Bitmap(), L"canvas-turkish-text.png");
}
