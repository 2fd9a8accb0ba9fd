#pragma once
#include <cstdint>

namespace app {

// The keys' jumps to the ends of the list: far beyond any list, and still safe to add to
// any position because the sums are taken in 64 bits.
inline constexpr int ScrollToEnd = -1073741823;
inline constexpr int ScrollToStart = 1073741823;
// List pixels per arrow key press.
inline constexpr int ScrollLineStep = 10;

// The sizes that relate the headline list's position to the scroll thumb's. The list
// moves from MinListTop() up to 0; the thumb from 0 down to ThumbRange(). Every result
// is defined for any heights, including an empty list, a list that fits its container
// and lists of the largest heights an int holds.
struct TScrollGeometry {
    int ContainerHeight = 0;
    int ListHeight = 0;
    int TrackHeight = 0;
    int ThumbHeight = 0;

    bool Scrollable() const { return ContainerHeight < ListHeight; }
    // The lowest list position that still fills the view; 0 for a list that fits.
    int MinListTop() const;
    int ThumbRange() const;
    // List pixels per thumb pixel; 0 when either side cannot move.
    float Ratio() const;
    int ClampListTop(int64_t top) const;
    int ClampThumbTop(int64_t top) const;
    // Where the thumb shows the list position, by the given ratio.
    int ThumbTopFor(int listTop, float ratio) const;
    // Where a thumb at the given position puts the list, by the given ratio.
    int ListTopFor(int thumbTop, float ratio) const;
};

// The list's move for a wheel turn; positive shows earlier headlines.
int WheelScrollDelta(int wheelDelta);
// The list's move for a navigation key (a virtual-key code), 0 for any other key.
int KeyScrollDelta(uint16_t key, int pageHeight);
// The list's move for a press at y in the track: a page toward the press, nothing level
// with the thumb.
int TrackPressDelta(int y, int thumbTop, int thumbHeight, int pageHeight);

} // namespace app
