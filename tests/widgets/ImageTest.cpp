// The image, background and container widgets on a hidden window: what they hold, what
// they draw, and that replacing their images leaks nothing.
#include <gtest/gtest.h>

#include <functional>

#include "core/Exceptions.h"
#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/support/ResourceUsage.h"
#include "tests/widgets/WidgetsTestSupport.h"
#include "widgets/BackgroundEx.h"
#include "widgets/CheckBoxEx.h"
#include "widgets/ContainerEx.h"
#include "widgets/ImageEx.h"
#include "widgets/SkinText.h"

using graphics_test::PixelAt;
using graphics_test::Pixels;
using widgets_testing::Place;
using widgets_testing::Skin;

namespace {

constexpr RECT ImageBounds{10, 10, 60, 50};
constexpr uint32_t Grey = 0xFF808080;

class ImageWidgets : public widgets_testing::WidgetWindowTest {};

// The top-left w x h pixels of a bitmap.
std::vector<uint32_t> Corner(const graphics::TBitmapEx& bitmap, int width, int height)
{
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(PixelAt(bitmap, x, y));
    return pixels;
}

} // namespace

TEST_F(ImageWidgets, AnImageTakesTheSizeOfEverySkinAndShowsItUnchanged)
{
    auto* image = Make<widgets::TImageEx>(ImageBounds);
    for (const skins::TSkinInfo& skin : skins::All) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(skin.Name)));
        image->SetResource(skin.Id);
        EXPECT_EQ(image->ResourceId(), skin.Id);
        EXPECT_EQ(image->Width(), skin.Width);
        EXPECT_EQ(image->Height(), skin.Height);
        Render();
        ASSERT_NE(image->WorkBitmap(), nullptr);
        EXPECT_EQ(Pixels(*image->WorkBitmap()), Pixels(*Skin(skin)));
        EXPECT_EQ(Pixels(image->Canvas().Bitmap()), Pixels(*Skin(skin)));
    }
}

TEST_F(ImageWidgets, WithoutAutoSizeAnImageKeepsItsSizeAndDrawsAtTheTopLeftCorner)
{
    auto* image = Make<widgets::TImageEx>(RECT{0, 0, 30, 25});
    image->SetAutoSize(false);
    image->SetResource(skins::CheckChecked.Id);
    EXPECT_EQ(image->Width(), 30);
    EXPECT_EQ(image->Height(), 25);
    Render();
    const graphics::TBitmapEx& canvas = image->Canvas().Bitmap();
    EXPECT_EQ(Corner(canvas, skins::CheckChecked.Width, skins::CheckChecked.Height),
              Pixels(*Skin(skins::CheckChecked)));
    EXPECT_EQ(widgets_testing::InkBounds(canvas, RECT{skins::CheckChecked.Width, 0, 30, 25}).right, 0)
        << "nothing right of the image";
}

TEST_F(ImageWidgets, LoadingTheSameResourceAgainUndoesATint)
{
    auto* image = Make<widgets::TImageEx>(ImageBounds);
    image->SetResource(skins::OptionsSheet.Id);
    image->WorkBitmap()->Fade(240);
    image->WorkBitmap()->Tint(0xFFF0F0F0);
    ASSERT_NE(Pixels(*image->WorkBitmap()), Pixels(*Skin(skins::OptionsSheet)));
    image->SetResource(skins::OptionsSheet.Id);
    EXPECT_EQ(Pixels(*image->WorkBitmap()), Pixels(*Skin(skins::OptionsSheet)));
}

TEST_F(ImageWidgets, AMissingResourceRaisesAndLeavesNoImage)
{
    auto* image = Make<widgets::TImageEx>(ImageBounds);
    image->SetResource(skins::PortalLogo.Id);
    EXPECT_THROW(image->SetResource(4999), core::EResNotFound);
    EXPECT_EQ(image->WorkBitmap(), nullptr);
    EXPECT_EQ(image->ResourceId(), 4999);
    Render();
    EXPECT_EQ(graphics_test::InkedPixels(image->Canvas().Bitmap()), 0);
}

TEST_F(ImageWidgets, AnImageWithoutResourceDrawsNothing)
{
    auto* image = Make<widgets::TImageEx>(ImageBounds);
    Render();
    EXPECT_EQ(image->WorkBitmap(), nullptr);
    EXPECT_EQ(image->Width(), ImageBounds.right - ImageBounds.left);
    EXPECT_EQ(graphics_test::InkedPixels(image->Canvas().Bitmap()), 0);
}

