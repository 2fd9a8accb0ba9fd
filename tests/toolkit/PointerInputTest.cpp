// Real pointer input through xdotool: Windows itself generates the messages here (hover
// and leave tracking, clicks, drags, cursors). X coordinates are Wine's screen
// coordinates; the host window sits at a fixed place on top of everything.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/WindowProcedure.h"

using namespace std::chrono_literals;
using namespace toolkit;
using toolkit_testing::MoveTo;
using toolkit_testing::PumpMessages;
using toolkit_testing::PumpUntil;
using toolkit_testing::THostWindow;
using toolkit_testing::TProbeControl;
using toolkit_testing::Xdotool;

namespace {

constexpr RECT HostBounds{800, 600, 1100, 900};
// The target control, in the host's client coordinates and on the screen.
constexpr RECT TargetBounds{50, 50, 200, 150};
constexpr POINT Inside{HostBounds.left + 100, HostBounds.top + 100};
// Between gestures the pointer rests here. Wine learns of pointer moves only over its
// own windows and drops a move to the position it last knew, so the resting place is
// inside the host.
constexpr POINT OutsideTargetInHost{HostBounds.left + 250, HostBounds.top + 250};

// A control that notes the names of the pointer events it raised, in order. The log
// lives as long as the control, so late events still find it.
class TTarget : public TProbeControl {
public:
    explicit TTarget(TControl* parent) : TProbeControl(parent)
    {
        SetParentControl(parent);
        SetLeft(TargetBounds.left);
        SetTop(TargetBounds.top);
        Resize(TargetBounds.right - TargetBounds.left, TargetBounds.bottom - TargetBounds.top);
        auto record = [this](const char* name) {
            return [this, name](core::TObject*, uint32_t, int, int) { names.push_back(name); };
        };
        OnMouseMove.Bind(record("move"));
        OnMouseEnter.Bind(record("enter"));
        OnMouseHover.Bind(record("hover"));
        OnMouseLeave.Bind(record("leave"));
        OnMouseDown.Bind(record("down"));
        OnMouseUp.Bind(record("up"));
        OnClick.Bind(record("click"));
        OnDrag.Bind(record("drag"));
    }

    std::vector<std::string> names;

    long Count(const std::string& name) const { return std::count(names.begin(), names.end(), name); }
    std::vector<std::string> Only(std::initializer_list<std::string> kinds) const
    {
        std::vector<std::string> result;
        std::copy_if(names.begin(), names.end(), std::back_inserter(result), [&](const std::string& name) {
            return std::find(kinds.begin(), kinds.end(), name) != kinds.end();
        });
        return result;
    }
};

class PointerInputTest : public ::testing::Test {
protected:
    // One host serves the whole suite: Wine takes seconds to take a shown top-level
    // window down again.
    static void SetUpTestSuite()
    {
        host_ = new THostWindow(nullptr, HostBounds, true);
        host_->SetVisible(true);
    }
    static void TearDownTestSuite()
    {
        DestroyWindow(host_->WindowHandle());
        delete host_;
        host_ = nullptr;
    }

    void SetUp() override { Rest(); }
    void TearDown() override
    {
        Rest();
        for (TTarget* target : targets_) {
            DestroyWindow(target->WindowHandle());
            delete target;
        }
        host_->ClearLog();
    }

    static void Rest()
    {
        Xdotool(MoveTo(OutsideTargetInHost));
        PumpMessages(50ms);
    }

    TTarget* MakeTarget()
    {
        auto* target = new TTarget(host_);
        target->SetVisible(true);
        targets_.push_back(target);
        return target;
    }

    static THostWindow* host_;
    std::vector<TTarget*> targets_;
};

THostWindow* PointerInputTest::host_ = nullptr;

} // namespace

