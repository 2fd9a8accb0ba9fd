// The GDI object wrappers and the canvas that selects them: when handles are made and
// rebuilt, what they hold, and the change notifications that reach a canvas.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/ResourceUsage.h"
#include "toolkit/Canvas.h"
#include "toolkit/Font.h"
#include "toolkit/Pen.h"
#include "toolkit/SolidBrush.h"

using namespace toolkit;

namespace {

// Counts the OnChange notifications of an object.
class TChangeCounter {
public:
    template <typename T> explicit TChangeCounter(T& object)
    {
        object.OnChange.Bind([this](core::TObject*) { ++count; });
    }
    int count = 0;
};

LOGPEN PenInfo(HPEN pen)
{
    LOGPEN info{};
    GetObjectW(pen, sizeof(info), &info);
    return info;
}

LOGBRUSH BrushInfo(HBRUSH brush)
{
    LOGBRUSH info{};
    GetObjectW(brush, sizeof(info), &info);
    return info;
}

LOGFONTW FontInfo(HFONT font)
{
    LOGFONTW info{};
    GetObjectW(font, sizeof(info), &info);
    return info;
}

bool IsLiveGdiObject(HGDIOBJ object)
{
    return GetObjectType(object) != 0;
}

TEST(PenTest, GetsAHandleOnlyWhenASettingChanges)
{
    TPen pen;
    TChangeCounter changes(pen);
    EXPECT_EQ(pen.Handle(), nullptr);
    pen.SetColor(0);
    EXPECT_EQ(pen.Handle(), nullptr) << "black is what a new pen already has";
    EXPECT_EQ(changes.count, 0);

    pen.SetColor(255);
    ASSERT_NE(pen.Handle(), nullptr);
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(PenInfo(pen.Handle()).lopnColor, 255u);

    HPEN red = pen.Handle();
    pen.SetColor(255);
    EXPECT_EQ(pen.Handle(), red);
    EXPECT_EQ(changes.count, 1);

    pen.SetStyle(PS_DASH);
    pen.SetWidth(1);
    LOGPEN info = PenInfo(pen.Handle());
    EXPECT_EQ(info.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(info.lopnWidth.x, 1);
    EXPECT_EQ(info.lopnColor, 255u);
    EXPECT_EQ(changes.count, 3);
    EXPECT_FALSE(IsLiveGdiObject(red)) << "a rebuilt pen deletes its old handle";
}

TEST(PenTest, ASystemColourIsResolvedForTheHandleButKeptAsSet)
{
    TPen pen;
    pen.SetColor(clBtnFace);
    EXPECT_EQ(pen.Color(), clBtnFace);
    EXPECT_EQ(PenInfo(pen.Handle()).lopnColor, GetSysColor(COLOR_BTNFACE));
}

// Pens, brushes and fonts take over a handle made elsewhere and delete the one they held.
TEST(GraphicObjectTest, AnAdoptedHandleIsOwnedAndReplacesTheOldOne)
{
    TPen pen;
    pen.SetColor(255);
    HPEN old = pen.Handle();
    TChangeCounter changes(pen);
    HPEN adopted = CreatePen(PS_SOLID, 2, 0x00FF00);
    pen.SetHandle(adopted);
    EXPECT_EQ(pen.Handle(), adopted);
    EXPECT_FALSE(IsLiveGdiObject(old));
    EXPECT_EQ(changes.count, 1);
    pen.SetHandle(adopted);
    EXPECT_EQ(changes.count, 1) << "the handle already held changes nothing";
    EXPECT_TRUE(IsLiveGdiObject(adopted));

    TFont font;
    HFONT oldFont = font.Handle();
    HFONT adoptedFont = CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma");
    font.SetHandle(adoptedFont);
    EXPECT_FALSE(IsLiveGdiObject(oldFont));
    {
        TSolidBrush brush;
        brush.SetHandle(CreateSolidBrush(0x123456));
        adopted = reinterpret_cast<HPEN>(brush.Handle());
    }
    EXPECT_FALSE(IsLiveGdiObject(adopted)) << "freeing the wrapper deletes the adopted handle";
}

TEST(SolidBrushTest, StoresTheResolvedColour)
{
    TSolidBrush brush;
    TChangeCounter changes(brush);
    EXPECT_EQ(brush.Color(), -1);
    EXPECT_EQ(brush.Handle(), nullptr);

    brush.SetColor(clWindow);
    EXPECT_EQ(brush.Color(), static_cast<TColor>(GetSysColor(COLOR_WINDOW)));
    ASSERT_NE(brush.Handle(), nullptr);
    EXPECT_EQ(BrushInfo(brush.Handle()).lbColor, GetSysColor(COLOR_WINDOW));
    brush.SetColor(clWindow);
    EXPECT_EQ(changes.count, 2) << "a system colour never equals the stored RGB value";
    brush.SetColor(brush.Color());
    EXPECT_EQ(changes.count, 2) << "the stored RGB value itself changes nothing";
}

TEST(SolidBrushTest, AHatchStyleLastsUntilTheNextColour)
{
    TSolidBrush brush;
    brush.SetColor(0x0000FF);
    TChangeCounter changes(brush);
    brush.SetStyle(HS_CROSS);
    LOGBRUSH hatched = BrushInfo(brush.Handle());
    EXPECT_EQ(hatched.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(hatched.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));
    EXPECT_EQ(hatched.lbColor, 0x0000FFu);
    brush.SetStyle(HS_CROSS);
    EXPECT_EQ(changes.count, 1);

    brush.SetColor(0x00FF00);
    EXPECT_EQ(BrushInfo(brush.Handle()).lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(brush.Style(), HS_CROSS);
}

TEST(SolidBrushTest, AssignsOnlyFromAnotherBrush)
{
    TSolidBrush source;
    source.SetColor(0x123456);
    source.SetStyle(HS_DIAGCROSS);
    TSolidBrush brush;
    TChangeCounter changes(brush);
    brush.Assign(&source);
    EXPECT_EQ(brush.Color(), 0x123456);
    EXPECT_EQ(brush.Style(), HS_DIAGCROSS);
    EXPECT_EQ(BrushInfo(brush.Handle()).lbStyle, static_cast<UINT>(BS_SOLID)) << "an assigned brush is solid";
    EXPECT_NE(brush.Handle(), source.Handle());
    EXPECT_EQ(changes.count, 1);

    TPen pen;
    pen.SetColor(255);
    HBRUSH before = brush.Handle();
    brush.Assign(&pen);
    brush.Assign(&brush);
    brush.Assign(nullptr);
    EXPECT_EQ(brush.Handle(), before);
    EXPECT_EQ(brush.Color(), 0x123456);
    EXPECT_EQ(changes.count, 1);

    TPen other;
    other.Assign(&pen);
    EXPECT_EQ(other.Handle(), nullptr) << "pens copy nothing";
}

TEST(FontTest, ANewFontIsEightPointTahomaOfTheTurkishCharacterSet)
{
    TFont font;
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Name(), L"Tahoma");
    EXPECT_EQ(font.Style(), 0);
    EXPECT_EQ(font.Color(), 0);
    ASSERT_NE(font.Handle(), nullptr);
    LOGFONTW info = FontInfo(font.Handle());
    EXPECT_STREQ(info.lfFaceName, L"Tahoma");
    EXPECT_EQ(info.lfCharSet, TURKISH_CHARSET);
}

TEST(FontTest, SizeIsInPointsOfTheScreen)
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(dpi, 96) << "the heights below are those of a 96-dpi screen";
    struct Case {
        int size;
        LONG height;
    } cases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {24, -32}};
    TFont font;
    for (const auto& c : cases) {
        font.SetSize(c.size);
        EXPECT_EQ(FontInfo(font.Handle()).lfHeight, c.height) << c.size << " points";
    }
}

