// Layered windows on the screen: what the X server shows after a render (read back
// from screenshots), and where real clicks go. Under Wine a layered window's pixels of
// alpha 0 are cut out of its X window, so the pointer reaches the window below there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/toolkit/PaintedTestSupport.h"
#include "tests/toolkit/ToolkitTestSupport.h"

using namespace std::chrono_literals;
using namespace toolkit;
using namespace toolkit_testing;

namespace {

// A plain window under the layered ones, noting the clicks that reach it.
constexpr RECT BelowBounds{560, 260, 860, 560};
constexpr POINT TreePosition{600, 300};
constexpr RECT LayeredBounds{600, 300, 800, 450};
// The painted child of the clickable window covers its right half.
constexpr RECT ChildBounds{100, 0, 200, 150};
constexpr POINT OverTransparentPixel{LayeredBounds.left + 50, LayeredBounds.top + 75};
constexpr POINT OverChild{LayeredBounds.left + 150, LayeredBounds.top + 75};

constexpr uint32_t OpaqueRed = 0xFFFF0000;
constexpr uint32_t OpaqueGreen = 0xFF00FF00;

RECT ScreenRect(const TControl* window)
{
    return RECT{window->Left(), window->Top(), window->Left() + window->Width(), window->Top() + window->Height()};
}

// The screen may lag a moment behind the layered update; a few screenshots tell.
testing::AssertionResult ScreenShows(RECT area, const std::vector<uint32_t>& expected)
{
    std::vector<uint32_t> shown;
    for (int attempt = 0; attempt < 5; ++attempt) {
        shown = ScreenColors(area);
        if (shown == expected)
            return testing::AssertionSuccess();
        PumpMessages(100ms);
    }
    auto differs = std::mismatch(shown.begin(), shown.end(), expected.begin(), expected.end());
    if (differs.first == shown.end())
        return testing::AssertionFailure() << "the screenshot has " << shown.size() << " pixels";
    auto index = differs.first - shown.begin();
    const int width = area.right - area.left;
    return testing::AssertionFailure() << "at (" << index % width << ", " << index / width << ") the screen shows "
                                       << std::hex << *differs.first << " instead of " << *differs.second;
}

// A channel scaled by a constant alpha, as the layered update applies it.
bool NearlyScaled(uint32_t shown, uint32_t original, uint8_t alpha)
{
    for (int shift = 0; shift < 24; shift += 8) {
        int expected = static_cast<int>(((original >> shift) & 0xFF) * alpha / 255);
        if (std::abs(static_cast<int>((shown >> shift) & 0xFF) - expected) > 1)
            return false;
    }
    return true;
}

// A painted child that counts the button presses that reach it.
class TClickBox : public TBox {
public:
    explicit TClickBox(TControl* parent) : TBox(parent, OpaqueGreen)
    {
        SetParentControl(parent);
        SetLeft(ChildBounds.left);
        SetTop(ChildBounds.top);
        Resize(ChildBounds.right - ChildBounds.left, ChildBounds.bottom - ChildBounds.top);
        OnMouseDown.Bind([this](core::TObject*, uint32_t, int, int) { ++presses; });
        SetVisible(true);
    }
    int presses = 0;
};

class LayeredWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        below_ = new THostWindow(nullptr, BelowBounds);
        below_->SetVisible(true);
    }
    static void TearDownTestSuite()
    {
        DestroyWindow(below_->WindowHandle());
        delete below_;
        below_ = nullptr;
    }
    void SetUp() override { below_->ClearLog(); }
    void TearDown() override
    {
        for (TWindowEx* window : windows_)
            DestroyPainted(window);
    }

    TPaintedWindow* Adopt(TPaintedWindow* window)
    {
        windows_.push_back(window);
        return window;
    }
    // A shown layered window whose left half is clear and whose right half is a child.
    TPaintedWindow* ShowClickable(bool transparentBeforeCreation = false)
    {
        auto* window = Adopt(new TPaintedWindow(nullptr));
        window->SetLeft(LayeredBounds.left);
        window->SetTop(LayeredBounds.top);
        window->Resize(LayeredBounds.right - LayeredBounds.left, LayeredBounds.bottom - LayeredBounds.top);
        window->SetTransparent(transparentBeforeCreation);
        clickBox_ = new TClickBox(window);
        // Clicks leave it inactive, so it is taken down at once.
        window->OnMouseActivate.Bind(
            [](core::TObject*, uint16_t, uint16_t, LRESULT& result) { result = MA_NOACTIVATE; });
        ShowWithoutActivating(window);
        window->RequestRender();
        return window;
    }
    // Which of the three got a real click at the point: the window below, the painted
    // child, or nobody.
    const char* ClickTarget(POINT at)
    {
        int pressesBefore = clickBox_->presses;
        below_->ClearLog();
        Xdotool(ClickAt(at));
        PumpUntil([&] { return below_->Handled(WM_LBUTTONUP) || clickBox_->presses > pressesBefore; }, 2s);
        PumpMessages(50ms);
        if (below_->Handled(WM_LBUTTONDOWN))
            return "below";
        return clickBox_->presses > pressesBefore ? "child" : "nobody";
    }

    static THostWindow* below_;
    std::vector<TWindowEx*> windows_;
    TClickBox* clickBox_ = nullptr;
};

