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

void UseFont(graphics::TFontEx& font, uint32_t color, int style, int size)
{
    font.SetColor(color);
    font.SetStyle(style);
    font.SetSize(size);
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
float TContentEx::PlaceItems(bool paint)
{
    graphics::TCanvasEx& canvas = Canvas();
    graphics::TFontEx& font = canvas.Font();
    std::vector<TElement>& items = *items_;
    float y = 0.0f;
    size_t index = 0;
    for (; index < items.size(); ++index) {
        TElement& item = items[index];
        UseFont(font, HeadlineColor, HeadlineStyle, HeadlineSize);
        RECT headline{0, Round(y), 0, 0};
        float next = y + canvas.TextHeight(item.Title);
        headline.right = canvas.TextWidth(item.Title);
        next += TextPadding;
        headline.bottom = Round(next);
        next += SeparatorGap;
        const int separatorY = Round(next);
        next += SeparatorGap;
        UseFont(font, SummaryColor, SummaryStyle, SummarySize);
        RECT summary{0, Round(next), Width(), 0};
        next += canvas.TextHeight(item.Summary);
        next += TextPadding;
        summary.bottom = Round(next);
        next += ItemGap;
        if (Round(next) > MaxListHeight)
            break;
        item.Bounds = headline;
        if (paint) {
            // The summary font is current: its block first, then the headline's.
            canvas.TextRect(summary, item.Summary);
            UseFont(font, HeadlineColor, HeadlineStyle, HeadlineSize);
            canvas.TextRect(headline, item.Title);
            canvas.Line(0, separatorY, Width(), separatorY);
        }
        y = next;
    }
    for (; index < items.size(); ++index)
        items[index].Bounds = RECT{};
    return y;
}

int TContentEx::Layout()
{
    if (!items_ || items_->empty())
        return Parent() ? Parent()->Height() : Height();
    const int height = Round(PlaceItems(false));
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
    PlaceItems(true);
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
