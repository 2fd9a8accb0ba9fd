// Feed files read into news items: RSS 2.0 and Atom, in the encodings Turkish portals
// use, under both the Turkish and a Western code page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/CodePage.h"
#include "core/Exceptions.h"
#include "core/XmlDocument.h"
#include "tests/news/NewsTestSupport.h"

using news::TElement;
using news_testing::DataFile;
using news_testing::TRecordingList;
using news_testing::TScratchFolder;

namespace {

struct TExpectedItem {
    std::wstring title;
    std::wstring summary;
    std::wstring link;
    std::string date;
};

void ExpectItems(const TRecordingList& list, const std::vector<TExpectedItem>& expected)
{
    ASSERT_NE(list.Items(), nullptr);
    const std::vector<TElement>& items = *list.Items();
    ASSERT_EQ(items.size(), expected.size());
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(core::ToUtf8(items[i].Title), core::ToUtf8(expected[i].title));
        EXPECT_EQ(core::ToUtf8(items[i].Summary), core::ToUtf8(expected[i].summary));
        EXPECT_EQ(core::ToUtf8(items[i].Link), core::ToUtf8(expected[i].link));
        EXPECT_EQ(items[i].Date, expected[i].date);
    }
}

const std::wstring Site = L"https://www.example-haber.com.tr/";

const std::vector<TExpectedItem> TurkishItems = {
    {L"Çığ düştü: Ağrı'da ışık yok, İĞŞÜÖÇ ığşüöç", L"Şırnak ve Iğdır'da öğrenciler tatil edildi.", Site + L"cig", ""},
};

} // namespace

