// The painted label: fitting its text, laying it out, and its drop shadow, read back from
// the label's canvas after a render of a hidden window.
#include <gtest/gtest.h>

#include <string>

#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/widgets/WidgetsTestSupport.h"
#include "widgets/SkinText.h"

using graphics_test::PixelAt;
using graphics_test::Pixels;
using widgets::TSkinText;

namespace {

constexpr RECT LabelBounds{10, 10, 130, 34};
constexpr uint32_t Invisible = 0x00000000;
constexpr uint32_t OpaqueRed = 0xFFFF0000;

class SkinText : public widgets_testing::WidgetWindowTest {
protected:
    TSkinText* MakeLabel()
    {
        auto* label = Make<TSkinText>(LabelBounds);
        label->Font().SetName(L"Trebuchet MS");
        label->Font().SetSize(9);
        return label;
    }
    // A label whose own text is invisible, so that its canvas shows the shadow alone.
    TSkinText* MakeShadowOnlyLabel()
    {
        TSkinText* label = MakeLabel();
        label->Font().SetColor(Invisible);
        return label;
    }
};

bool HasRed(const graphics::TBitmapEx& bitmap)
{
    for (uint32_t pixel : Pixels(bitmap))
        if ((pixel >> 16) & 0xFF)
            return true;
    return false;
}

} // namespace

TEST_F(SkinText, AutoSizeTakesTheTextExtentPlusOnePixel)
{
    TSkinText* label = MakeLabel();
    for (const wchar_t* text : {L"Son dakika", L"Güncelleniyor...", L"ĞÜŞİÖÇ ğüşıöç", L"İki\r\nsatır"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        SIZE extent = label->Canvas().TextExtent(text);
        label->SetData(text);
        EXPECT_EQ(label->Width(), extent.cx + 1);
        EXPECT_EQ(label->Height(), extent.cy + 1);
        EXPECT_GT(label->Width(), 20);
        EXPECT_EQ(label->Canvas().Width(), label->Width()) << "the canvas follows the window";
        ASSERT_NE(label->ShadowBitmap(), nullptr);
        EXPECT_EQ(label->ShadowBitmap()->Width(), label->Width()) << "the shadow is built at the fitted size";
    }
}

TEST_F(SkinText, AnEmptyTextGivesALabelOfAtLeastTwoByTwo)
{
    TSkinText* label = MakeLabel();
    label->SetData(L"");
    EXPECT_GE(label->Width(), 2);
    EXPECT_GE(label->Height(), 2);
}

TEST_F(SkinText, OnlyDataIsFittedNotTheWindowText)
{
    TSkinText* label = MakeLabel();
    label->SetData(L"Kısa");
    const SIZE fitted{label->Width(), label->Height()};
    label->SetCaption(L"Çok daha uzun bir pencere metni, etiketin gösterdiği metin değil");
    EXPECT_EQ(label->Width(), fitted.cx);
    EXPECT_EQ(label->Height(), fitted.cy);
}

TEST_F(SkinText, SwitchingAutoSizeBackOnFitsTheTextAgain)
{
    TSkinText* label = MakeLabel();
    label->SetAutoSize(false);
    label->SetData(L"Haber");
    label->Resize(300, 40);
    EXPECT_EQ(label->Width(), 300) << "without auto-size the label keeps its size";
    label->SetAutoSize(true);
    EXPECT_EQ(label->Width(), label->Canvas().TextExtent(L"Haber").cx + 1);
}

TEST_F(SkinText, WithoutAutoSizeTheStringFormatPlacesTheText)
{
    constexpr int LabelWidth = 240;
    // Where the text's ink is anchored: its left edge, its middle or its right edge.
    struct Case {
        Gdiplus::StringAlignment alignment;
        int expected;
    } cases[] = {
        {Gdiplus::StringAlignmentNear, 2},
        {Gdiplus::StringAlignmentCenter, LabelWidth / 2},
        {Gdiplus::StringAlignmentFar, LabelWidth - 2},
    };
    TSkinText* label = MakeLabel();
    label->Shadow().Enabled = false;
    label->SetAutoSize(false);
    label->Resize(LabelWidth, 30);
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.alignment));
        label->Canvas().StringFormat().SetAlignment(c.alignment);
        label->SetData(L"Haber");
        Render();
        EXPECT_EQ(label->Width(), LabelWidth);
        RECT ink = widgets_testing::InkBounds(label->Canvas().Bitmap());
        EXPECT_GT(ink.right - ink.left, 20);
        const int anchors[] = {ink.left, (ink.left + ink.right) / 2, ink.right};
        EXPECT_NEAR(anchors[c.alignment], c.expected, 4);
    }
}