TEST_F(ImageWidgets, ABackgroundDrawsItsBitmapAtTheTopLeftCorner)
{
    auto* background = Make<widgets::TBackgroundEx>(RECT{0, 0, 100, 80});
    Render();
    EXPECT_EQ(graphics_test::InkedPixels(background->Canvas().Bitmap()), 0) << "no bitmap, nothing drawn";
    background->SetBitmap(Skin(skins::AboutIcon));
    background->SetRedraw(true);
    Render();
    const graphics::TBitmapEx& canvas = background->Canvas().Bitmap();
    EXPECT_EQ(Corner(canvas, skins::AboutIcon.Width, skins::AboutIcon.Height), Pixels(*Skin(skins::AboutIcon)));
    EXPECT_EQ(widgets_testing::InkBounds(canvas, RECT{skins::AboutIcon.Width, 0, 100, 80}).right, 0);
}

// A container draws nothing of its own, and a child reaching past it is cut at its edges.
TEST_F(ImageWidgets, AContainerShowsItsParentAndCutsItsChildrenAtItsEdges)
{
    constexpr RECT ContainerBounds{20, 20, 80, 70};
    window_->color = Grey;
    auto* container = Make<widgets::TContainerEx>(ContainerBounds);
    auto* child = new toolkit_testing::TBox(container, 0xFFFF0000);
    Place(child, container, RECT{40, 30, 90, 80});
    Render();
    toolkit_testing::TExpectedPicture expected(window_->Width(), window_->Height(), Grey);
    expected.Paint(RECT{60, 50, 110, 100}, ContainerBounds, child->color);
    EXPECT_EQ(Pixels(window_->Canvas().Bitmap()), expected.Pixels());
    EXPECT_EQ(graphics_test::InkedPixels(container->Canvas().Bitmap()), (80 - 60) * (70 - 50))
        << "the container's canvas holds only its child's part";
}

// Each setter frees the image it replaces once: replacing many images leaves neither GDI
// objects nor heap behind, and nothing is freed twice.
TEST_F(ImageWidgets, ReplacingImagesFreesEachPreviousOneOnce)
{
    auto* background = Make<widgets::TBackgroundEx>(RECT{0, 0, 40, 40});
    auto* checkBox = Make<widgets::TCheckBoxEx>(RECT{0, 40, 200, 60});
    struct Case {
        const char* what;
        std::function<void()> replace;
    } cases[] = {
        {"background", [&] { background->SetBitmap(Skin(skins::CloseButton)); }},
        {"checked image", [&] { checkBox->StateBitmaps().SetCheckedBitmap(Skin(skins::CheckChecked)); }},
        {"unchecked image", [&] { checkBox->StateBitmaps().SetUnchecked(Skin(skins::CheckUnchecked)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing_support::TUsageGrowth growth = testing_support::UsageGrowth(c.replace, 50);
        EXPECT_EQ(growth.gdiObjects, 0);
        // A leaked image would leave its DIB section behind, a GDI object.
        EXPECT_LT(growth.heapBytes, 4096);
    }
}

// Labels and images are static controls with SS_NOTIFY: without it a static control lets
// the pointer through to its parent (HTTRANSPARENT), and the buttons, links and their hand
// cursors would never see it.
TEST_F(ImageWidgets, LabelsAndImagesTakeThePointerUnlikeAPlainStaticControl)
{
    constexpr RECT Bounds{5, 5, 45, 25};
    HWND plainStatic = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, Bounds.left, Bounds.top, 40, 20,
                                       window_->Handle(), nullptr, nullptr, nullptr);
    struct Case {
        const char* what;
        HWND window;
        LRESULT hit;
    } cases[] = {
        {"label", Make<widgets::TSkinText>(Bounds)->Handle(), HTCLIENT},
        {"image", Make<widgets::TImageEx>(Bounds)->Handle(), HTCLIENT},
        {"plain static control", plainStatic, HTTRANSPARENT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        wchar_t className[32]{};
        GetClassNameW(c.window, className, 32);
        EXPECT_EQ(CompareStringOrdinal(className, -1, L"STATIC", -1, TRUE), CSTR_EQUAL)
            << testing::PrintToString(std::wstring(className));
        RECT screen{};
        GetWindowRect(c.window, &screen);
        EXPECT_EQ(SendMessageW(c.window, WM_NCHITTEST, 0, MAKELPARAM(screen.left + 2, screen.top + 2)), c.hit);
    }
    DestroyWindow(plainStatic);
}
