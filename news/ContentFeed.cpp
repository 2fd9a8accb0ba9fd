// Reading a feed file into the list's items: format detection, the Atom and RSS
// readers, and the item list's lifetime.
#include "core/CodePage.h"
#include "core/Files.h"
#include "news/ContentEx.h"
#include "news/WrapText.h"

namespace news {

namespace {

const std::wstring AtomEntries = L"/feed/entry";
const std::wstring RssItems = L"/rss/channel/item";

constexpr std::wstring_view LineBreak = L"\r\n";
constexpr std::wstring_view BreakChars = L"\t -.";
constexpr int TitleColumns = 50;
constexpr int SummaryColumns = 60;

// Removes the characters up to the space from both ends.
std::wstring_view Trim(std::wstring_view text)
{
    while (!text.empty() && text.front() <= L' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() <= L' ')
        text.remove_suffix(1);
    return text;
}

// Cut to MaxTextLength first, never between the halves of a surrogate pair.
std::wstring Wrap(std::wstring_view text, int columns)
{
    if (text.size() > MaxTextLength) {
        size_t length = MaxTextLength;
        if (text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF)
            --length;
        text = text.substr(0, length);
    }
    return WrapText(text, LineBreak, BreakChars, columns);
}

// Portals put the story's picture at the end of the description as an escaped image
// tag; the list shows the words before it.
std::wstring_view WithoutPicture(std::wstring_view description)
{
    size_t picture = description.find(L"<img");
    return picture == std::wstring_view::npos ? description : Trim(description.substr(0, picture));
}

bool HasNodes(const core::TXmlDocument& document, const std::wstring& path)
{
    std::optional<core::TXmlNodeList> nodes = document.SelectNodes(path);
    return nodes && nodes->Length() > 0;
}

// Every entry makes an item, also one without any of the children.
std::optional<TElement> ReadAtomEntry(const core::TXmlNode& entry)
{
    TElement element;
    if (auto title = entry.SelectText(L"title"))
        element.Title = Wrap(*title, TitleColumns);
    if (auto summary = entry.SelectText(L"summary"))
        element.Summary = Wrap(*summary, SummaryColumns);
    if (auto link = entry.SelectText(L"link/@href"))
        element.Link = std::move(*link);
    if (auto updated = entry.SelectText(L"updated"))
        element.Date = core::WideToAnsi(*updated);
    return element;
}

// An item whose title is there but blank is left out; one without a title is kept.
std::optional<TElement> ReadRssItem(const core::TXmlNode& item)
{
    TElement element;
    if (auto title = item.SelectText(L"title")) {
        if (Trim(*title).empty())
            return std::nullopt;
        element.Title = Wrap(*title, TitleColumns);
    }
    if (auto description = item.SelectText(L"description"))
        element.Summary = Wrap(WithoutPicture(*description), SummaryColumns);
    if (auto link = item.SelectText(L"link"))
        element.Link = std::move(*link);
    if (auto date = item.SelectText(L"pubDate"))
        element.Date = core::WideToAnsi(*date);
    return element;
}

} // namespace

// The path stays UTF-16 all the way to the DOM, so a data folder named with letters
// outside the system code page still works.
void TContentEx::LoadFromFile(const std::wstring& fileName)
{
    if (!core::FileExists(fileName))
        return;
    fileName_ = fileName;
    LoadFeed();
    Layout();
}

// A document that cannot be created (no XML DOM on the system) is the caller's problem;
// everything the file itself causes ends the load quietly.
void TContentEx::LoadFeed()
{
    core::TXmlDocument document;
    try {
        if (!document.Load(fileName_))
            return;
        if (HasNodes(document, AtomEntries))
            ParseAtom();
        else if (HasNodes(document, RssItems))
            ParseRss();
    } catch (const core::EOleSysError&) {
    }
}

void TContentEx::ParseAtom()
{
    ParseItems(AtomEntries, &ReadAtomEntry);
}

void TContentEx::ParseRss()
{
    ParseItems(RssItems, &ReadRssItem);
}

// A DOM failure half-way keeps the items read before it.
void TContentEx::ParseItems(const std::wstring& path, TItemReader read)
{
    core::TXmlDocument document;
    try {
        if (!document.Load(fileName_))
            return;
        ClearItems();
        std::optional<core::TXmlNodeList> nodes = document.SelectNodes(path);
        if (!nodes)
            return;
        const long count = nodes->Length();
        for (long index = 0; index < count; ++index) {
            if (std::optional<TElement> element = read(nodes->Item(index)))
                items_->push_back(std::move(*element));
        }
    } catch (const core::EOleSysError&) {
    }
}

void TContentEx::ClearItems()
{
    FreeItems();
    items_.emplace();
}

void TContentEx::FreeItems()
{
    items_.reset();
}

} // namespace news
