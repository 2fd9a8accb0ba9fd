#include <gtest/gtest.h>

#include "graphics/CanvasEx.h"
#include "graphics/FontEx.h"
#include "graphics/GraphicObjects.h"

using namespace graphics;
namespace gp = Gdiplus::DllExports;

namespace {

// Counts OnChange calls of one object.
struct TChangeCounter {
    explicit TChangeCounter(TGraphicObjectEx& object)
    {
        object.OnChange.Bind([this, &object](core::TObject* sender) {
            EXPECT_EQ(sender, &object);
            ++calls;
        });
    }
    int calls = 0;
};

uint32_t FillColor(Gdiplus::GpBrush* brush)
{
    Gdiplus::ARGB color = 0;
    gp::GdipGetSolidFillColor(static_cast<Gdiplus::GpSolidFill*>(brush), &color);
    return color;
}

float FontSize(const TFontEx& font)
{
    float size = 0;
    gp::GdipGetFontSize(font.Handle(), &size);
    return size;
}

} // namespace

TEST(Font, OpaqueColoursAreKeptWithAlpha254)
{
    struct {
        uint32_t set, stored;
    } cases[] = {
        {0xFF112233, 0xFE112233}, {0x80112233, 0x80112233}, {0xFE000000, 0xFE000000}, {0x00FFFFFF, 0x00FFFFFF}};
    for (auto test : cases) {
        TFontEx font;
        TChangeCounter changes(font);
        font.SetColor(test.set);
        EXPECT_EQ(font.Color(), test.stored);
        EXPECT_EQ(FillColor(font.Brush()), test.stored);
        EXPECT_EQ(changes.calls, 0) << "a colour is no change of the font";
    }
}

TEST(Font, OnlyANewNameSizeOrStyleRecreatesTheFont)
{
    TFontEx font;
    EXPECT_EQ(font.Name(), L"Arial");
    EXPECT_EQ(font.Size(), 10);
    EXPECT_EQ(font.Color(), 0xFE000000u);
    ASSERT_NE(font.Handle(), nullptr);
    TChangeCounter changes(font);
    Gdiplus::GpFont* original = font.Handle();
    font.SetSize(10);
    font.SetName(L"Arial");
    font.SetStyle(0);
    EXPECT_EQ(changes.calls, 0);
    EXPECT_EQ(font.Handle(), original);

    font.SetSize(14);
    EXPECT_EQ(changes.calls, 1);
    EXPECT_FLOAT_EQ(FontSize(font), 14.0f);
    font.SetStyle(Gdiplus::FontStyleBold | Gdiplus::FontStyleItalic);
    INT style = 0;
    gp::GdipGetFontStyle(font.Handle(), &style);
    EXPECT_EQ(style, Gdiplus::FontStyleBold | Gdiplus::FontStyleItalic);
    font.SetName(L"Trebuchet MS");
    EXPECT_EQ(changes.calls, 3);
}

TEST(Font, AssignCopiesEverythingAndAnnouncesIt)
{
    TFontEx source;
    source.SetName(L"Tahoma");
    source.SetSize(8);
    source.SetStyle(Gdiplus::FontStyleBold);
    source.SetColor(0x80102030);
    source.Format().SetAlignment(Gdiplus::StringAlignmentFar);
    TFontEx font;
    TChangeCounter changes(font);
    font.Assign(&source);
    EXPECT_EQ(changes.calls, 1);
    EXPECT_EQ(font.Name(), L"Tahoma");
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Style(), Gdiplus::FontStyleBold);
    EXPECT_EQ(font.Color(), 0x80102030u);
    EXPECT_EQ(FillColor(font.Brush()), 0x80102030u);
    EXPECT_EQ(font.Format().Alignment(), Gdiplus::StringAlignmentFar);
    EXPECT_FLOAT_EQ(FontSize(font), 8.0f);

    TPenEx pen;
    font.Assign(&pen);
    EXPECT_EQ(font.Name(), L"Tahoma");
    EXPECT_EQ(changes.calls, 1);
}

