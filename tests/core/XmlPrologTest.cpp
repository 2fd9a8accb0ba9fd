// Finding a document type declaration before the root element, in any encoding a feed
// arrives in.
#include <gtest/gtest.h>

#include <string>

#include "core/XmlProlog.h"

namespace {

// The text as UTF-16 bytes of the given byte order, with or without a byte-order mark.
std::string Utf16(std::string_view ascii, bool bigEndian, bool mark)
{
    std::string bytes;
    if (mark)
        bytes += bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii) {
        bytes += bigEndian ? '\0' : c;
        bytes += bigEndian ? c : '\0';
    }
    return bytes;
}

} // namespace

TEST(XmlProlog, FindsADocumentTypeOnlyBeforeTheRootElement)
{
    const std::string dtd = "<?xml version=\"1.0\"?>\n<!DOCTYPE rss [<!ENTITY a \"b\">]><rss/>";
    const std::string longComment = "<!--" + std::string(core::XmlPrologLimit, 'x') + "-->";
    const struct {
        const char* what;
        std::string head;
        bool declares;
    } cases[] = {
        {"a plain feed", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"></rss>", false},
        {"no declaration at all", "<rss/>", false},
        {"an internal subset", dtd, true},
        {"an external DTD", "<!DOCTYPE rss SYSTEM \"http://example.com/rss.dtd\"><rss/>", true},
        {"after comments and processing instructions",
         "<?xml version=\"1.0\"?><!-- a -->\r\n<?xml-stylesheet href=\"s.xsl\"?>\t<!DOCTYPE rss><rss/>", true},
        {"after a UTF-8 byte-order mark", "\xEF\xBB\xBF" + dtd, true},
        {"in UTF-16, little-endian with a mark", Utf16(dtd, false, true), true},
        {"in UTF-16, big-endian with a mark", Utf16(dtd, true, true), true},
        {"in UTF-16, little-endian without a mark", Utf16(dtd, false, false), true},
        {"in UTF-16, big-endian without a mark", Utf16(dtd, true, false), true},
        {"a plain feed in UTF-16", Utf16("<?xml version=\"1.0\"?><rss/>", false, true), false},
        {"quoted inside the content",
         "<rss><channel><description><![CDATA[<!DOCTYPE html>]]></description></channel></rss>", false},
        {"inside a comment", "<!-- <!DOCTYPE rss> --><rss/>", false},
        {"lower case is not a declaration", "<!doctype rss><rss/>", false},
        {"a prolog running past the bytes looked at", longComment + "<!DOCTYPE rss><rss/>", true},
        {"an empty file", "", false},
        {"garbage", "\x01\x02\x03<<<>>>", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(core::XmlPrologDeclaresDtd(c.head), c.declares);
    }
}