TEST_F(PointerInputTest, EnterHoverAndLeaveFireOnceEachInOrder)
{
    TTarget* target = MakeTarget();
    Xdotool(MoveTo(Inside));
    ASSERT_TRUE(PumpUntil([&] { return target->Count("hover") > 0; }, 5s)) << "no hover";
    EXPECT_TRUE(target->MouseInside());
    Xdotool(MoveTo({Inside.x + 5, Inside.y + 3}));
    PumpMessages(800ms); // longer than the hover time: tracking was asked for once
    Xdotool(MoveTo(OutsideTargetInHost));
    ASSERT_TRUE(PumpUntil([&] { return target->Count("leave") > 0; }, 5s)) << "no leave";
    PumpMessages(100ms);

    EXPECT_EQ(target->Only({"enter", "hover", "leave"}), (std::vector<std::string>{"enter", "hover", "leave"}));
    EXPECT_EQ(target->names.front(), "move") << "the first move comes before the posted enter";
    EXPECT_FALSE(target->MouseInside());
}

TEST_F(PointerInputTest, AClickNeedsPressAndReleaseInside)
{
    struct Case {
        const char* what;
        std::wstring gesture;
        bool released;
        long clicks;
    } cases[] = {
        {"press and release inside", MoveTo(Inside) + L" mousedown 1 mouseup 1", true, 1},
        {"release outside", MoveTo(Inside) + L" mousedown 1 " + MoveTo(OutsideTargetInHost) + L" mouseup 1", false, 0},
        {"press and release inside, twice", MoveTo(Inside) + L" click --repeat 2 --delay 700 1", true, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TTarget* target = MakeTarget();
        Xdotool(c.gesture);
        PumpUntil([&] { return host_->Handled(WM_LBUTTONUP) || target->Handled(WM_LBUTTONUP); }, 3s);
        PumpMessages(100ms);
        EXPECT_GE(target->Count("down"), 1);
        EXPECT_EQ(target->Count("up") > 0, c.released);
        EXPECT_EQ(target->Count("click"), c.clicks);
        Rest();
        DestroyWindow(target->WindowHandle());
        host_->ClearLog();
    }
}

TEST_F(PointerInputTest, MovingWithTheLeftButtonDownDrags)
{
    TTarget* target = MakeTarget();
    Xdotool(MoveTo(Inside));
    PumpUntil([&] { return target->Count("enter") > 0; }, 3s);
    Xdotool(L"mousedown 1 " + MoveTo({Inside.x + 10, Inside.y}) + L" " + MoveTo({Inside.x + 20, Inside.y + 5}) +
            L" mouseup 1");
    ASSERT_TRUE(PumpUntil([&] { return target->Handled(WM_LBUTTONUP); }, 3s));

    auto down = std::find(target->names.begin(), target->names.end(), "down");
    auto up = std::find(down, target->names.end(), "up");
    ASSERT_NE(up, target->names.end());
    std::vector<std::string> whileDown(down + 1, up);
    EXPECT_FALSE(whileDown.empty());
    EXPECT_TRUE(std::all_of(whileDown.begin(), whileDown.end(), [](const auto& name) { return name == "drag"; }))
        << "moves with the left button down are drags, not moves";
}

TEST_F(PointerInputTest, EachControlShowsItsOwnCursor)
{
    struct Case {
        int cursor; // -1: never chosen
        LPCWSTR expected;
    } cases[] = {{-1, IDC_ARROW}, {13, IDC_HAND}, {1, IDC_IBEAM}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cursor);
        TTarget* target = MakeTarget();
        if (c.cursor >= 0)
            target->SetCursor(c.cursor);
        Xdotool(MoveTo(Inside));
        ASSERT_TRUE(PumpUntil([&] { return target->Handled(WM_SETCURSOR); }, 3s));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, c.expected));
        CURSORINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(GetCursorInfo(&info));
        EXPECT_EQ(info.hCursor, LoadCursorW(nullptr, c.expected));
        Rest();
        DestroyWindow(target->WindowHandle());
    }
}

TEST_F(PointerInputTest, LastInputTickAdvancesOnInput)
{
    TTarget* target = MakeTarget();
    LastInputTick = 0;
    DWORD before = GetTickCount();
    Xdotool(MoveTo(Inside));
    ASSERT_TRUE(PumpUntil([&] { return target->Count("move") > 0; }, 3s));
    EXPECT_GE(LastInputTick, before);
    DWORD first = LastInputTick;
    Sleep(50);
    Xdotool(MoveTo({Inside.x + 4, Inside.y + 4}));
    ASSERT_TRUE(PumpUntil([&] { return target->Count("move") > 1; }, 3s));
    EXPECT_GT(LastInputTick, first);
}
