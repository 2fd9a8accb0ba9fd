#include "app/WindowPlacement.h"

namespace app {

namespace {

bool Near(int distance)
{
    return distance > -SnapDistance && distance < SnapDistance;
}

} // namespace

void SnapToEdges(const RECT& workArea, SIZE size, int& x, int& y)
{
    if (Near(workArea.bottom - (y + size.cy)))
        y = workArea.bottom - size.cy;
    if (Near(y - workArea.top))
        y = workArea.top;
    if (Near(workArea.right - (x + size.cx)))
        x = workArea.right - size.cx;
    if (Near(x - workArea.left))
        x = workArea.left;
}

bool OnAnyMonitor(POINT position, SIZE size)
{
    RECT bounds{position.x, position.y, position.x + size.cx, position.y + size.cy};
    return MonitorFromRect(&bounds, MONITOR_DEFAULTTONULL) != nullptr;
}

} // namespace app
