#include <gtest/gtest.h>

#include <string>

#include "app/FeedCache.h"
#include "core/Files.h"
#include "core/Streams.h"
#include "core/Win32.h"
#include "tests/support/Process.h"

namespace {

const std::string Utf8Rss = "<?xml version=\"1.0\" encoding=\"utf-8\"?><rss version=\"2.0\"><channel>"
                            "<item><title>\xC4\xB0stanbul'da ya\xC4\x9Fmur: \xC5\x9Fi\xC5\x9Fli \xC3\xA7\xC3\xB6l</title>"
                            "<link>http://example.com/1</link></item></channel></rss>";
// "Şişli'de ığdır" in windows-1254 bytes, declared as such.
const std::string Cp1254Rss = "<?xml version=\"1.0\" encoding=\"windows-1254\"?><rss version=\"2.0\"><channel>"
                              "<item><title>\xDE\x69\xFEli'de \xFD\xF0\x64\xFDr</title></item></channel></rss>";
const std::string AtomFeed = "<?xml version=\"1.0\" encoding=\"utf-8\"?><feed xmlns=\"http://www.w3.org/2005/Atom\">"
                             "<entry><title>Atom</title><link href=\"http://example.com/a\"/></entry></feed>";

class FeedCacheTest : public ::testing::Test {
protected:
    FeedCacheTest()
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"tavilo-feed-cache-" + std::to_wstring(GetCurrentProcessId());
        testing_support::RemoveFolderTree(folder_);
        core::ForceDirectories(folder_);
    }
    ~FeedCacheTest() override { testing_support::RemoveFolderTree(folder_); }

    std::wstring CachePath() const { return folder_ + L"\\news.xml"; }
    std::string CacheBytes() const
    {
        std::vector<uint8_t> bytes = core::ReadWholeFile(CachePath());
        return std::string(bytes.begin(), bytes.end());
    }
    bool CandidateLeft() const { return core::FileExists(CachePath() + L".new"); }

    std::wstring folder_;
};

struct TFeedCase {
    const char* name;
    const std::string* body;
};

// The cache holds the downloaded bytes unchanged, whatever the code page of the system:
// a round trip through UTF-16 would change a UTF-8 feed under code page 1254.
TEST_F(FeedCacheTest, StoresAcceptedFeedsByteForByte)
{
    const TFeedCase cases[] = {{"UTF-8 RSS", &Utf8Rss}, {"windows-1254 RSS", &Cp1254Rss}, {"Atom", &AtomFeed}};
    app::TFeedCache cache(CachePath());
    for (const TFeedCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(cache.Store(*c.body));
        EXPECT_EQ(CacheBytes(), *c.body);
        EXPECT_FALSE(CandidateLeft());
    }
}

// What captive portals, broken servers and cut connections deliver must not take the
// user's headlines away.
TEST_F(FeedCacheTest, AnythingButAFeedWithItemsLeavesTheCacheAsItWas)
{
    const std::string empty;
    const std::string htmlLogin = "<!DOCTYPE html><html><head><title>Otel Wi-Fi</title></head>"
                                  "<body><form>Giri\xC5\x9F</form></body></html>";
    const std::string noItems = "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>x</title></channel></rss>";
    const std::string cutOff = Utf8Rss.substr(0, Utf8Rss.size() / 2);
    const std::string notXml = "Service Unavailable";
    const TFeedCase cases[] = {{"empty body", &empty},        {"HTML login page", &htmlLogin},
                               {"RSS without items", &noItems}, {"cut-off feed", &cutOff},
                               {"plain text", &notXml}};
    app::TFeedCache cache(CachePath());
    ASSERT_TRUE(cache.Store(Utf8Rss));
    for (const TFeedCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(cache.Store(*c.body));
        EXPECT_EQ(CacheBytes(), Utf8Rss);
        EXPECT_FALSE(CandidateLeft());
    }
}

TEST_F(FeedCacheTest, AFolderThatCannotBeWrittenIsReportedNotThrown)
{
    app::TFeedCache cache(folder_ + L"\\missing\\news.xml");
    EXPECT_FALSE(cache.Store(Utf8Rss));
    EXPECT_FALSE(core::FileExists(folder_ + L"\\missing\\news.xml"));
}

} // namespace
