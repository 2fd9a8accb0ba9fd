#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>

#include "app/ScrollGeometry.h"
#include "core/Win32.h"

namespace {

using app::TScrollGeometry;

// The widget's own sizes: a 213-pixel view and track, a 70-pixel thumb.
constexpr int View = 213;
constexpr int Track = 213;
constexpr int Thumb = 70;
constexpr int ThumbRange = Track - Thumb;

TScrollGeometry ListOf(int height)
{
    return TScrollGeometry{View, height, Track, Thumb};
}

// Scrolls by each delta in turn from the top, as the window does, and returns the list
// and thumb positions after the last one.
struct TPosition {
    int list;
    int thumb;
};

TPosition ScrollFromTop(const TScrollGeometry& geometry, std::initializer_list<int64_t> deltas)
{
    TPosition position{0, 0};
    for (int64_t delta : deltas) {
        position.list = geometry.ClampListTop(position.list + delta);
        position.thumb = geometry.ThumbTopFor(position.list, geometry.Ratio());
    }
    return position;
}

struct TScrollCase {
    const char* name;
    int listHeight;
    std::initializer_list<int64_t> deltas;
    TPosition expected;
};

const TScrollCase ScrollCases[] = {
    {"End on a 500-pixel list", 500, {app::ScrollToEnd}, {-287, ThumbRange}},
    {"Home after End", 500, {app::ScrollToEnd, app::ScrollToStart}, {0, 0}},
    {"one page down", 500, {-View}, {-213, 106}},
    {"two pages down stop at the end", 500, {-View, -View}, {-287, ThumbRange}},
    {"one wheel notch toward the user", 500, {-60}, {-60, 30}},
    {"a line down", 500, {-10}, {-10, 5}},
    {"up past the beginning", 500, {-10, 50}, {0, 0}},
    {"a short list stays at the top", 150, {-60, app::ScrollToEnd}, {0, 0}},
    {"an empty list stays at the top", 0, {-60, app::ScrollToEnd}, {0, 0}},
    {"a list exactly as tall as the view", View, {app::ScrollToEnd}, {0, 0}},
    {"one pixel more than the view", View + 1, {app::ScrollToEnd}, {-1, ThumbRange}},
    {"the tallest list reaches its end",
     INT_MAX,
     {app::ScrollToEnd, app::ScrollToEnd, app::ScrollToEnd},
     {View - INT_MAX, ThumbRange}},
    {"the tallest list back to its beginning",
     INT_MAX,
     {app::ScrollToEnd, app::ScrollToEnd, app::ScrollToEnd, app::ScrollToStart, app::ScrollToStart},
     {0, 0}},
    {"the tallest list, one page down", INT_MAX, {-View}, {-213, 0}},
};

TEST(ScrollGeometry, ScrollingMovesListAndThumbTogetherWithinBothEnds)
{
    for (const TScrollCase& c : ScrollCases) {
        SCOPED_TRACE(c.name);
        TPosition position = ScrollFromTop(ListOf(c.listHeight), c.deltas);
        EXPECT_EQ(position.list, c.expected.list);
        EXPECT_EQ(position.thumb, c.expected.thumb);
    }
}

struct TDragCase {
    const char* name;
    int listHeight;
    int64_t thumbTop; // where the pointer would put the thumb
    TPosition expected;
};

const TDragCase DragCases[] = {
    {"to the middle", 500, 71, {-142, 71}},
    {"to the end of the track", 500, ThumbRange, {-287, ThumbRange}},
    {"far below the track", 500, 5000, {-287, ThumbRange}},
    {"above the track", 500, -40, {0, 0}},
    {"on a list that fits", 150, 60, {0, 0}},
    {"on an empty list", 0, 60, {0, 0}},
    {"on the tallest list", INT_MAX, ThumbRange, {View - INT_MAX, ThumbRange}},
    {"on the tallest list, far away", INT_MAX, INT64_MAX / 2, {View - INT_MAX, ThumbRange}},
};

TEST(ScrollGeometry, DraggingTheThumbStopsAtTheTrackEndsAndMovesTheListInStep)
{
    for (const TDragCase& c : DragCases) {
        SCOPED_TRACE(c.name);
        const TScrollGeometry geometry = ListOf(c.listHeight);
        const int thumb = geometry.ClampThumbTop(c.thumbTop);
        EXPECT_EQ(thumb, c.expected.thumb);
        EXPECT_EQ(geometry.ListTopFor(thumb, geometry.Ratio()), c.expected.list);
    }
}

// A reload may leave the list shorter than its position needs: the window pulls it down
// so that it fills the view, and puts the thumb where that position belongs.
struct TReloadCase {
    const char* name;
    int listHeight;
    int listTopBefore;
    TPosition expected;
};

const TReloadCase ReloadCases[] = {
    {"still tall enough keeps its place", 500, -100, {-100, 50}},
    {"shorter than its place is pulled down", 300, -250, {-87, ThumbRange}},
    {"fits the view goes to the top", 200, -250, {0, 0}},
    {"became empty goes to the top", 0, -250, {0, 0}},
};

TEST(ScrollGeometry, AShorterListAfterAReloadStillFillsTheView)
{
    for (const TReloadCase& c : ReloadCases) {
        SCOPED_TRACE(c.name);
        const TScrollGeometry geometry = ListOf(c.listHeight);
        const int top = geometry.ClampListTop(c.listTopBefore);
        EXPECT_EQ(top, c.expected.list);
        EXPECT_EQ(geometry.ThumbTopFor(top, geometry.Ratio()), c.expected.thumb);
    }
}

// Without room for the thumb to move there is no ratio to divide by: the thumb rests at
// the top and the list is still scrolled by wheel and keys.
TEST(ScrollGeometry, ATrackNoTallerThanItsThumbDividesByNothing)
{
    for (int track : {Thumb, Thumb - 20, 0}) {
        SCOPED_TRACE(track);
        const TScrollGeometry geometry{View, 500, track, Thumb};
        EXPECT_EQ(geometry.Ratio(), 0.0f);
        EXPECT_EQ(geometry.ThumbTopFor(-200, geometry.Ratio()), 0);
        EXPECT_EQ(geometry.ListTopFor(0, geometry.Ratio()), 0);
        EXPECT_EQ(geometry.ClampListTop(-1000), -287);
    }
}

struct TInputCase {
    const char* name;
    int delta;
    int expected;
};

TEST(ScrollGeometry, EachInputMovesTheListByItsStep)
{
    const TInputCase cases[] = {
        {"wheel notch away from the user", app::WheelScrollDelta(120), 60},
        {"wheel notch toward the user", app::WheelScrollDelta(-120), -60},
        {"half a notch", app::WheelScrollDelta(60), 30},
        {"an odd delta truncates toward zero", app::WheelScrollDelta(-7), -3},
        {"Page Up", app::KeyScrollDelta(VK_PRIOR, View), View},
        {"Page Down", app::KeyScrollDelta(VK_NEXT, View), -View},
        {"End", app::KeyScrollDelta(VK_END, View), -1073741823},
        {"Home", app::KeyScrollDelta(VK_HOME, View), 1073741823},
        {"Left", app::KeyScrollDelta(VK_LEFT, View), 10},
        {"Up", app::KeyScrollDelta(VK_UP, View), 10},
        {"Right", app::KeyScrollDelta(VK_RIGHT, View), -10},
        {"Down", app::KeyScrollDelta(VK_DOWN, View), -10},
        {"Space does nothing", app::KeyScrollDelta(VK_SPACE, View), 0},
        {"Return does nothing", app::KeyScrollDelta(VK_RETURN, View), 0},
        {"a press above the thumb", app::TrackPressDelta(10, 50, Thumb, View), View},
        {"a press at the thumb's top edge", app::TrackPressDelta(50, 50, Thumb, View), View},
        {"a press level with the thumb", app::TrackPressDelta(51, 50, Thumb, View), 0},
        {"a press at the thumb's last row", app::TrackPressDelta(119, 50, Thumb, View), 0},
        {"a press just below the thumb", app::TrackPressDelta(120, 50, Thumb, View), -View},
    };
    for (const TInputCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.delta, c.expected);
    }
}

} // namespace