TEST(Pen, SettingsReachTheGdiPlusPen)
{
    TPenEx pen;
    Gdiplus::ARGB color = 0;
    float width = 0;
    Gdiplus::DashStyle dash{};
    Gdiplus::PenAlignment alignment{};
    Gdiplus::LineJoin join{};
    gp::GdipGetPenMode(pen.Handle(), &alignment);
    gp::GdipGetPenLineJoin(pen.Handle(), &join);
    EXPECT_EQ(alignment, Gdiplus::PenAlignmentInset);
    EXPECT_EQ(join, Gdiplus::LineJoinMiterClipped);
    EXPECT_EQ(pen.Color(), 0xFF000000u);
    EXPECT_EQ(pen.Width(), 1.0f);
    EXPECT_EQ(pen.Style(), Gdiplus::DashStyleSolid);

    pen.SetColor(0x80FF0000);
    pen.SetWidth(2.5f);
    pen.SetStyle(Gdiplus::DashStyleDot);
    TPenEx copy;
    copy.Assign(&pen);
    for (TPenEx* each : {&pen, &copy}) {
        gp::GdipGetPenColor(each->Handle(), &color);
        gp::GdipGetPenWidth(each->Handle(), &width);
        gp::GdipGetPenDashStyle(each->Handle(), &dash);
        gp::GdipGetPenMode(each->Handle(), &alignment);
        EXPECT_EQ(color, 0x80FF0000u);
        EXPECT_EQ(width, 2.5f);
        EXPECT_EQ(dash, Gdiplus::DashStyleDot);
        EXPECT_EQ(alignment, Gdiplus::PenAlignmentInset);
    }
}

TEST(SolidBrush, ColourReachesTheGdiPlusBrush)
{
    TSolidBrushEx brush;
    EXPECT_EQ(brush.BrushType(), 0);
    EXPECT_EQ(brush.Color(), 0xFF808080u);
    EXPECT_EQ(FillColor(brush.Handle()), 0xFF808080u);
    brush.SetColor(0x40010203);
    EXPECT_EQ(FillColor(brush.Handle()), 0x40010203u);
    TSolidBrushEx copy;
    copy.Assign(&brush);
    EXPECT_EQ(copy.Color(), 0x40010203u);
    EXPECT_EQ(FillColor(copy.Handle()), 0x40010203u);
    TStringFormatEx format;
    copy.Assign(&format);
    EXPECT_EQ(copy.Color(), 0x40010203u);
}

TEST(StringFormat, SettingsReachTheGdiPlusFormat)
{
    TStringFormatEx format;
    EXPECT_EQ(format.Trimming(), Gdiplus::StringTrimmingCharacter);
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetHotkeyPrefix(Gdiplus::HotkeyPrefixHide);
    format.SetLineAlignment(Gdiplus::StringAlignmentFar);
    format.SetTrimming(Gdiplus::StringTrimmingEllipsisWord);
    TStringFormatEx copy;
    copy.Assign(&format);
    for (TStringFormatEx* each : {&format, &copy}) {
        INT flags = 0, prefix = 0;
        Gdiplus::StringAlignment alignment{}, lineAlignment{};
        Gdiplus::StringTrimming trimming{};
        gp::GdipGetStringFormatFlags(each->Handle(), &flags);
        gp::GdipGetStringFormatAlign(each->Handle(), &alignment);
        gp::GdipGetStringFormatHotkeyPrefix(each->Handle(), &prefix);
        gp::GdipGetStringFormatLineAlign(each->Handle(), &lineAlignment);
        gp::GdipGetStringFormatTrimming(each->Handle(), &trimming);
        EXPECT_EQ(flags, Gdiplus::StringFormatFlagsNoWrap);
        EXPECT_EQ(alignment, Gdiplus::StringAlignmentCenter);
        EXPECT_EQ(prefix, Gdiplus::HotkeyPrefixHide);
        EXPECT_EQ(lineAlignment, Gdiplus::StringAlignmentFar);
        EXPECT_EQ(trimming, Gdiplus::StringTrimmingEllipsisWord);
    }
}

TEST(GraphicObject, TheBaseAssignsNothingAndAnnouncesChanges)
{
    TGraphicObjectEx object;
    TChangeCounter changes(object);
    object.Assign(&object);
    object.Changed();
    EXPECT_EQ(changes.calls, 1);
    TGraphicObjectEx silent;
    silent.Changed();
}
