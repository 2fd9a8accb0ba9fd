// The XML document owner: safe load settings, selection, text and failures.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Files.h"
#include "core/Streams.h"
#include "core/XmlDocument.h"
#include "tests/support/Process.h"

// After <windows.h>.
#include <objbase.h>

namespace {

class XmlDocumentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    static void TearDownTestSuite() { CoUninitialize(); }

    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"tavilo-xml-Şğüİı";
        testing_support::RemoveFolderTree(folder_);
        ASSERT_TRUE(core::ForceDirectories(folder_));
    }
    void TearDown() override { testing_support::RemoveFolderTree(folder_); }

    std::wstring Write(const std::wstring& name, std::string_view bytes) const
    {
        std::wstring path = folder_ + L"\\" + name;
        core::TFileStream file(path, core::TFileMode::Create);
        file.WriteBuffer(bytes.data(), bytes.size());
        return path;
    }

    std::wstring folder_;
};

struct TSettings {
    VARIANT_BOOL async, resolveExternals, validateOnParse;
};

TSettings SettingsOf(const core::TXmlDocument& document)
{
    TSettings settings{};
    IXMLDOMDocument* dom = document.Document();
    EXPECT_EQ(dom->get_async(&settings.async), S_OK);
    EXPECT_EQ(dom->get_resolveExternals(&settings.resolveExternals), S_OK);
    EXPECT_EQ(dom->get_validateOnParse(&settings.validateOnParse), S_OK);
    return settings;
}

} // namespace

// The DOM's defaults load asynchronously and resolve external DTDs and entities; every
// load, not only the first, must run without them.
TEST_F(XmlDocumentTest, EveryLoadIsSynchronousAndResolvesNothing)
{
    std::wstring file = Write(L"version.xml", "<data><version>2.1.0</version></data>");
    core::TXmlDocument document;
    TSettings defaults = SettingsOf(document);
    EXPECT_EQ(defaults.async, VARIANT_TRUE) << "the DOM's own default, which the owner must override";

    for (int load = 0; load < 2; ++load) {
        SCOPED_TRACE(load);
        IXMLDOMDocument* dom = document.Document();
        dom->put_async(VARIANT_TRUE);
        dom->put_resolveExternals(VARIANT_TRUE);
        dom->put_validateOnParse(VARIANT_TRUE);
        ASSERT_TRUE(document.Load(file));
        TSettings settings = SettingsOf(document);
        EXPECT_EQ(settings.async, VARIANT_FALSE);
        EXPECT_EQ(settings.resolveExternals, VARIANT_FALSE);
        EXPECT_EQ(settings.validateOnParse, VARIANT_FALSE);
    }
    EXPECT_EQ(document.SelectText(L"/data/version"), L"2.1.0");
}

TEST_F(XmlDocumentTest, SelectsNodesAttributesAndTexts)
{
    std::wstring file = Write(L"feed.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                                           "<feed xmlns=\"http://www.w3.org/2005/Atom\">"
                                           "<entry><title>Bir</title><link href=\"https://a.example/1\"/></entry>"
                                           "<entry><title>\xC4\xB0ki \xC5\x9F</title></entry></feed>");
    core::TXmlDocument document;
    ASSERT_TRUE(document.Load(file));
    std::optional<core::TXmlNodeList> entries = document.SelectNodes(L"/feed/entry");
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->Length(), 2);
    core::TXmlNode first = entries->Item(0);
    EXPECT_EQ(first.SelectText(L"title"), L"Bir");
    EXPECT_EQ(first.SelectText(L"link/@href"), L"https://a.example/1");
    core::TXmlNode second = entries->Item(1);
    EXPECT_EQ(second.SelectText(L"title"), L"İki ş");
    EXPECT_EQ(second.SelectText(L"link/@href"), std::nullopt) << "an absent child is none, not an error";
    EXPECT_FALSE(second.SelectSingleNode(L"summary"));
    EXPECT_EQ(document.SelectNodes(L"/rss/channel/item")->Length(), 0);
    EXPECT_THROW(entries->Item(2), core::EOleSysError);
}

