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

// The children an item is read from, by their names in its format.
struct TFieldNames {
    std::wstring title;
    std::wstring summary;
    std::wstring link;
    // The link is this attribute of the link element, or the element's text when empty.
    std::wstring linkAttribute;
    std::wstring date;
};

const TFieldNames AtomNames{L"title", L"summary", L"link", L"href", L"updated"};
const TFieldNames RssNames{L"title", L"description", L"link", L"", L"pubDate"};

// The texts of an item's children; none for a child that is not there.
struct TItemFields {
    std::optional<std::wstring> title;
    std::optional<std::wstring> summary;
    std::optional<std::wstring> link;
    std::optional<std::wstring> date;
};

// Selecting each child by its path ("title", "link/@href") costs a query per field and
// item, most of the time a long feed takes to read; one walk over the children gives
// the same texts. Each field comes from the first child element of its name, the link
// attribute from the first link element that has one, and names compare as written,
// prefix included, as the DOM's default selection language compares them.
TItemFields ReadFields(const core::TXmlNode& item, const TFieldNames& names)
{
    TItemFields fields;
    for (std::optional<core::TXmlNode> child = item.FirstChild(); child; child = child->NextSibling()) {
        if (!child->IsElement())
            continue;
        const std::wstring name = child->Name();
        if (name == names.title && !fields.title)
            fields.title = child->Text();
        else if (name == names.summary && !fields.summary)
            fields.summary = child->Text();
        else if (name == names.link && !fields.link)
            fields.link = names.linkAttribute.empty() ? child->Text() : child->AttributeText(names.linkAttribute);
        else if (name == names.date && !fields.date)
            fields.date = child->Text();
    }
    return fields;
}

// RSS descriptions lose their picture (see WithoutPicture); Atom summaries are taken whole.
TElement ElementOf(TItemFields& fields, bool cutPicture)
{
    TElement element;
    if (fields.title)
        element.Title = Wrap(*fields.title, TitleColumns);
    if (fields.summary)
        element.Summary = Wrap(cutPicture ? WithoutPicture(*fields.summary) : *fields.summary, SummaryColumns);
    if (fields.link)
        element.Link = std::move(*fields.link);
    if (fields.date)
        element.Date = core::WideToAnsi(*fields.date);
    return element;
}

// Every entry makes an item, also one without any of the children.
std::optional<TElement> ReadAtomEntry(const core::TXmlNode& entry)
{
    TItemFields fields = ReadFields(entry, AtomNames);
    return ElementOf(fields, false);
}

// An item whose title is there but blank is left out; one without a title is kept.
std::optional<TElement> ReadRssItem(const core::TXmlNode& item)
{
    TItemFields fields = ReadFields(item, RssNames);
    if (fields.title && Trim(*fields.title).empty())
        return std::nullopt;
    return ElementOf(fields, true);
}

// The item nodes at the path, when there are any.
std::optional<core::TXmlNodeList> NonEmpty(std::optional<core::TXmlNodeList> nodes)
{
    if (nodes && nodes->Length() > 0)
        return nodes;
    return std::nullopt;
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
// everything the file itself causes ends the load quietly. The document is read once:
// the parsers take the items the detection found.
void TContentEx::LoadFeed()
{
    core::TXmlDocument document;
    try {
        if (!document.Load(fileName_))
            return;
        if (std::optional<core::TXmlNodeList> entries = NonEmpty(document.SelectNodes(AtomEntries)))
            ParseAtom(*entries);
        else if (std::optional<core::TXmlNodeList> items = NonEmpty(document.SelectNodes(RssItems)))
            ParseRss(*items);
    } catch (const core::EOleSysError&) {
    }
}

void TContentEx::ParseAtom(const core::TXmlNodeList& entries)
{
    ParseItems(entries, &ReadAtomEntry);
}

void TContentEx::ParseRss(const core::TXmlNodeList& items)
{
    ParseItems(items, &ReadRssItem);
}

// A DOM failure half-way keeps the items read before it.
void TContentEx::ParseItems(const core::TXmlNodeList& nodes, TItemReader read)
{
    ClearItems();
    try {
        const long count = nodes.Length();
        for (long index = 0; index < count; ++index) {
            if (std::optional<TElement> element = read(nodes.Item(index)))
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
    measures_.reset();
}

} // namespace news
