#include <gtest/gtest.h>

#include "app/WindowPlacement.h"

namespace {

// A work area that does not start at the screen origin, like one beside a left taskbar.
constexpr RECT WorkArea{40, 0, 1280, 984};
constexpr SIZE Window{475, 350};

struct TSnapCase {
    const char* name;
    POINT proposed;
    POINT expected;
};

// The right edge is at x + 475, the bottom edge at y + 350.
const TSnapCase SnapCases[] = {
    {"far from every edge", {400, 300}, {400, 300}},
    {"7 px inside the right edge", {1280 - 475 - 7, 300}, {1280 - 475, 300}},
    {"8 px inside the right edge", {1280 - 475 - 8, 300}, {1280 - 475 - 8, 300}},
    {"7 px past the right edge", {1280 - 475 + 7, 300}, {1280 - 475, 300}},
    {"8 px past the right edge", {1280 - 475 + 8, 300}, {1280 - 475 + 8, 300}},
    {"7 px from the left edge", {47, 300}, {40, 300}},
    {"8 px from the left edge", {48, 300}, {48, 300}},
    {"7 px past the left edge", {33, 300}, {40, 300}},
    {"7 px below the top", {400, 7}, {400, 0}},
    {"8 px below the top", {400, 8}, {400, 8}},
    {"7 px above the bottom", {400, 984 - 350 - 7}, {400, 984 - 350}},
    {"8 px above the bottom", {400, 984 - 350 - 8}, {400, 984 - 350 - 8}},
    {"near a corner snaps both ways", {1280 - 475 - 3, 984 - 350 + 5}, {1280 - 475, 984 - 350}},
};

TEST(WindowPlacement, SnapsWithinSevenPixelsOfAnEdgeAndNotAtEight)
{
    for (const TSnapCase& c : SnapCases) {
        SCOPED_TRACE(c.name);
        int x = c.proposed.x;
        int y = c.proposed.y;
        app::SnapToEdges(WorkArea, Window, x, y);
        EXPECT_EQ(x, c.expected.x);
        EXPECT_EQ(y, c.expected.y);
    }
}

// A window taller than the work area is near both the top and the bottom; the top wins,
// so its header and close button stay reachable.
TEST(WindowPlacement, TopEdgeWinsOverBottomForATallWindow)
{
    const RECT shortArea{0, 0, 1280, 354};
    int x = 400;
    int y = 2;
    app::SnapToEdges(shortArea, Window, x, y);
    EXPECT_EQ(y, 0);
}

struct TMonitorCase {
    const char* name;
    POINT position;
    bool onMonitor;
};

// The screen under test is 1280 x 1024 (Xvfb).
const TMonitorCase MonitorCases[] = {
    {"inside the screen", {100, 100}, true},
    {"negative, partly visible", {-300, -200}, true},
    {"past the right edge by a pixel less than its width", {1279, 0}, true},
    {"entirely left of the screen", {-475, 0}, false},
    {"entirely below the screen", {0, 1024}, false},
    {"on an unplugged second monitor", {2000, 100}, false},
};

TEST(WindowPlacement, SavedPositionCountsOnlyWhenSomeMonitorShowsIt)
{
    for (const TMonitorCase& c : MonitorCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(app::OnAnyMonitor(c.position, Window), c.onMonitor);
    }
}

} // namespace