// The shadow is the label's own text, laid out by the label's format and font, in the
// shadow colour, blurred Passes times.
TEST_F(SkinText, TheShadowIsTheLabelTextInTheShadowColourBlurred)
{
    struct Case {
        int passes;
        uint32_t color;
        Gdiplus::StringAlignment alignment;
        bool antialias;
    } cases[] = {
        {2, 0xFF000000, Gdiplus::StringAlignmentNear, false},
        {0, OpaqueRed, Gdiplus::StringAlignmentFar, true},
        {5, 0x80204060, Gdiplus::StringAlignmentCenter, false},
    };
    TSkinText* label = MakeLabel();
    label->SetAutoSize(false);
    label->Resize(150, 26);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.passes);
        label->Shadow().Passes = c.passes;
        label->Shadow().Color = c.color;
        label->Canvas().StringFormat().SetAlignment(c.alignment);
        label->Canvas().SetAntialias(c.antialias);
        label->SetData(L"Şubat'ta ığdır");

        graphics::TCanvasEx layer(150, CAIRO_FORMAT_ARGB32, 26);
        layer.SetTextRenderingHint(label->Canvas().TextRenderingHint());
        layer.StringFormat().Assign(&label->Canvas().StringFormat());
        layer.Font().Assign(&label->Font());
        layer.Font().SetColor(c.color);
        layer.TextRect(RECT{0, 0, 150, 26}, L"Şubat'ta ığdır");
        auto expected = layer.Bitmap().Clone();
        expected->Blur(c.passes);

        ASSERT_NE(label->ShadowBitmap(), nullptr);
        EXPECT_GT(graphics_test::InkedPixels(*expected), 20);
        EXPECT_EQ(Pixels(*label->ShadowBitmap()), Pixels(*expected));
    }
}

TEST_F(SkinText, TheShadowIsDrawnAtItsOffsetAndCutAtTheCanvas)
{
    const POINT offsets[] = {{2, 2}, {0, 0}, {5, 1}, {-1, 3}};
    TSkinText* label = MakeShadowOnlyLabel();
    for (POINT offset : offsets) {
        SCOPED_TRACE(testing::Message() << offset.x << "," << offset.y);
        label->Shadow().OffsetX = offset.x;
        label->Shadow().OffsetY = offset.y;
        label->SetData(L"Gündem");
        Render();
        const graphics::TBitmapEx& shadow = *label->ShadowBitmap();
        const graphics::TBitmapEx& canvas = label->Canvas().Bitmap();
        EXPECT_GT(graphics_test::InkedPixels(shadow), 20);
        int wrong = 0;
        for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 0; x < canvas.Width(); ++x) {
                int sx = x - offset.x, sy = y - offset.y;
                bool inside = sx >= 0 && sy >= 0 && sx < shadow.Width() && sy < shadow.Height();
                wrong += PixelAt(canvas, x, y) != (inside ? PixelAt(shadow, sx, sy) : 0u);
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(SkinText, SettingTheSameTextAgainRebuildsTheShadow)
{
    TSkinText* label = MakeLabel();
    label->SetData(L"Son dakika");
    ASSERT_FALSE(HasRed(*label->ShadowBitmap()));
    label->Shadow().Color = OpaqueRed;
    label->SetData(L"Son dakika");
    EXPECT_TRUE(HasRed(*label->ShadowBitmap()));
}

TEST_F(SkinText, ADisabledShadowIsNeitherDrawnNorRebuiltButKept)
{
    TSkinText* label = MakeShadowOnlyLabel();
    label->SetData(L"Son dakika");
    const std::vector<uint32_t> built = Pixels(*label->ShadowBitmap());
    label->Shadow().Enabled = false;
    label->Shadow().Color = OpaqueRed;
    label->SetData(L"Başka bir metin");
    Render();
    EXPECT_EQ(graphics_test::InkedPixels(label->Canvas().Bitmap()), 0);
    ASSERT_NE(label->ShadowBitmap(), nullptr);
    EXPECT_EQ(Pixels(*label->ShadowBitmap()), built);
}

TEST_F(SkinText, ATextSetBeforeTheWindowExistsIsFittedAndShadowedWhenItIsMade)
{
    auto* label = new TSkinText(window_);
    label->Font().SetName(L"Trebuchet MS");
    label->SetData(L"Güncelleniyor");
    label->SetParentControl(window_);
    label->SetVisible(true);
    EXPECT_EQ(label->Width(), label->Canvas().TextExtent(L"Güncelleniyor").cx + 1);
    ASSERT_NE(label->ShadowBitmap(), nullptr);
    EXPECT_EQ(label->ShadowBitmap()->Width(), label->Width());
    EXPECT_EQ(label->ShadowBitmap()->Height(), label->Height());
}

// The font in use when the text was set is the one fitted and shadowed, until the next
// UpdateText.
TEST_F(SkinText, AFontChangeTakesEffectOnlyAtTheNextUpdate)
{
    TSkinText* label = MakeLabel();
    label->SetData(L"Gündem");
    const SIZE fitted{label->Width(), label->Height()};
    const std::vector<uint32_t> shadow = Pixels(*label->ShadowBitmap());
    label->Font().SetSize(20);
    EXPECT_EQ(label->Width(), fitted.cx);
    EXPECT_EQ(label->Height(), fitted.cy);
    EXPECT_EQ(Pixels(*label->ShadowBitmap()), shadow);
    label->UpdateText();
    EXPECT_GT(label->Width(), fitted.cx);
    EXPECT_GT(label->Height(), fitted.cy);
    EXPECT_EQ(label->ShadowBitmap()->Height(), label->Height());
}