TEST(Feed, FilesBecomeItemsInFeedOrder)
{
    const struct {
        const char* what;
        const wchar_t* file;
        std::vector<TExpectedItem> items;
    } cases[] = {
        {"RSS 2.0 in UTF-8: blank titles skipped, missing titles kept, pictures cut from descriptions",
         L"rss-utf8.xml",
         {
             {L"İstanbul'da şiddetli yağış: Boğaz'da gemi \r\ngeçişleri durduruldu",
              L"Meteoroloji uyarısının ardından ulaşımda aksamalar yaşanıyor.", Site + L"gundem/istanbul-yagis-123",
              "Fri, 11 Dec 2026 09:15:00 +0300"},
             {L"", L"Başlığı olmayan haber.", Site + L"basliksiz", ""},
             {L"Resimli özet", L"Kısa <b>özet</b>", Site + L"resimli?id=7", ""},
             {L"Yalnız resim", L"", L"", ""},
         }},
        {"Atom with its namespace: every entry is kept, also an empty one; links come from href",
         L"atom.xml",
         {
             {L"Ankara'da güneşli bir gün", L"Hava sıcaklığı mevsim normallerinin üzerinde seyrediyor.",
              Site + L"ankara?x=1", "2026-12-11T08:30:00Z"},
             {L"", L"Başlıksız girdi de listede kalır.", Site + L"baslıksız", ""},
             {L"", L"", L"", ""},
         }},
        {"RSS in ISO-8859-9", L"rss-iso-8859-9.xml", TurkishItems},
        {"RSS in windows-1254, with the letters ISO-8859-9 lacks",
         L"rss-windows-1254.xml",
         {TurkishItems[0],
          {L"“Sıfır atık” günü… Fiyat 5 €", L"‘Tırnaklı’ özet – uzun çizgi.", Site + L"sifir-atik", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TRecordingList list;
        std::wstring file = DataFile(c.file);
        list.LoadFromFile(file);
        EXPECT_EQ(list.FileName(), file);
        ExpectItems(list, c.items);
    }
}

// What the list held before a load that finds nothing to read.
struct TListState {
    std::vector<std::wstring> titles;
    int height;
};

TListState StateOf(const TRecordingList& list)
{
    TListState state{{}, list.Height()};
    if (list.Items())
        for (const TElement& item : *list.Items())
            state.titles.push_back(item.Title);
    return state;
}

TEST(Feed, AFileWithoutItemsKeepsTheListAsItWas)
{
    TScratchFolder folder;
    const struct {
        const char* what;
        std::wstring file;
    } cases[] = {
        {"not XML", DataFile(L"not-xml.txt")},
        {"an empty file", folder.Write(L"empty.xml", "")},
        {"RSS without items",
         folder.Write(L"no-items.xml", "<rss version=\"2.0\"><channel><title>x</title></channel></rss>")},
        {"Atom without entries",
         folder.Write(L"no-entries.xml", "<feed xmlns=\"http://www.w3.org/2005/Atom\"></feed>")},
        {"another XML document", folder.Write(L"other.xml", "<html><body><item><title>x</title></item></body></html>")},
        {"items in the wrong place", folder.Write(L"wrong.xml", "<rss><item><title>x</title></item></rss>")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TRecordingList list;
        list.LoadFromFile(DataFile(L"rss-utf8.xml"));
        TListState before = StateOf(list);
        ASSERT_EQ(before.titles.size(), 4u);

        list.LoadFromFile(c.file);
        TListState after = StateOf(list);
        EXPECT_EQ(after.titles, before.titles);
        EXPECT_EQ(after.height, before.height);
        EXPECT_EQ(list.FileName(), c.file) << "an existing file is taken as the feed file";
    }
}

TEST(Feed, AMissingFileChangesNothingAtAll)
{
    TRecordingList list;
    list.LoadFromFile(L"C:\\tavilo-does-not-exist\\news.xml");
    EXPECT_EQ(list.Items(), nullptr);
    EXPECT_EQ(list.FileName(), L"");

    std::wstring feed = DataFile(L"rss-utf8.xml");
    list.LoadFromFile(feed);
    TListState before = StateOf(list);
    list.LoadFromFile(feed + L".missing");
    EXPECT_EQ(list.FileName(), feed);
    EXPECT_EQ(StateOf(list).titles, before.titles);
}

TEST(Feed, FiveHundredItemsGiveFiveHundredElementsAllShown)
{
    std::vector<std::wstring> titles;
    for (int i = 0; i < 500; ++i)
        titles.push_back(L"Başlık " + std::to_wstring(i));
    TScratchFolder folder;
    TRecordingList list;
    list.LoadFromFile(folder.Write(L"news.xml", news_testing::RssFeed(titles)));
    ASSERT_NE(list.Items(), nullptr);
    ASSERT_EQ(list.Items()->size(), 500u);
    EXPECT_EQ(list.Items()->back().Title, L"Başlık 499");
    EXPECT_GT(list.Items()->back().Bounds.bottom, 0) << "an ordinary feed of 500 items is shown whole";
    EXPECT_LE(list.Height(), news::MaxListHeight);
}

// The data folder of a user whose name has letters outside the system code page.
TEST(Feed, PathsWithTurkishLettersLoadOnEveryCodePage)
{
    TScratchFolder folder(L"Haberler ğüşİı");
    std::wstring file = folder.Write(L"son dakika ş.xml", news_testing::RssFeed({L"Ağrı'da kar"}));
    TRecordingList list;
    list.LoadFromFile(file);
    EXPECT_EQ(list.FileName(), file);
    ASSERT_NE(list.Items(), nullptr);
    ASSERT_EQ(list.Items()->size(), 1u);
    EXPECT_EQ(list.Items()->front().Title, L"Ağrı'da kar");
}

// A list that was never loaded, or loaded with nothing, cannot be clicked.
TEST(Feed, ItemsAreNoneUntilAFeedIsRead)
{
    TRecordingList list;
    EXPECT_EQ(list.Items(), nullptr);
    EXPECT_EQ(list.ItemAt(0, 0), -1);
    list.LoadFromFile(DataFile(L"not-xml.txt"));
    EXPECT_EQ(list.Items(), nullptr);
}

// A headline or summary longer than anyone reads is cut before wrapping, so measuring
// and drawing it cannot stall the widget.
TEST(Feed, OverlongTextsAreCutBeforeWrapping)
{
    const std::wstring emoji = L"\U0001F4F0";
    const size_t limit = news::MaxTextLength;
    const struct {
        const char* what;
        std::wstring title;
        std::wstring expected; // with the line breaks taken out
    } cases[] = {
        {"a long word", std::wstring(limit + 500, L'ş'), std::wstring(limit, L'ş')},
        {"exactly the limit", std::wstring(limit, L'a'), std::wstring(limit, L'a')},
        {"a surrogate pair across the cut stays whole or goes", std::wstring(limit - 1, L'a') + emoji + L"bbb",
         std::wstring(limit - 1, L'a')},
    };
    TScratchFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TRecordingList list;
        std::string feed = "<rss><channel><item><title>" + news_testing::Utf8(c.title) + "</title><description>" +
                           news_testing::Utf8(c.title) + "</description></item></channel></rss>";
        list.LoadFromFile(folder.Write(L"long.xml", feed));
        ASSERT_NE(list.Items(), nullptr);
        ASSERT_EQ(list.Items()->size(), 1u) << "the item is kept";
        auto unwrapped = [](std::wstring text) {
            for (size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;)
                text.erase(at, 2);
            return text;
        };
        EXPECT_EQ(unwrapped(list.Items()->front().Title), c.expected);
        EXPECT_EQ(unwrapped(list.Items()->front().Summary), c.expected);
    }
}

// Each field is the text the DOM selects for its path from the item ("title",
// "link/@href", ...): the first child element of that name as written, prefix included;
// no grandchild, no comment, no element of another prefix; the first link that has the
// attribute. The expectation is checked against the DOM's own selection too.
TEST(Feed, ItemsTakeTheChildrenTheDomSelects)
{
    const struct TFormat {
        std::string start, end;
        std::wstring itemPath;
        // title, summary, link and date, in that order
        std::vector<std::wstring> fieldPaths;
    } rss{"<rss version=\"2.0\" xmlns:media=\"urn:media\" xmlns:atom=\"urn:atom\"><channel>",
          "</channel></rss>",
          L"/rss/channel/item",
          {L"title", L"description", L"link", L"pubDate"}},
        atom{"<feed xmlns=\"http://www.w3.org/2005/Atom\" xmlns:media=\"urn:media\">",
             "</feed>",
             L"/feed/entry",
             {L"title", L"summary", L"link/@href", L"updated"}};
    const struct {
        const char* what;
        const TFormat& format;
        std::string item;
        TExpectedItem expected;
    } cases[] = {
        {"RSS: the first of each, past comments and prefixed names",
         rss,
         "<item><!-- <title>yorum</title> --><media:title>Medya</media:title><title>As\xC4\xB1l</title>"
         "<title>\xC4\xB0kinci</title><atom:link href=\"https://self.example/\"/>"
         "<link>https://a.example/1</link><link>https://a.example/2</link>"
         "<description><![CDATA[\xC3\x96zet <b>kal\xC4\xB1n</b>]]></description><pubDate>D1</pubDate>"
         "<pubDate>D2</pubDate></item>",
         {L"Asıl", L"Özet <b>kalın</b>", L"https://a.example/1", "D1"}},
        {"RSS: a grandchild is not a child",
         rss,
         "<item><source><title>\xC4\xB0\xC3\xA7</title><link>x</link></source><title>D\xC4\xB1\xC5\x9F</title></item>",
         {L"Dış", L"", L"", ""}},
        {"RSS: a link's text, not its attributes",
         rss,
         "<item><title>a</title><link href=\"https://b.example/\">https://a.example/3</link></item>",
         {L"a", L"", L"https://a.example/3", ""}},
        {"Atom: the first link that has an address",
         atom,
         "<entry><link rel=\"enclosure\" type=\"image/jpeg\"/><link rel=\"alternate\" href=\"https://a.example/5\"/>"
         "<link href=\"https://a.example/6\"/><title type=\"html\">A &amp; B</title><content>i\xC3\xA7\x65rik</content>"
         "<summary>\xC3\xB6zet</summary></entry>",
         {L"A & B", L"özet", L"https://a.example/5", ""}},
        {"Atom: only a prefixed title and a link without an address",
         atom,
         "<entry><media:title>Medya</media:title><link rel=\"self\"/><updated>U</updated></entry>",
         {L"", L"", L"", "U"}},
    };
    TScratchFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::wstring file = folder.Write(L"children.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" +
                                                              c.format.start + c.item + c.format.end);
        TRecordingList list;
        list.LoadFromFile(file);
        ExpectItems(list, {c.expected});

        core::TXmlDocument document;
        ASSERT_TRUE(document.Load(file));
        core::TXmlNode item = document.SelectNodes(c.format.itemPath)->Item(0);
        const std::wstring fields[] = {c.expected.title, c.expected.summary, c.expected.link,
                                       core::AnsiToWide(c.expected.date)};
        for (size_t i = 0; i < c.format.fieldPaths.size(); ++i)
            EXPECT_EQ(core::ToUtf8(item.SelectText(c.format.fieldPaths[i]).value_or(L"")), core::ToUtf8(fields[i]))
                << core::ToUtf8(c.format.fieldPaths[i]);
    }
}