THostWindow* LayeredWindowTest::below_ = nullptr;

} // namespace

TEST_F(LayeredWindowTest, AThreeLevelTreeShowsExactlyItsPixels)
{
    TThreeLevelTree tree = MakeThreeLevelTree(TreePosition);
    Adopt(tree.window);
    ShowWithoutActivating(tree.window);
    tree.window->RequestRender();
    TExpectedPicture expected = tree.Expected();
    EXPECT_EQ(graphics_test::Pixels(tree.window->Canvas().Bitmap()), expected.Pixels());
    EXPECT_TRUE(ScreenShows(ScreenRect(tree.window), expected.Colors()));

    tree.upper->Hide();
    tree.window->RequestRender();
    EXPECT_TRUE(ScreenShows(ScreenRect(tree.window), tree.Expected(false).Colors()))
        << "a hidden control is not composed";
}

TEST_F(LayeredWindowTest, OpacityAndComposeAloneChangeTheScreenWithoutDrawing)
{
    TThreeLevelTree tree = MakeThreeLevelTree(TreePosition);
    Adopt(tree.window);
    ShowWithoutActivating(tree.window);
    tree.window->RequestRender();
    const RECT area = ScreenRect(tree.window);
    const std::vector<uint32_t> full = tree.Expected().Colors();
    ASSERT_TRUE(ScreenShows(area, full));
    auto draws = [&] { return tree.window->draws + tree.lower->draws + tree.upper->draws + tree.grandchild->draws; };
    const int drawsBefore = draws();

    tree.window->SetOpacity(128);
    PumpMessages(100ms);
    EXPECT_EQ(ScreenColors(area), full) << "setting Opacity alone shows nothing";

    tree.window->Compose();
    PumpMessages(100ms);
    std::vector<uint32_t> half = ScreenColors(area);
    ASSERT_EQ(half.size(), full.size());
    for (size_t i = 0; i < full.size(); ++i)
        ASSERT_TRUE(NearlyScaled(half[i], full[i], 128)) << "pixel " << i << ": " << std::hex << half[i];
    EXPECT_EQ(draws(), drawsBefore);

    // A locked window draws nothing but still updates the screen.
    tree.window->SetLocked(true);
    tree.window->SetOpacity(255);
    tree.window->RequestRender();
    EXPECT_TRUE(ScreenShows(area, full));
    EXPECT_EQ(draws(), drawsBefore);
}