TEST(FontTest, StyleBitsSetWeightItalicUnderlineAndStrikeOut)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    const LOGFONTW& system = metrics.lfMessageFont;
    struct Case {
        int style;
        LONG weight;
        BYTE italic, underline, strikeOut;
    } cases[] = {
        {0, system.lfWeight, system.lfItalic, system.lfUnderline, system.lfStrikeOut},
        {fsBold, FW_BOLD, system.lfItalic, system.lfUnderline, system.lfStrikeOut},
        {fsBold | fsItalic, FW_BOLD, 1, system.lfUnderline, system.lfStrikeOut},
        {fsUnderline | fsStrikeOut, system.lfWeight, system.lfItalic, 1, 1},
        {fsBold | fsItalic | fsUnderline | fsStrikeOut, FW_BOLD, 1, 1, 1},
    };
    TFont font;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        font.SetStyle(c.style);
        LOGFONTW info = FontInfo(font.Handle());
        EXPECT_EQ(info.lfWeight, c.weight);
        EXPECT_EQ(info.lfItalic, c.italic);
        EXPECT_EQ(info.lfUnderline, c.underline);
        EXPECT_EQ(info.lfStrikeOut, c.strikeOut);
    }
}

TEST(FontTest, BoldItalicEightPointHasHeightMinusEleven)
{
    TFont font;
    font.SetStyle(3);
    LOGFONTW info = FontInfo(font.Handle());
    EXPECT_EQ(info.lfHeight, -11);
    EXPECT_EQ(info.lfWeight, FW_BOLD);
    EXPECT_EQ(info.lfItalic, 1);
}

