#pragma once
#include "core/Win32.h"

namespace app {

// How close, in pixels, a window edge must come to a work-area edge to snap to it.
inline constexpr int SnapDistance = 8;

// Moves the proposed position (x, y) of a window of the given size flush to every
// work-area edge that is nearer than SnapDistance: bottom, top, right, then left.
void SnapToEdges(const RECT& workArea, SIZE size, int& x, int& y);

// True when a window of the given size at the position would show on some monitor.
bool OnAnyMonitor(POINT position, SIZE size);

} // namespace app
