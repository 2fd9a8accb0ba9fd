// The scroll bar widgets: their pictures on a hidden window, and a thumb drag with the real
// pointer (xdotool), where Windows itself must deliver the moves outside the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "news/ScrollerEx.h"
#include "news/ThumbEx.h"
#include "resources/Resources.h"
#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/support/ResourceUsage.h"
#include "tests/toolkit/PaintedTestSupport.h"
#include "tests/toolkit/ToolkitTestSupport.h"

using namespace std::chrono_literals;
using graphics_test::PixelAt;
using graphics_test::Pixels;
using news::TScrollerEx;
using news::TThumbEx;
using toolkit_testing::MoveTo;
using toolkit_testing::PumpMessages;
using toolkit_testing::PumpUntil;
using toolkit_testing::Xdotool;

namespace {

constexpr int ThumbLeft = 1;

std::unique_ptr<graphics::TBitmapEx> Skin(const skins::TSkinInfo& skin)
{
    return graphics::TBitmapEx::CreateFromResource(graphics_test::SkinModule(), "PNG", skin.Id);
}

void Place(toolkit::TControl* control, toolkit::TControl* parent, POINT at, const skins::TSkinInfo& size)
{
    control->SetParentControl(parent);
    control->SetLeft(at.x);
    control->SetTop(at.y);
    control->Resize(size.Width, size.Height);
    control->SetVisible(true);
}

// A track with its thumb, as the main window builds them, in a parent of the given kind.
struct TScrollBar {
    TScrollerEx* track;
    TThumbEx* thumb;
};
TScrollBar MakeScrollBar(toolkit::TControl* parent, POINT at, int thumbTop)
{
    auto* track = new TScrollerEx(parent);
    Place(track, parent, at, skins::ScrollTrack);
    track->SetBitmap(Skin(skins::ScrollTrack));
    auto* thumb = new TThumbEx(parent);
    Place(thumb, track, POINT{ThumbLeft, thumbTop}, skins::ScrollThumb);
    thumb->SetBitmap(Skin(skins::ScrollThumb));
    return {track, thumb};
}

class ScrollBarPicture : public ::testing::Test {
protected:
    void SetUp() override { window_ = toolkit_testing::MakePaintedWindow(RECT{50, 50, 150, 300}, 0); }
    void TearDown() override { toolkit_testing::DestroyPainted(window_); }

    toolkit_testing::TPaintedWindow* window_ = nullptr;
};

} // namespace

// The thumb lies on the track at its position; the picture is dumped for people to see.
TEST_F(ScrollBarPicture, TheThumbIsDrawnOverTheTrackAtItsPosition)
{
    const POINT trackAt{10, 5};
    auto track = Skin(skins::ScrollTrack);
    auto thumbImage = Skin(skins::ScrollThumb);
    for (int thumbTop : {0, 60, skins::ScrollTrack.Height - skins::ScrollThumb.Height}) {
        SCOPED_TRACE(thumbTop);
        TScrollBar bar = MakeScrollBar(window_, trackAt, thumbTop);
        window_->RequestRender();
        EXPECT_EQ(Pixels(bar.thumb->Canvas().Bitmap()), Pixels(*thumbImage));

        // The track's canvas: its image with the thumb composed over it.
        graphics::TCanvasEx expected(skins::ScrollTrack.Width, CAIRO_FORMAT_ARGB32, skins::ScrollTrack.Height);
        expected.Draw(*track, 0, 0);
        expected.Draw(*thumbImage, ThumbLeft, thumbTop);
        EXPECT_EQ(Pixels(bar.track->Canvas().Bitmap()), Pixels(expected.Bitmap()));
        EXPECT_EQ(PixelAt(window_->Canvas().Bitmap(), trackAt.x + 10, trackAt.y + thumbTop + 35),
                  PixelAt(*thumbImage, 9, 35));
        if (thumbTop == 60)
            graphics_test::SaveArtefact(bar.track->Canvas().Bitmap(), L"scrollbar.png");
        DestroyWindow(bar.track->WindowHandle());
        delete bar.thumb;
        delete bar.track;
    }
}