TEST_F(LayeredWindowTest, TheCloseDecisionIsTheCallbacks)
{
    struct Case {
        TCloseAction action;
        bool alive;
        bool visible;
    } cases[] = {
        {caFree, false, false},
        {caHide, true, false},
        {caNone, true, true},
        {caMinimize, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.action));
        TPaintedWindow* window = Adopt(MakePaintedWindow(LayeredBounds, OpaqueRed));
        ShowWithoutActivating(window);
        window->RequestRender();
        ASSERT_TRUE(window->Visible());
        int hides = 0;
        window->OnHide.Bind([&](core::TObject*) { ++hides; });
        window->OnClose.Bind([&](core::TObject*, TCloseAction& action) {
            EXPECT_EQ(action, caFree) << "the proposed action";
            action = c.action;
        });
        EXPECT_EQ(SendMessageW(window->WindowHandle(), WM_CLOSE, 0, 0), 0);
        EXPECT_EQ(window->HasWindow(), c.alive);
        EXPECT_EQ(IsWindowVisible(window->WindowHandle()) != FALSE, c.visible);
        EXPECT_EQ(hides, c.action == caHide ? 1 : 0);
        if (c.alive) {
            EXPECT_EQ(window->Visible(), c.visible);
        }
    }
}

TEST_F(LayeredWindowTest, AlwaysTopOnALiveWindowBringsItToTheFront)
{
    TPaintedWindow* window = Adopt(MakePaintedWindow(LayeredBounds, OpaqueRed));
    ShowWithoutActivating(window);
    window->RequestRender();
    TPaintedWindow* cover = Adopt(MakePaintedWindow(LayeredBounds, OpaqueGreen));
    ShowWithoutActivating(cover);
    cover->RequestRender();
    const RECT area = ScreenRect(window);
    const std::vector<uint32_t> red(static_cast<size_t>(window->Width() * window->Height()), OpaqueRed & 0xFFFFFF);
    const std::vector<uint32_t> green(red.size(), OpaqueGreen & 0xFFFFFF);
    ASSERT_TRUE(ScreenShows(area, green)) << "the later window covers the first";
    const int drawsBefore = window->draws;

    window->SetAlwaysTop(true);
    EXPECT_TRUE(window->ExStyle() & WS_EX_TOPMOST);
    EXPECT_EQ(GetForegroundWindow(), window->WindowHandle());
    EXPECT_EQ(window->draws, drawsBefore + 1) << "and renders";
    EXPECT_TRUE(ScreenShows(area, red));

    window->SetAlwaysTop(false);
    EXPECT_FALSE(window->ExStyle() & WS_EX_TOPMOST);
}

TEST_F(LayeredWindowTest, ClicksPassThroughClearPixelsAndReachThePaintedChild)
{
    TPaintedWindow* window = ShowClickable();
    int activations = 0;
    window->OnMouseActivate.Bind([&](core::TObject*, uint16_t hitTest, uint16_t button, LRESULT& result) {
        EXPECT_EQ(hitTest, HTCLIENT);
        EXPECT_EQ(button, WM_LBUTTONDOWN);
        EXPECT_EQ(result, MA_ACTIVATE);
        result = MA_NOACTIVATE;
        ++activations;
    });
    EXPECT_STREQ(ClickTarget(OverTransparentPixel), "below");
    EXPECT_EQ(activations, 0);
    EXPECT_STREQ(ClickTarget(OverChild), "child");
    EXPECT_EQ(activations, 1) << "a click on the child asks its top-level window";
    EXPECT_NE(GetActiveWindow(), window->WindowHandle()) << "the callback's answer counts";
}

TEST_F(LayeredWindowTest, TransparentLetsClicksFallThroughOnlyOnALiveWindow)
{
    TPaintedWindow* window = ShowClickable();
    window->SetTransparent(true);
    EXPECT_STREQ(ClickTarget(OverChild), "below");
    window->SetTransparent(false);
    EXPECT_STREQ(ClickTarget(OverChild), "child");
    DestroyPainted(window);
    windows_.clear();

    ShowClickable(true);
    EXPECT_STREQ(ClickTarget(OverChild), "child") << "set before creation, it is not applied";
}