TEST(FontTest, SettersRebuildOnlyOnAChange)
{
    TFont font;
    TChangeCounter changes(font);
    HFONT first = font.Handle();
    font.SetSize(8);
    font.SetName(L"Tahoma");
    font.SetStyle(0);
    font.SetColor(0);
    EXPECT_EQ(font.Handle(), first);
    EXPECT_EQ(changes.count, 0);

    font.SetName(L"DejaVu Sans");
    EXPECT_STREQ(FontInfo(font.Handle()).lfFaceName, L"DejaVu Sans");
    EXPECT_FALSE(IsLiveGdiObject(first));
    EXPECT_EQ(changes.count, 1);

    HFONT named = font.Handle();
    font.SetColor(clWindow);
    EXPECT_EQ(font.Handle(), named) << "the colour is not part of the GDI font";
    EXPECT_EQ(font.Color(), static_cast<TColor>(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(changes.count, 2);
}

TEST(FontTest, ALongFaceNameIsCutToThirtyOneCharacters)
{
    TFont font;
    std::wstring name(40, L'x');
    font.SetName(name);
    EXPECT_EQ(font.Name(), name);
    EXPECT_EQ(std::wstring(FontInfo(font.Handle()).lfFaceName), name.substr(0, 31));
}

TEST(FontTest, AssignCopiesEverySetting)
{
    TFont source;
    source.SetSize(14);
    source.SetName(L"DejaVu Sans");
    source.SetStyle(fsItalic);
    source.SetColor(0x336699);
    TFont font;
    TChangeCounter changes(font);
    font.Assign(&source);
    EXPECT_EQ(font.Size(), 14);
    EXPECT_EQ(font.Name(), L"DejaVu Sans");
    EXPECT_EQ(font.Style(), fsItalic);
    EXPECT_EQ(font.Color(), 0x336699);
    EXPECT_NE(font.Handle(), source.Handle());
    EXPECT_EQ(FontInfo(font.Handle()).lfItalic, 1);
    EXPECT_EQ(changes.count, 1);

    TSolidBrush brush;
    font.Assign(&brush);
    EXPECT_EQ(changes.count, 1);
}

// A memory device context to select into, deleted at the end.
class CanvasTest : public ::testing::Test {
protected:
    CanvasTest() : dc_(CreateCompatibleDC(nullptr)) {}
    ~CanvasTest() override { DeleteDC(dc_); }

    HDC dc_;
};

TEST_F(CanvasTest, StartsWithTheWindowColourAndNoDeviceContext)
{
    TCanvas canvas;
    EXPECT_FALSE(canvas.HasHandle());
    EXPECT_EQ(canvas.Brush().Color(), static_cast<TColor>(GetSysColor(COLOR_WINDOW)));
    EXPECT_NE(canvas.Brush().Handle(), nullptr);
    EXPECT_EQ(canvas.Pen().Handle(), nullptr);
    EXPECT_NE(canvas.Font().Handle(), nullptr);
}

TEST_F(CanvasTest, ObjectsAreSelectedOnlyWhenTheyChangeWhileTheDeviceContextIsSet)
{
    TCanvas canvas;
    TChangeCounter changes(canvas);
    canvas.Brush().SetColor(0x0000FF);
    EXPECT_EQ(changes.count, 0) << "no device context, no notification";

    HGDIOBJ stockBrush = GetCurrentObject(dc_, OBJ_BRUSH);
    canvas.SetHandle(dc_);
    EXPECT_EQ(GetCurrentObject(dc_, OBJ_BRUSH), stockBrush) << "setting the device context selects nothing";

    canvas.Brush().SetColor(0x00FF00);
    EXPECT_EQ(GetCurrentObject(dc_, OBJ_BRUSH), canvas.Brush().Handle());
    canvas.Pen().SetColor(0xFF0000);
    EXPECT_EQ(GetCurrentObject(dc_, OBJ_PEN), canvas.Pen().Handle());
    canvas.Font().SetColor(0x0080FF);
    EXPECT_EQ(GetCurrentObject(dc_, OBJ_FONT), canvas.Font().Handle());
    EXPECT_EQ(GetTextColor(dc_), 0x0080FFu);
    EXPECT_EQ(changes.count, 3);

    canvas.SetHandle(nullptr);
    canvas.Font().SetSize(20);
    EXPECT_EQ(changes.count, 3);
}

// The wrappers hand every handle they made back to GDI.
TEST_F(CanvasTest, ThousandsOfObjectsLeaveNoGdiHandleBehind)
{
    auto cycle = [this] {
        TCanvas canvas;
        canvas.SetHandle(dc_);
        canvas.Brush().SetColor(0x00FF00);
        canvas.Brush().SetStyle(HS_BDIAGONAL);
        canvas.Pen().SetWidth(2);
        canvas.Font().SetStyle(fsBold);
        TSolidBrush other;
        other.Assign(&canvas.Brush());
        TPen pen;
        pen.SetHandle(CreatePen(PS_SOLID, 1, 0));
        // A device context keeps what is selected into it alive; a painted window's
        // device context lets go of it at EndPaint.
        SelectObject(dc_, GetStockObject(WHITE_BRUSH));
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        SelectObject(dc_, GetStockObject(SYSTEM_FONT));
    };
    cycle();
    size_t before = testing_support::CountGdiObjects();
    for (int i = 0; i < 1000; ++i)
        cycle();
    EXPECT_EQ(testing_support::CountGdiObjects(), before);
}

} // namespace