// Each new image frees the one it replaces once: many replacements leave neither GDI
// objects nor heap behind, and nothing is freed twice.
TEST_F(ScrollBarPicture, ReplacingTheImagesFreesEachPreviousOneOnce)
{
    TScrollBar bar = MakeScrollBar(window_, POINT{0, 0}, 0);
    struct Case {
        const char* what;
        std::function<void()> replace;
    } cases[] = {
        {"track", [&] { bar.track->SetBitmap(Skin(skins::ScrollTrack)); }},
        {"thumb", [&] { bar.thumb->SetBitmap(Skin(skins::ScrollThumb)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing_support::TUsageGrowth growth = testing_support::UsageGrowth(c.replace, 50);
        EXPECT_EQ(growth.gdiObjects, 0);
        // A leaked image would leave its DIB section, a GDI object, and its pixels.
        EXPECT_LT(growth.heapBytes, 4096);
    }
}

namespace {

constexpr RECT HostBounds{700, 300, 800, 560};
constexpr POINT TrackAt{40, 20};
constexpr int ThumbTop = 30;
// The middle of the thumb on the screen.
constexpr POINT OnThumb{HostBounds.left + TrackAt.x + ThumbLeft + 9, HostBounds.top + TrackAt.y + ThumbTop + 35};
// Far below the window, where no window of the program is.
constexpr POINT FarBelow{OnThumb.x + 150, HostBounds.bottom + 300};
// Between gestures the pointer rests inside the host, away from the bar.
constexpr POINT Resting{HostBounds.left + 10, HostBounds.top + 10};

// What the thumb raised, in order.
struct TEventLog {
    struct TEntry {
        const char* name;
        int y;
    };
    std::vector<TEntry> entries;
    std::vector<WORD> keys;

    long Count(const char* name) const
    {
        return std::count_if(entries.begin(), entries.end(), [&](const TEntry& e) { return e.name == name; });
    }
};

} // namespace

// A press on the thumb captures the pointer: the drag goes on far outside the window, a
// release there ends the capture, and the thumb has the keyboard focus afterwards.
TEST(ThumbPointer, APressCapturesThePointerUntilTheReleaseAndFocusesTheThumb)
{
    auto* host = new toolkit_testing::THostWindow(nullptr, HostBounds, true);
    host->SetVisible(true);
    TScrollBar bar = MakeScrollBar(host, TrackAt, ThumbTop);
    TEventLog log;
    auto record = [&log](const char* name) {
        return [&log, name](core::TObject*, uint32_t, int, int y) { log.entries.push_back({name, y}); };
    };
    bar.thumb->OnMouseDown.Bind(record("down"));
    bar.thumb->OnDrag.Bind(record("drag"));
    bar.thumb->OnMouseUp.Bind(record("up"));
    bar.thumb->OnKeyDown.Bind([&log](core::TObject*, WORD& key, toolkit::TShiftState) { log.keys.push_back(key); });

    Xdotool(MoveTo(Resting));
    PumpMessages(100ms);
    Xdotool(MoveTo(OnThumb) + L" mousedown 1");
    ASSERT_TRUE(PumpUntil([&] { return log.Count("down") > 0; }, 3s));
    EXPECT_EQ(GetCapture(), bar.thumb->WindowHandle());
    EXPECT_EQ(GetFocus(), bar.thumb->WindowHandle());

    Xdotool(MoveTo({OnThumb.x, OnThumb.y + 40}) + L" " + MoveTo(FarBelow));
    const int farBelowInThumb = FarBelow.y - (OnThumb.y - 35);
    EXPECT_TRUE(PumpUntil([&] { return !log.entries.empty() && log.entries.back().y == farBelowInThumb; }, 3s))
        << "the moves far below the window still reach the thumb as drags";
    EXPECT_GE(log.Count("drag"), 1);
    EXPECT_EQ(GetCapture(), bar.thumb->WindowHandle());

    Xdotool(L"mouseup 1");
    EXPECT_TRUE(PumpUntil([&] { return log.Count("up") > 0; }, 3s)) << "the release far away reaches the thumb";
    EXPECT_EQ(GetCapture(), nullptr);

    // Windows routes injected keys to the focus window, as it routes the keyboard's.
    INPUT press[2]{};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = VK_NEXT;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, press, sizeof(INPUT));
    PumpUntil([&] { return !log.keys.empty(); }, 2s);
    EXPECT_EQ(log.keys, std::vector<WORD>{VK_NEXT}) << "the keys reach the focused thumb";

    Xdotool(MoveTo(Resting));
    PumpMessages(100ms);
    DestroyWindow(host->WindowHandle());
    delete host;
}
