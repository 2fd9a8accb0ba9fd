// Feeds come from the outside world. A hostile or broken one must not crash the list,
// must not keep it busy for long, and must not read local files into headlines.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "core/Exceptions.h"
#include "tests/news/NewsTestSupport.h"
#include "tests/toolkit/PaintedTestSupport.h"

using news::TElement;
using news_testing::TRecordingList;
using news_testing::TScratchFolder;

namespace {

constexpr RECT HostBounds{40, 40, 40 + TRecordingList::ListWidth, 40 + 213};
// Processor time a load and a paint of one hostile feed may take before we call it a
// hang. The stalls this guards against last minutes (entities expanding into gigabytes,
// GDI+ drawing a megabyte line). Under Wine the dearest case, 10,000 items, takes about
// 0.8 s (a third reading, two thirds painting the items that fit under the height bound),
// the others a quarter of a second at most; a busy machine was seen to double such times.
constexpr std::chrono::milliseconds HangLimit{2000};
// Text of the local file that hostile feeds try to pull in.
constexpr std::wstring_view Secret = L"GIZLI-YEREL-DOSYA-ICERIGI";

std::string Repeat(std::string_view part, size_t times)
{
    std::string result;
    result.reserve(part.size() * times);
    for (size_t i = 0; i < times; ++i)
        result += part;
    return result;
}

std::string RssWithTitle(std::string_view title, std::string_view prolog = "")
{
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") + std::string(prolog) +
           "<rss version=\"2.0\"><channel><item><title>" + std::string(title) +
           "</title><link>https://www.example-haber.com.tr/1</link><description>" + std::string(title) +
           "</description></item><item><title>Sonraki haber</title></item></channel></rss>";
}

std::string Garbage(size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

std::string BillionLaughs()
{
    std::string dtd = "<!DOCTYPE rss [\n<!ENTITY lol \"lol\">\n";
    for (int level = 1; level <= 9; ++level) {
        std::string previous = level == 1 ? "lol" : "lol" + std::to_string(level - 1);
        dtd += "<!ENTITY lol" + std::to_string(level) + " \"" + Repeat("&" + previous + ";", 10) + "\">\n";
    }
    return RssWithTitle("&lol9;", dtd + "]>\n");
}

// One big entity used many times: little nesting, gigabytes of text.
std::string QuadraticBlowup()
{
    std::string dtd = "<!DOCTYPE rss [<!ENTITY big \"" + Repeat("x", 100000) + "\">]>\n";
    return RssWithTitle(Repeat("&big;", 20000), dtd);
}

// Per-thread processor time: a busy machine does not make a slow load look like a hang.
std::chrono::milliseconds ThreadTime()
{
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](FILETIME t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return std::chrono::milliseconds((ticks(kernel) + ticks(user)) / 10000);
}

class HostileFeedTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_ = toolkit_testing::MakePaintedWindow(HostBounds, 0);
        secretFile_ = folder_.Write(L"secret.txt", news_testing::Utf8(Secret));
        // A DTD beside the feed that would define an entity from the secret file.
        folder_.Write(L"evil.dtd", "<!ENTITY secret SYSTEM \"secret.txt\">");
    }
    void TearDown() override { toolkit_testing::DestroyPainted(host_); }

    // The secret file as a file: URL.
    std::string SecretUrl() const
    {
        std::string path = news_testing::Utf8(secretFile_);
        for (char& c : path)
            if (c == '\\')
                c = '/';
        return "file:///" + path;
    }

    TRecordingList* MakeList()
    {
        auto* list = new TRecordingList(host_);
        list->SetParentControl(host_);
        list->SetVisible(true);
        return list;
    }

    TScratchFolder folder_;
    toolkit::TWindowEx* host_ = nullptr;
    std::wstring secretFile_;
};

bool MentionsSecret(const std::vector<TElement>* items)
{
    if (!items)
        return false;
    for (const TElement& item : *items)
        if (item.Title.find(Secret) != std::wstring::npos || item.Summary.find(Secret) != std::wstring::npos)
            return true;
    return false;
}

} // namespace