TEST_F(XmlDocumentTest, WalksChildrenWithNamesAndAttributes)
{
    std::wstring file =
        Write(L"item.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                           "<rss xmlns:media=\"urn:media\" xmlns:x=\"urn:x\"><channel><item>"
                           "<!-- yorum --><media:title>Medya</media:title>"
                           "<title>Bir <![CDATA[<iki>]]></title><?isle talimat?>"
                           "<link rel=\"a\" x:href=\"https://x.example/\"/>"
                           "<link href=\"https://a.example/\xC5\x9F\"/>d\xC3\xBC\xC5\x9F</item></channel></rss>");
    core::TXmlDocument document;
    ASSERT_TRUE(document.Load(file));
    core::TXmlNode item = document.SelectNodes(L"/rss/channel/item")->Item(0);
    struct TChild {
        bool element;
        std::wstring name;
        std::optional<std::wstring> href, prefixedHref;
    };
    std::vector<TChild> children;
    for (std::optional<core::TXmlNode> child = item.FirstChild(); child; child = child->NextSibling())
        children.push_back(
            {child->IsElement(), child->Name(), child->AttributeText(L"href"), child->AttributeText(L"x:href")});
    const std::vector<TChild> expected = {
        {false, L"#comment", std::nullopt, std::nullopt},     {true, L"media:title", std::nullopt, std::nullopt},
        {true, L"title", std::nullopt, std::nullopt},         {false, L"isle", std::nullopt, std::nullopt},
        {true, L"link", std::nullopt, L"https://x.example/"}, {true, L"link", L"https://a.example/ş", std::nullopt},
        {false, L"#text", std::nullopt, std::nullopt},
    };
    ASSERT_EQ(children.size(), expected.size());
    for (size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(children[i].element, expected[i].element);
        EXPECT_EQ(core::ToUtf8(children[i].name), core::ToUtf8(expected[i].name));
        EXPECT_EQ(children[i].href, expected[i].href);
        EXPECT_EQ(children[i].prefixedHref, expected[i].prefixedHref);
    }
    EXPECT_EQ(item.FirstChild()->NextSibling()->NextSibling()->Text(), L"Bir <iki>");
    EXPECT_FALSE(item.FirstChild()->NextSibling()->FirstChild()->NextSibling()) << "the last child has no sibling";
    EXPECT_FALSE(document.SelectNodes(L"/rss/channel/item/title")->Item(0).FirstChild()->FirstChild());
}

TEST_F(XmlDocumentTest, UnreadableFilesDoNotLoad)
{
    const struct {
        const char* what;
        std::wstring file;
    } cases[] = {
        {"missing", folder_ + L"\\missing.xml"},
        {"not XML", Write(L"text.xml", "just text, no markup")},
        {"unclosed", Write(L"unclosed.xml", "<rss><channel><item>")},
        {"empty", Write(L"empty.xml", "")},
        // Feeds and the version document have none; a DTD's entities can expand into
        // gigabytes even without any external resolution.
        {"with a DTD", Write(L"dtd.xml", "<!DOCTYPE data [<!ENTITY v \"2.1.0\">]><data><version>&v;</version></data>")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        core::TXmlDocument document;
        EXPECT_FALSE(document.Load(c.file));
    }
}

// Text from the network is held to the same rules as a file: the settings are applied
// and a DTD is refused, also behind blanks or a declaration.
TEST_F(XmlDocumentTest, TextLoadsUnderTheSameRules)
{
    const struct {
        const char* what;
        std::wstring text;
        bool loads;
    } cases[] = {
        {"plain", L"<data><version>2.1</version></data>", true},
        {"declared", L"<?xml version=\"1.0\" encoding=\"windows-1254\"?><data><version>2.1</version></data>", true},
        {"blanks first", L"  \r\n<data><version>2.1</version></data>", true},
        {"empty", L"", false},
        {"not XML", L"2.1", false},
        {"unclosed", L"<data><version>2.1", false},
        {"DTD", L"<!DOCTYPE data [<!ENTITY v \"2.1\">]><data><version>&v;</version></data>", false},
        {"DTD behind blanks", L" \n<!DOCTYPE data [<!ENTITY v \"2.1\">]><data><version>&v;</version></data>", false},
        {"DTD behind a declaration",
         L"<?xml version=\"1.0\"?><!--x--><!DOCTYPE data [<!ENTITY v \"2.1\">]><data><version>&v;</version></data>",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        core::TXmlDocument document;
        document.Document()->put_async(VARIANT_TRUE);
        document.Document()->put_resolveExternals(VARIANT_TRUE);
        EXPECT_EQ(document.LoadXml(c.text), c.loads);
        TSettings settings = SettingsOf(document);
        EXPECT_EQ(settings.async, VARIANT_FALSE);
        EXPECT_EQ(settings.resolveExternals, VARIANT_FALSE);
        if (c.loads) {
            EXPECT_EQ(document.SelectText(L"/data/version"), L"2.1");
        }
    }
}
