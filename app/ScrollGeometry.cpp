#include "app/ScrollGeometry.h"

#include <algorithm>
#include <cmath>

#include "core/Win32.h"

namespace app {

namespace {

int ClampToRange(int64_t value, int low, int high)
{
    return static_cast<int>(std::clamp<int64_t>(value, low, high));
}

// Rounds to the nearest integer, halves to even, as the positions have always been shown.
int64_t RoundHalfEven(double value)
{
    return static_cast<int64_t>(std::nearbyint(value));
}

} // namespace

int TScrollGeometry::MinListTop() const
{
    return Scrollable() ? static_cast<int>(int64_t{ContainerHeight} - ListHeight) : 0;
}

// A list that fits has nothing to scroll, so its thumb has nowhere to go.
int TScrollGeometry::ThumbRange() const
{
    return Scrollable() ? std::max(0, TrackHeight - ThumbHeight) : 0;
}

float TScrollGeometry::Ratio() const
{
    if (!Scrollable() || ThumbRange() == 0)
        return 0.0f;
    return static_cast<float>(-static_cast<int64_t>(MinListTop())) / static_cast<float>(ThumbRange());
}

int TScrollGeometry::ClampListTop(int64_t top) const
{
    return ClampToRange(top, MinListTop(), 0);
}

int TScrollGeometry::ClampThumbTop(int64_t top) const
{
    return ClampToRange(top, 0, ThumbRange());
}

int TScrollGeometry::ThumbTopFor(int listTop, float ratio) const
{
    if (!(ratio > 0.0f))
        return 0;
    return ClampThumbTop(-RoundHalfEven(listTop / static_cast<double>(ratio)));
}

// The thumb at the end of its track shows the list's end exactly: on a very tall list the
// single-precision ratio alone would stop short of it.
int TScrollGeometry::ListTopFor(int thumbTop, float ratio) const
{
    if (!(ratio > 0.0f))
        return 0;
    if (thumbTop >= ThumbRange())
        return MinListTop();
    return ClampListTop(-RoundHalfEven(thumbTop * static_cast<double>(ratio)));
}

// Truncates toward zero, so half a notch moves half as far in either direction.
int WheelScrollDelta(int wheelDelta)
{
    return wheelDelta / 2;
}

int KeyScrollDelta(uint16_t key, int pageHeight)
{
    switch (key) {
    case VK_PRIOR:
        return pageHeight;
    case VK_NEXT:
        return -pageHeight;
    case VK_END:
        return ScrollToEnd;
    case VK_HOME:
        return ScrollToStart;
    case VK_LEFT:
    case VK_UP:
        return ScrollLineStep;
    case VK_RIGHT:
    case VK_DOWN:
        return -ScrollLineStep;
    default:
        return 0;
    }
}

int TrackPressDelta(int y, int thumbTop, int thumbHeight, int pageHeight)
{
    if (y <= thumbTop)
        return pageHeight;
    if (y >= thumbTop + thumbHeight)
        return -pageHeight;
    return 0;
}

} // namespace app