TEST_F(HostileFeedTest, NoCrashNoHangNoLocalFile)
{
    std::vector<std::wstring> manyTitles;
    for (int i = 0; i < 10000; ++i)
        manyTitles.push_back(L"Haber " + std::to_wstring(i));
    const std::string entityDtd = "<!DOCTYPE rss [<!ENTITY secret SYSTEM \"" + SecretUrl() + "\">]>\n";
    const std::string parameterDtd =
        "<!DOCTYPE rss [<!ENTITY % p SYSTEM \"" + SecretUrl() + "\"> %p; <!ENTITY secret \"x\">]>\n";
    const struct {
        const char* what;
        std::wstring name;
        std::string content;
    } cases[] = {
        {"deeply nested elements", L"deep.xml", RssWithTitle(Repeat("<a>", 200000) + "derin" + Repeat("</a>", 200000))},
        {"10,000 items", L"many.xml", news_testing::RssFeed(manyTitles)},
        {"a megabyte title of words", L"title-words.xml", RssWithTitle(Repeat("kelime ", 150000))},
        {"a megabyte title without a break", L"title-word.xml", RssWithTitle(Repeat("x", 1 << 20))},
        {"binary garbage", L"garbage.xml", Garbage(1 << 16, 12)},
        {"garbage after an XML declaration", L"garbage-decl.xml",
         "<?xml version=\"1.0\"?><rss><channel><item><title>" + Garbage(1 << 16, 13)},
        {"billion laughs", L"bomb.xml", BillionLaughs()},
        {"quadratic entity blow-up", L"quadratic.xml", QuadraticBlowup()},
        {"external entity naming a local file", L"entity.xml", RssWithTitle("&secret;", entityDtd)},
        {"external parameter entity", L"parameter.xml", RssWithTitle("&secret;", parameterDtd)},
        {"external DTD beside the feed", L"dtd.xml", RssWithTitle("&secret;", "<!DOCTYPE rss SYSTEM \"evil.dtd\">\n")},
        {"declared UTF-8, written in ISO-8859-9", L"wrong-utf8.xml", RssWithTitle("\xDE\xF0\xFD\xFE\xD0\xDD")},
        {"declared ISO-8859-9, written in UTF-8", L"wrong-latin5.xml",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-9\"?><rss><channel><item><title>\xC4\x9F\xC4\xB1</title>"
         "</item></channel></rss>"},
        {"an unknown encoding", L"unknown-encoding.xml",
         "<?xml version=\"1.0\" encoding=\"x-tavilo-bilinmeyen\"?><rss><channel><item><title>a</title>"
         "</item></channel></rss>"},
        {"declared UTF-16, written in bytes", L"wrong-utf16.xml",
         "<?xml version=\"1.0\" encoding=\"UTF-16\"?><rss><channel><item><title>a</title></item></channel></rss>"},
        {"a UTF-16 byte-order mark before UTF-8 text", L"bom.xml", "\xFF\xFE" + RssWithTitle("a")},
        {"a truncated multi-byte character", L"truncated.xml", RssWithTitle("\xC4")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::wstring file = folder_.Write(c.name, c.content);
        TRecordingList* list = MakeList();
        list->LoadFromFile(news_testing::DataFile(L"rss-utf8.xml"));
        ASSERT_NE(list->Items(), nullptr);

        auto start = ThreadTime();
        list->LoadFromFile(file);
        list->Paint();
        auto spent = ThreadTime() - start;
        EXPECT_LT(spent, HangLimit) << spent.count() << " ms of processor time";

        EXPECT_FALSE(MentionsSecret(list->Items())) << "a local file was read into the list";
        EXPECT_LE(list->Height(), news::MaxListHeight);
        EXPECT_NE(list->Items(), nullptr) << "the previous items or new ones, never none";
        DestroyWindow(list->WindowHandle());
        delete list;
    }
}
