// Scrolling the headline list: the list moves inside its clipping container and the
// thumb follows, by the wheel, the navigation keys, presses on the track and thumb drags.
#include "app/MainWindow.h"

#include "app/ScrollGeometry.h"
#include "news/ContentEx.h"
#include "news/ScrollerEx.h"
#include "news/ThumbEx.h"
#include "widgets/ContainerEx.h"

namespace app {

TScrollGeometry TMainWindow::ScrollGeometry() const
{
    return TScrollGeometry{listContainer_->Height(), headlineList_->Height(), scrollTrack_->Height(),
                           scrollThumb_->Height()};
}

// The track shows only while the list is taller than its container. A list that fits
// goes back to the top; one that became shorter but still scrolls is pulled down so that
// it fills the view, with the thumb moved to match.
void TMainWindow::UpdateScrollBar()
{
    const TScrollGeometry geometry = ScrollGeometry();
    scrollTrack_->SetVisible(geometry.Scrollable());
    if (geometry.Scrollable()) {
        const int top = geometry.ClampListTop(headlineList_->Top());
        headlineList_->SetTop(top);
        scrollThumb_->SetTop(geometry.ThumbTopFor(top, geometry.Ratio()));
    } else {
        headlineList_->SetTop(0);
        scrollThumb_->SetTop(0);
        dragStartY_ = 0;
        dragStartThumbTop_ = 0;
        ReleaseCapture();
    }
    RequestRender();
}

void TMainWindow::ScrollBy(int delta)
{
    const TScrollGeometry geometry = ScrollGeometry();
    const int top = geometry.ClampListTop(int64_t{headlineList_->Top()} + delta);
    if (top == headlineList_->Top())
        return;
    headlineList_->SetTop(top);
    scrollRatio_ = geometry.Ratio();
    scrollThumb_->SetTop(geometry.ThumbTopFor(top, scrollRatio_));
    RequestRender();
}

void TMainWindow::WheelScroll(core::TObject*, uint32_t, int wheelDelta, int, int)
{
    ScrollBy(WheelScrollDelta(wheelDelta));
}

void TMainWindow::ScrollKeyDown(core::TObject*, uint16_t& key, toolkit::TShiftState)
{
    const int delta = KeyScrollDelta(key, listContainer_->Height());
    if (delta != 0)
        ScrollBy(delta);
}

void TMainWindow::TrackMouseDown(core::TObject*, uint32_t, int, int y)
{
    const int delta = TrackPressDelta(y, scrollThumb_->Top(), scrollThumb_->Height(), listContainer_->Height());
    if (delta != 0)
        ScrollBy(delta);
}

// Drags are measured in screen pixels, so they go on while the pointer leaves the thumb.
void TMainWindow::ThumbMouseDown(core::TObject*, uint32_t keys, int, int)
{
    if ((keys & MK_LBUTTON) == 0)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    dragStartY_ = cursor.y;
    dragStartThumbTop_ = scrollThumb_->Top();
    scrollRatio_ = ScrollGeometry().Ratio();
}

void TMainWindow::ThumbDrag(core::TObject*, uint32_t keys, int, int)
{
    if ((keys & MK_LBUTTON) == 0)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const TScrollGeometry geometry = ScrollGeometry();
    const int thumbTop = geometry.ClampThumbTop(int64_t{dragStartThumbTop_} + cursor.y - dragStartY_);
    scrollThumb_->SetTop(thumbTop);
    const int top = geometry.ListTopFor(thumbTop, scrollRatio_);
    if (top == headlineList_->Top())
        return;
    headlineList_->SetTop(top);
    RequestRender();
}

} // namespace app
