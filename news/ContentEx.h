#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Component.h"
#include "core/XmlDocument.h"
#include "news/Element.h"
#include "toolkit/ControlEx.h"

namespace news {

// The list is painted whole into one bitmap as tall as the list, and cairo makes no
// image surface taller than this. Items that would end below it are left out (an
// ordinary item is under a hundred pixels high, so a feed of a few hundred items shows
// in full); a hostile feed of thousands of items or megabyte titles cannot ask for more.
inline constexpr int MaxListHeight = 32767;
// Longer headlines and summaries are cut to this many characters before wrapping (about
// forty lines, several times the list's visible height). Measuring and drawing a text
// costs time that grows with its length, and a feed is not allowed to stall the widget.
inline constexpr size_t MaxTextLength = 2000;

// Hands a web address to the system to open; the list calls it with the link of the
// clicked headline and the referrer suffix.
using TLinkOpener = std::function<void(const std::wstring& address)>;

// The headline list: reads a feed file (RSS 2.0 or Atom) into news items and shows them
// as a column of bold headlines, each with a separator line and its summary. The list
// is as tall as its content; its container scrolls it by moving it. A click on a
// headline opens the item's link in the browser.
class TContentEx : public toolkit::TControlEx {
public:
    // referrerDomain names us to the sites we send readers to ("?ref=" and the domain is
    // appended to every opened link).
    TContentEx(core::TComponent* owner, std::wstring referrerDomain);
    ~TContentEx() override;

    // Reads the feed in the file and lays the list out again; a missing file changes
    // nothing, and an unreadable one keeps the items there were.
    void LoadFromFile(const std::wstring& fileName);
    // Places every item and sets the list's height to its content; returns that height.
    // Without items nothing changes and the parent's height is returned.
    int Layout();
    // The first item whose headline contains the point, or -1.
    int ItemAt(int x, int y) const;
    void ItemClick(core::TObject* sender, uint32_t keys, int x, int y);

    // The items in feed order; none until a feed was read.
    const std::vector<TElement>* Items() const { return items_ ? &*items_ : nullptr; }
    const std::wstring& FileName() const { return fileName_; }
    // "?ref=" and the referrer domain.
    std::wstring ReferrerSuffix() const;

    // Opens a clicked link; the shell's "open" verb unless replaced (tests record it).
    TLinkOpener OpenLink;

protected:
    void WmMouseMove(toolkit::MessageRecord& message) override;
    void WmButtonDown(toolkit::MessageRecord& message) override;
    void WmButtonUp(toolkit::MessageRecord& message) override;
    void DrawSelf() override;

    void LoadFeed();
    // Rebuild the items from the entries or items the detection found.
    void ParseAtom(const core::TXmlNodeList& entries);
    void ParseRss(const core::TXmlNodeList& items);
    void ClearItems();
    void FreeItems();

private:
    // Where one item's blocks go, in the list's pixels.
    struct TItemPlace {
        RECT headline;
        int separatorY;
        RECT summary;
    };

    // Rebuilds the items from the nodes; a reader gives none for a node that makes no item.
    using TItemReader = std::optional<TElement> (*)(const core::TXmlNode& node);
    void ParseItems(const core::TXmlNodeList& nodes, TItemReader read);
    // What an item's texts measure; the summary is measured only once the item is placed.
    struct TItemSize {
        float headlineHeight;
        int headlineWidth;
        std::optional<float> summaryHeight;
    };
    // Measuring is most of what placing costs, and a paint places the items just as the
    // layout before it did: the sizes are kept for the items, the font face and the text
    // rendering they were measured with.
    struct TMeasures {
        std::wstring fontName;
        Gdiplus::TextRenderingHint rendering;
        std::vector<TItemSize> sizes;
    };

    // Places the items from the top with the running position and assigns each
    // headline's Bounds; stops before an item that would end below MaxListHeight.
    // Returns the places of the items placed and, in end, the position after the last.
    std::vector<TItemPlace> PlaceItems(float& end);
    // The sizes of the items that may fit under MaxListHeight, measured unless kept.
    std::vector<TItemSize>& ItemSizes();

    std::optional<std::vector<TElement>> items_;
    std::optional<TMeasures> measures_;
    std::wstring fileName_;
    std::wstring referrerDomain_;
};

} // namespace news
