// The painted check box: its state image, its caption beside it, and how both states look.
#include <gtest/gtest.h>

#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/widgets/WidgetsTestSupport.h"
#include "widgets/CheckBoxEx.h"

using graphics_test::PixelAt;
using graphics_test::Pixels;
using widgets::TCheckBoxEx;
using widgets_testing::InkBounds;
using widgets_testing::Skin;

namespace {

// As the options panel lays out its boxes.
constexpr RECT BoxBounds{40, 20, 340, 40};
constexpr int ImageWidth = skins::CheckChecked.Width;

class CheckBox : public widgets_testing::WidgetWindowTest {
protected:
    TCheckBoxEx* MakeBox(bool withImages)
    {
        auto* box = Make<TCheckBoxEx>(BoxBounds);
        box->Font().SetName(L"Trebuchet MS");
        box->Font().SetSize(9);
        box->Font().SetColor(0xCF000000);
        box->Canvas().StringFormat().SetLineAlignment(Gdiplus::StringAlignmentCenter);
        box->Canvas().SetAntialias(false);
        box->SetCaption(L"Windows başladığında çalıştır");
        if (withImages) {
            box->StateBitmaps().SetUnchecked(Skin(skins::CheckUnchecked));
            box->StateBitmaps().SetCheckedBitmap(Skin(skins::CheckChecked));
        }
        return box;
    }
    const graphics::TBitmapEx& Draw(TCheckBoxEx* box, bool checked)
    {
        box->SetChecked(checked);
        box->SetRedraw(true);
        Render();
        return box->Canvas().Bitmap();
    }
};

std::vector<uint32_t> ImageArea(const graphics::TBitmapEx& bitmap)
{
    std::vector<uint32_t> pixels;
    for (int y = 0; y < skins::CheckChecked.Height; ++y)
        for (int x = 0; x < ImageWidth; ++x)
            pixels.push_back(PixelAt(bitmap, x, y));
    return pixels;
}

} // namespace

TEST_F(CheckBox, TheCaptionStartsAtTheLeftEdgeOrRightOfTheImage)
{
    struct Case {
        bool withImages;
        int captionLeft;
    } cases[] = {{false, 0}, {true, ImageWidth}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.withImages);
        TCheckBoxEx* box = MakeBox(c.withImages);
        const graphics::TBitmapEx& canvas = Draw(box, false);
        RECT caption = InkBounds(canvas, RECT{c.captionLeft, 0, canvas.Width(), canvas.Height()});
        EXPECT_GE(caption.left, c.captionLeft);
        EXPECT_LE(caption.left, c.captionLeft + 4) << "the caption begins right there";
        EXPECT_GT(caption.right, c.captionLeft + 100);
        if (!c.withImages) {
            EXPECT_EQ(InkBounds(canvas).left, caption.left) << "nothing else is drawn";
        }
        DestroyWindow(box->WindowHandle());
        delete box;
    }
}

// Both states are dumped for people to look at.
TEST_F(CheckBox, EachStateShowsItsOwnImageAndTheSameCaption)
{
    TCheckBoxEx* box = MakeBox(true);
    struct Case {
        bool checked;
        const skins::TSkinInfo& image;
        const wchar_t* artefact;
    } cases[] = {
        {false, skins::CheckUnchecked, L"checkbox-unchecked.png"},
        {true, skins::CheckChecked, L"checkbox-checked.png"},
        {false, skins::CheckUnchecked, nullptr},
    };
    std::vector<uint32_t> firstCaption;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.checked);
        const graphics::TBitmapEx& canvas = Draw(box, c.checked);
        EXPECT_EQ(ImageArea(canvas), Pixels(*Skin(c.image)));
        std::vector<uint32_t> caption;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = ImageWidth; x < canvas.Width(); ++x)
                caption.push_back(PixelAt(canvas, x, y));
        if (firstCaption.empty())
            firstCaption = caption;
        EXPECT_EQ(caption, firstCaption);
        if (c.artefact)
            graphics_test::SaveArtefact(canvas, c.artefact);
    }
    EXPECT_NE(Pixels(*Skin(skins::CheckChecked)), Pixels(*Skin(skins::CheckUnchecked)));
}

TEST_F(CheckBox, AStateWithoutImageDrawsTheCaptionFromTheLeftEdge)
{
    TCheckBoxEx* box = MakeBox(false);
    box->StateBitmaps().SetCheckedBitmap(Skin(skins::CheckChecked));
    RECT unchecked = InkBounds(Draw(box, false));
    EXPECT_LE(unchecked.left, 4);
    RECT checked = InkBounds(Draw(box, true), RECT{ImageWidth, 0, BoxBounds.right - BoxBounds.left, 20});
    EXPECT_EQ(checked.left - ImageWidth, unchecked.left);
}
