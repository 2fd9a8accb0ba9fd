// The headline list under the real pointer: Windows itself generates the cursor,
// move, press and release messages (xdotool), and the list answers with the cursor and
// the opened link. X coordinates are Wine's screen coordinates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Exceptions.h"
#include "tests/news/NewsTestSupport.h"
#include "tests/toolkit/PaintedTestSupport.h"
#include "tests/toolkit/ToolkitTestSupport.h"

using namespace std::chrono_literals;
using news_testing::TRecordingList;
using toolkit_testing::MoveTo;
using toolkit_testing::PumpMessages;
using toolkit_testing::PumpUntil;
using toolkit_testing::Xdotool;

namespace {

constexpr RECT HostBounds{600, 300, 600 + TRecordingList::ListWidth, 300 + 420};
constexpr uint32_t OpaqueWhite = 0xFFFFFFFF;

const std::wstring WebLink = L"https://www.example-haber.com.tr/haber?id=5";
const std::wstring TurkishLink = L"https://www.example-haber.com.tr/gündem/çığ-düştü";

std::string Feed()
{
    auto item = [](const wchar_t* title, const std::wstring& link) {
        std::wstring linkElement = link.empty() ? L"" : L"<link>" + news_testing::XmlEscaped(link) + L"</link>";
        return std::wstring(L"<item><title>") + title + L"</title>" + linkElement +
               L"<description>Özetin üzerinde imleç ok olarak kalır.</description></item>";
    };
    return news_testing::Utf8(L"<?xml version=\"1.0\" encoding=\"UTF-8\"?><rss version=\"2.0\"><channel>" +
                              item(L"Web bağlantılı haber", WebLink) +
                              item(L"Yerel dosyaya giden haber", L"file:///C:/Windows/System32/calc.exe") +
                              item(L"Bağlantısız haber", L"") + item(L"Türkçe adresli haber", TurkishLink) +
                              L"</channel></rss>");
}

class PointerTest : public ::testing::Test {
protected:
    // One shown window for the suite: Wine takes seconds to take one down again.
    static void SetUpTestSuite()
    {
        host_ = toolkit_testing::MakePaintedWindow(HostBounds, OpaqueWhite);
        list_ = new TRecordingList(host_);
        list_->SetParentControl(host_);
        list_->SetVisible(true);
        list_->LoadFromFile(folder_->Write(L"news.xml", Feed()));
        toolkit_testing::ShowWithoutActivating(host_);
        host_->RequestRender();
    }
    static void TearDownTestSuite()
    {
        toolkit_testing::DestroyPainted(host_);
        delete folder_;
    }

    void SetUp() override
    {
        ASSERT_NE(list_->Items(), nullptr);
        ASSERT_EQ(list_->Items()->size(), 4u);
        list_->opened.clear();
        MoveAndWait(Gap(0));
    }

    // Screen points over parts of an item.
    static POINT Headline(size_t index)
    {
        const RECT& r = (*list_->Items())[index].Bounds;
        return Screen({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    static POINT RightOfHeadline(size_t index)
    {
        const RECT& r = (*list_->Items())[index].Bounds;
        return Screen({r.right + 10, (r.top + r.bottom) / 2});
    }
    static POINT Summary(size_t index)
    {
        const RECT& r = (*list_->Items())[index].Bounds;
        return Screen({20, r.bottom + 14});
    }
    static POINT Gap(size_t index) { return Screen({20, (*list_->Items())[index + 1].Bounds.top - 5}); }
    static POINT Screen(POINT local) { return {HostBounds.left + local.x, HostBounds.top + local.y}; }

    // The cursor this thread set last: Wine answers GetCursorInfo with none while the
    // window was never activated.
    static HCURSOR ShownCursor() { return GetCursor(); }

    static void MoveAndWait(POINT point)
    {
        Xdotool(MoveTo(point));
        PumpMessages(150ms);
    }

    void ClickAndWait(POINT point)
    {
        Xdotool(MoveTo(point) + L" click 1");
        PumpMessages(300ms);
    }

    static inline news_testing::TScratchFolder* folder_ = new news_testing::TScratchFolder;
    static inline toolkit::TWindowEx* host_ = nullptr;
    static inline TRecordingList* list_ = nullptr;
};

} // namespace

TEST_F(PointerTest, TheHandShowsOverHeadlinesOnly)
{
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    const struct {
        const char* what;
        POINT point;
        HCURSOR cursor;
    } steps[] = {
        {"over the first headline", Headline(0), hand}, {"over its summary", Summary(0), arrow},
        {"over the next headline", Headline(1), hand},  {"right of that headline's text", RightOfHeadline(1), arrow},
        {"back over the headline", Headline(1), hand},  {"in the gap after an item", Gap(1), arrow},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        MoveAndWait(step.point);
        EXPECT_EQ(ShownCursor(), step.cursor);
    }
}

TEST_F(PointerTest, AClickOnAHeadlineOpensItsLinkWithTheReferrer)
{
    ClickAndWait(Headline(0));
    EXPECT_EQ(list_->opened, std::vector<std::wstring>{WebLink + L"?ref=tavilo.example"})
        << "a link with a query gets the suffix appended verbatim";

    list_->opened.clear();
    ClickAndWait(Headline(3));
    ASSERT_EQ(list_->opened.size(), 1u);
    EXPECT_EQ(core::ToUtf8(list_->opened[0]), core::ToUtf8(TurkishLink + L"?ref=tavilo.example"))
        << "every letter of the link reaches the shell";
}

TEST_F(PointerTest, ClicksElsewhereOrOnUnsafeLinksOpenNothing)
{
    const struct {
        const char* what;
        POINT point;
    } cases[] = {
        {"a file: link", Headline(1)},
        {"an item without a link", Headline(2)},
        {"a summary", Summary(0)},
        {"right of a headline's text", RightOfHeadline(0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ClickAndWait(c.point);
        EXPECT_TRUE(list_->opened.empty());
        list_->opened.clear();
    }
}

// A press holds the pointer for the list, so the release reaches it wherever it
// happens; a release away from the headline is no click.
TEST_F(PointerTest, APressCapturesThePointerUntilTheRelease)
{
    Xdotool(MoveTo(Headline(0)) + L" mousedown 1");
    PumpMessages(200ms);
    EXPECT_EQ(GetCapture(), list_->WindowHandle());
    Xdotool(MoveTo({HostBounds.right + 150, HostBounds.bottom + 100}) + L" mouseup 1");
    ASSERT_TRUE(PumpUntil([] { return GetCapture() == nullptr; }, 3s)) << "the release ends the capture";
    PumpMessages(100ms);
    EXPECT_TRUE(list_->opened.empty()) << "released outside: no click";
}
