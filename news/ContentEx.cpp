// The headline list's geometry, painting, pointer handling and clicks.
#include "news/ContentEx.h"

#include <cmath>

#include <shellapi.h>

#include "news/WebLink.h"

namespace news {

namespace {

constexpr uint32_t HeadlineColor = 0xFF0000A0;
constexpr uint32_t SummaryColor = 0xFF303030;
constexpr uint32_t SeparatorColor = 0x40000000;
constexpr int HeadlineStyle = 1; // bold
constexpr int SummaryStyle = 0;
constexpr int HeadlineSize = 10;
constexpr int SummarySize = 9;
// Below each text block, around the separator line, and after each item.
constexpr float TextPadding = 4.0f;
constexpr float SeparatorGap = 2.0f;
constexpr float ItemGap = 15.0f;
constexpr int HandCursor = 13;
constexpr int ArrowCursor = 0;

// Halves go to the even neighbour (the default rounding mode).
int Round(float y)
{
    return static_cast<int>(std::nearbyint(y));
}

// An item's height besides its two text blocks.
constexpr float FixedItemHeight = TextPadding + SeparatorGap + SeparatorGap + TextPadding + ItemGap;

void UseHeadlineFont(graphics::TFontEx& font)
{
    font.SetColor(HeadlineColor);
    font.SetStyle(HeadlineStyle);
    font.SetSize(HeadlineSize);
}

void UseSummaryFont(graphics::TFontEx& font)
{
    font.SetColor(SummaryColor);
    font.SetStyle(SummaryStyle);
    font.SetSize(SummarySize);
}

void OpenWithShell(const std::wstring& address)
{
    ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
}

} // namespace

TContentEx::TContentEx(core::TComponent* owner, std::wstring referrerDomain)
    : TControlEx(owner), OpenLink(&OpenWithShell), referrerDomain_(std::move(referrerDomain))
{
    OnClick.Bind(this, &TContentEx::ItemClick);
}

TContentEx::~TContentEx()
{
    FreeItems();
}

std::wstring TContentEx::ReferrerSuffix() const
{
    return L"?ref=" + referrerDomain_;
}

// Layout and painting share this walk, so the hit rectangles are those of the picture.
// y is a float, as the text heights are; every pixel coordinate is y rounded.
std::vector<TContentEx::TItemPlace> TContentEx::PlaceItems(float& end)
{
    std::vector<TItemSize>& sizes = ItemSizes();
    graphics::TCanvasEx& canvas = Canvas();
    std::vector<TElement>& items = *items_;
    bool summaryFont = false;
    std::vector<TItemPlace> places;
    float y = 0.0f;
    for (size_t i = 0; i < sizes.size(); ++i) {
        TItemSize& size = sizes[i];
        if (!size.summaryHeight) {
            if (!summaryFont)
                UseSummaryFont(canvas.Font());
            summaryFont = true;
            size.summaryHeight = canvas.TextHeight(items[i].Summary);
        }
        TItemPlace place{};
        place.headline = RECT{0, Round(y), size.headlineWidth, 0};
        float next = y + size.headlineHeight;
        next += TextPadding;
        place.headline.bottom = Round(next);
        next += SeparatorGap;
        place.separatorY = Round(next);
        next += SeparatorGap;
        place.summary = RECT{0, Round(next), Width(), 0};
        next += *size.summaryHeight;
        next += TextPadding;
        place.summary.bottom = Round(next);
        next += ItemGap;
        if (Round(next) > MaxListHeight)
            break;
        items[i].Bounds = place.headline;
        places.push_back(place);
        y = next;
    }
    for (size_t i = places.size(); i < items.size(); ++i)
        items[i].Bounds = RECT{};
    end = y;
    return places;
}

// Each font measures all its texts at once (a font change makes a new GDI+ font). The
// headlines come first and tell where even the items' least height runs past the bound.
std::vector<TContentEx::TItemSize>& TContentEx::ItemSizes()
{
    graphics::TCanvasEx& canvas = Canvas();
    if (measures_ && measures_->fontName == canvas.Font().Name() && measures_->rendering == canvas.TextRenderingHint())
        return measures_->sizes;
    measures_ = TMeasures{canvas.Font().Name(), canvas.TextRenderingHint(), {}};
    std::vector<TItemSize>& sizes = measures_->sizes;
    const std::vector<TElement>& items = *items_;
    UseHeadlineFont(canvas.Font());
    float leastEnd = 0.0f;
    for (size_t i = 0; i < items.size() && leastEnd <= static_cast<float>(MaxListHeight); ++i) {
        TItemSize size{canvas.TextHeight(items[i].Title), canvas.TextWidth(items[i].Title), std::nullopt};
        sizes.push_back(size);
        leastEnd += size.headlineHeight + FixedItemHeight;
    }
    return sizes;
}

int TContentEx::Layout()
{
    if (!items_ || items_->empty())
        return Parent() ? Parent()->Height() : Height();
    float end = 0.0f;
    PlaceItems(end);
    const int height = Round(end);
    SetHeight(height);
    return height;
}

void TContentEx::DrawSelf()
{
    TControlEx::DrawSelf();
    graphics::TCanvasEx& canvas = Canvas();
    canvas.Pen().SetColor(SeparatorColor);
    canvas.Pen().SetWidth(1.0f);
    canvas.Pen().SetStyle(Gdiplus::DashStyleSolid);
    canvas.StringFormat().SetLineAlignment(Gdiplus::StringAlignmentCenter);
    if (!items_ || items_->empty())
        return;
    canvas.StringFormat().SetAlignment(Gdiplus::StringAlignmentNear);
    float end = 0.0f;
    const std::vector<TItemPlace> places = PlaceItems(end);
    const std::vector<TElement>& items = *items_;
    UseSummaryFont(canvas.Font());
    for (size_t i = 0; i < places.size(); ++i)
        canvas.TextRect(places[i].summary, items[i].Summary);
    UseHeadlineFont(canvas.Font());
    for (size_t i = 0; i < places.size(); ++i) {
        canvas.TextRect(places[i].headline, items[i].Title);
        canvas.Line(0, places[i].separatorY, Width(), places[i].separatorY);
    }
}

int TContentEx::ItemAt(int x, int y) const
{
    if (!items_)
        return -1;
    const POINT point{x, y};
    for (size_t index = 0; index < items_->size(); ++index) {
        if (PtInRect(&(*items_)[index].Bounds, point))
            return static_cast<int>(index);
    }
    return -1;
}

// The feed decides what reaches the shell: an item without a link, or with anything
// but a web address, opens nothing.
void TContentEx::ItemClick(core::TObject*, uint32_t, int x, int y)
{
    const int index = ItemAt(x, y);
    if (index < 0)
        return;
    const std::wstring& link = (*items_)[static_cast<size_t>(index)].Link;
    if (IsWebLink(link) && OpenLink)
        OpenLink(link + ReferrerSuffix());
}

void TContentEx::WmMouseMove(toolkit::MessageRecord& message)
{
    TControlEx::WmMouseMove(message);
    const int cursor =
        ItemAt(toolkit::SignedLow(message.LParam), toolkit::SignedHigh(message.LParam)) >= 0 ? HandCursor : ArrowCursor;
    if (cursor == Cursor())
        return;
    SetCursor(cursor);
    // Windows chose the cursor (WM_SETCURSOR) before this move arrived: show the new
    // one now instead of at the next move.
    ::SetCursor(CursorHandle());
}

// The capture keeps the release with us when the pointer leaves the list while a
// button is down; the focus lets the keys scroll the list.
void TContentEx::WmButtonDown(toolkit::MessageRecord& message)
{
    SetCapture(WindowHandle());
    TakeFocus();
    TControlEx::WmButtonDown(message);
}

void TContentEx::WmButtonUp(toolkit::MessageRecord& message)
{
    ReleaseCapture();
    TControlEx::WmButtonUp(message);
}

} // namespace news
