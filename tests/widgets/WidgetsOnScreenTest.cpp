// The widgets of the window's face composed into a shown layered window, read back from
// screenshots of the X server.
#include <gtest/gtest.h>

#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "tests/widgets/WidgetsTestSupport.h"
#include "widgets/BackgroundEx.h"
#include "widgets/CheckBoxEx.h"
#include "widgets/ContainerEx.h"
#include "widgets/ImageEx.h"
#include "widgets/SkinText.h"
#include "widgets/ThrobberEx.h"

using namespace std::chrono_literals;
using widgets_testing::Place;
using widgets_testing::Skin;

namespace {

constexpr POINT WindowAt{100, 100};
constexpr RECT WindowBounds{WindowAt.x, WindowAt.y, WindowAt.x + skins::MainFrame.Width,
                            WindowAt.y + skins::MainFrame.Height};
// Where the window's face puts them, in their parents.
constexpr RECT LogoBounds{20, 19, 20 + skins::PortalLogo.Width, 19 + skins::PortalLogo.Height};
constexpr RECT ContainerBounds{30, 75, 445, 288};
constexpr RECT ThrobberBounds{26, 301, 26 + skins::Throbber.Width, 301 + skins::Throbber.Width};
constexpr RECT StatusBounds{44, 301, 154, 319};

void UseFont(toolkit::TControlEx* widget, const wchar_t* name, int size, int style, uint32_t color)
{
    widget->Font().SetName(name);
    widget->Font().SetSize(size);
    widget->Font().SetStyle(style);
    widget->Font().SetColor(color);
    widget->Canvas().SetAntialias(false);
    widget->Canvas().StringFormat().SetLineAlignment(Gdiplus::StringAlignmentCenter);
}

// The window's face: skin, logo, a container with a check box and a shadowed headline,
// the throbber and the status text.
void BuildFace(toolkit::TControl* window)
{
    auto* background = new widgets::TBackgroundEx(window);
    Place(background, window, RECT{0, 0, skins::MainFrame.Width, skins::MainFrame.Height});
    background->SetBitmap(Skin(skins::MainFrame));
    auto* logo = new widgets::TImageEx(background);
    Place(logo, background, LogoBounds);
    logo->SetResource(skins::PortalLogo.Id);
    auto* container = new widgets::TContainerEx(background);
    Place(container, background, ContainerBounds);

    auto* box = new widgets::TCheckBoxEx(container);
    Place(box, container, RECT{10, 10, 310, 30});
    UseFont(box, L"Trebuchet MS", 9, 0, 0xCF000000);
    box->SetCaption(L"Her zaman üstte göster");
    box->StateBitmaps().SetUnchecked(Skin(skins::CheckUnchecked));
    box->StateBitmaps().SetCheckedBitmap(Skin(skins::CheckChecked));
    box->SetChecked(true);

    auto* headline = new widgets::TSkinText(container);
    Place(headline, container, RECT{10, 50, 11, 51});
    UseFont(headline, L"Trebuchet MS", 12, Gdiplus::FontStyleBold, 0xFF2050C0);
    headline->Shadow().Color = 0xFF808080;
    headline->SetData(L"Son dakika: İstanbul'da güneşli bir gün");

    auto* throbber = new widgets::TThrobberEx(background);
    Place(throbber, background, ThrobberBounds);
    throbber->SetFrame(5);
    auto* status = new widgets::TSkinText(background);
    status->Shadow().Enabled = false;
    Place(status, background, StatusBounds);
    UseFont(status, L"Trebuchet MS", 8, 0, 0xFF000000);
    status->SetData(L"Güncelleniyor...");
}

} // namespace

// What the screen shows of every pixel the window paints is the window's composed canvas
// (without a compositor a half-transparent pixel shows its colour unblended). Both the
// canvas and the screenshot are kept for people to look at.
TEST(WidgetsOnScreen, TheScreenShowsTheComposedFace)
{
    toolkit_testing::TPaintedWindow* window = toolkit_testing::MakePaintedWindow(WindowBounds, 0);
    BuildFace(window);
    toolkit_testing::ShowWithoutActivating(window);
    window->RequestRender();

    const graphics::TBitmapEx& canvas = window->Canvas().Bitmap();
    const std::vector<uint32_t> painted = graphics_test::Pixels(canvas);
    EXPECT_GT(graphics_test::InkedPixels(canvas), skins::MainFrame.Width * skins::MainFrame.Height / 2);
    std::vector<uint32_t> shown;
    int wrong = 0;
    for (int attempt = 0; attempt < 5; ++attempt) {
        toolkit_testing::PumpMessages(100ms);
        shown = toolkit_testing::ScreenColors(WindowBounds);
        ASSERT_EQ(shown.size(), painted.size());
        wrong = 0;
        for (size_t i = 0; i < painted.size(); ++i)
            wrong += (painted[i] >> 24) != 0 && shown[i] != (painted[i] & 0xFFFFFF);
        if (wrong == 0)
            break;
    }
    EXPECT_EQ(wrong, 0) << "painted pixels the screen shows differently";

    graphics_test::SaveArtefact(canvas, L"face-canvas.png");
    for (uint32_t& color : shown)
        color |= 0xFF000000;
    graphics_test::SaveArtefact(*graphics_test::BitmapOf(canvas.Width(), canvas.Height(), shown), L"face-screen.png");
    toolkit_testing::DestroyPainted(window);
}
