// Geometry of the headline list: the running position, the hit rectangles, the height,
// and what painting puts where.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/Exceptions.h"
#include "core/Format.h"
#include "graphics/CanvasEx.h"
#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/news/NewsTestSupport.h"
#include "tests/toolkit/PaintedTestSupport.h"

using news::TElement;
using news_testing::TRecordingList;
using news_testing::TScratchFolder;

namespace {

constexpr RECT HostBounds{40, 40, 40 + TRecordingList::ListWidth, 40 + 213};

// The geometry of one item as the list must compute it: a float running position,
// every pixel coordinate rounded half to even.
struct TItemGeometry {
    RECT headline;
    int separatorY;
    RECT summary;
};

int RoundHalfEven(float y)
{
    return static_cast<int>(std::nearbyint(y));
}

// Measures with a canvas of its own, set up like the list's.
std::vector<TItemGeometry> ExpectedGeometry(const std::vector<TElement>& items, int width, float& end,
                                            const std::wstring& fontName = L"Trebuchet MS", bool antialias = false)
{
    graphics::TCanvasEx canvas(8, CAIRO_FORMAT_ARGB32, 8);
    canvas.Font().SetName(fontName);
    canvas.SetAntialias(antialias);
    std::vector<TItemGeometry> result;
    float y = 0.0f;
    for (const TElement& item : items) {
        TItemGeometry g{};
        canvas.Font().SetStyle(1);
        canvas.Font().SetSize(10);
        g.headline.top = RoundHalfEven(y);
        y += canvas.TextHeight(item.Title);
        g.headline.right = canvas.TextWidth(item.Title);
        y += 4;
        g.headline.bottom = RoundHalfEven(y);
        y += 2;
        g.separatorY = RoundHalfEven(y);
        y += 2;
        canvas.Font().SetStyle(0);
        canvas.Font().SetSize(9);
        g.summary = RECT{0, RoundHalfEven(y), width, 0};
        y += canvas.TextHeight(item.Summary);
        y += 4;
        g.summary.bottom = RoundHalfEven(y);
        y += 15;
        result.push_back(g);
    }
    end = y;
    return result;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

std::string Text(const RECT& r)
{
    return core::ToUtf8(core::Format(L"{%d,%d,%d,%d}", r.left, r.top, r.right, r.bottom));
}

const std::vector<std::wstring> MixedTitles = {
    L"Kısa başlık",
    L"İstanbul'da şiddetli yağış: Boğaz'da gemi geçişleri durduruldu, vapur seferleri iptal",
    L"Üç satıra yayılan çok uzun bir başlık: Ankara, İzmir, Bursa, Antalya, Trabzon, Erzurum ve Diyarbakır",
    L"Son",
};

// A live headline list inside a hidden painted window, as the main window holds it.
class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_ = toolkit_testing::MakePaintedWindow(HostBounds, 0);
        list_ = new TRecordingList(host_);
        list_->SetParentControl(host_);
        list_->SetVisible(true);
    }
    void TearDown() override { toolkit_testing::DestroyPainted(host_); }

    void Load(const std::vector<std::wstring>& titles)
    {
        list_->LoadFromFile(folder_.Write(L"news.xml", news_testing::RssFeed(titles)));
        ASSERT_NE(list_->Items(), nullptr);
    }

    TScratchFolder folder_;
    toolkit::TWindowEx* host_ = nullptr;
    TRecordingList* list_ = nullptr;
};

} // namespace

TEST_F(LayoutTest, BoundsAndHeightFollowTheRunningPosition)
{
    list_->SetHeight(5000);
    Load(MixedTitles);
    float end = 0;
    std::vector<TItemGeometry> expected = ExpectedGeometry(*list_->Items(), list_->Width(), end);
    const std::vector<TElement>& items = *list_->Items();
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(SameRect(items[i].Bounds, expected[i].headline))
            << Text(items[i].Bounds) << " != " << Text(expected[i].headline);
    }
    EXPECT_EQ(list_->Height(), RoundHalfEven(end)) << "the position after the last item's gap, whatever came before";
    EXPECT_EQ(list_->Layout(), list_->Height());
    EXPECT_NE(items[1].Title.find(L"\r\n"), std::wstring::npos) << "the second headline has two lines";
    EXPECT_GT(items[1].Bounds.bottom - items[1].Bounds.top, items[0].Bounds.bottom - items[0].Bounds.top);
}

// Each block lands in its place: the blue headline inside its hit rectangle and nothing
// right of it, the separator across the whole width, the grey summary below it, and
// nothing in the gaps.
TEST_F(LayoutTest, PaintingDrawsEachBlockInItsPlace)
{
    Load(MixedTitles);
    float end = 0;
    std::vector<TItemGeometry> g = ExpectedGeometry(*list_->Items(), list_->Width(), end);
    list_->Paint();
    const graphics::TBitmapEx& bitmap = list_->Canvas().Bitmap();
    ASSERT_EQ(bitmap.Height(), list_->Height());
    auto count = [&](int top, int bottom, int left, int right, auto&& test) {
        int n = 0;
        for (int y = std::max(top, 0); y < std::min(bottom, bitmap.Height()); ++y)
            for (int x = std::max(left, 0); x < std::min(right, bitmap.Width()); ++x)
                n += test(graphics_test::PixelAt(bitmap, x, y)) ? 1 : 0;
        return n;
    };
    auto inked = [](uint32_t p) { return p != 0; };
    auto blue = [](uint32_t p) { return (p & 0xFF) > ((p >> 16) & 0xFF) + 0x20; };
    auto grey = [](uint32_t p) {
        return p != 0 && (p & 0xFF) == ((p >> 8) & 0xFF) && (p & 0xFF) == ((p >> 16) & 0xFF);
    };
    const int width = bitmap.Width();
    for (size_t i = 0; i < g.size(); ++i) {
        SCOPED_TRACE(i);
        const RECT& h = g[i].headline;
        const RECT& s = g[i].summary;
        EXPECT_GT(count(h.top, h.bottom, h.left, h.right, blue), 20) << "the headline is blue, inside its rectangle";
        EXPECT_EQ(count(h.top, h.bottom, h.right, width, inked), 0) << "nothing right of the headline";
        EXPECT_EQ(count(h.bottom, g[i].separatorY, 0, width, inked), 0) << "the gap above the separator";
        EXPECT_EQ(count(g[i].separatorY, g[i].separatorY + 1, 0, width, [](uint32_t p) { return p == 0x40000000; }),
                  width)
            << "the separator: black at alpha 64 across the whole width";
        EXPECT_EQ(count(g[i].separatorY + 1, s.top, 0, width, inked), 0) << "the gap below the separator";
        EXPECT_GT(count(s.top, s.bottom, 0, width, grey), 20) << "the summary is grey";
        EXPECT_EQ(count(s.top, s.bottom, 0, width, blue), 0);
        const int next = i + 1 < g.size() ? g[i + 1].headline.top : bitmap.Height();
        EXPECT_EQ(count(s.bottom, next, 0, width, inked), 0) << "the gap after the item";
    }
}

// A paint places the items as the layout before it did, without measuring them again,
// but never with sizes measured for other texts, another font face or other rendering.
TEST_F(LayoutTest, PaintingMeasuresAgainWhatChanged)
{
    Load(MixedTitles);
    list_->Paint();
    const std::vector<TElement> first = *list_->Items();
    std::vector<std::wstring> otherTitles(MixedTitles.rbegin(), MixedTitles.rend());
    const struct {
        const char* what;
        std::wstring font;
        bool antialias;
        const std::vector<std::wstring>* titles;
    } steps[] = {
        {"another font face", L"Arial", false, nullptr},
        {"antialiased text", L"Arial", true, nullptr},
        {"a new feed of as many items", L"Arial", true, &otherTitles},
        {"the first font again", L"Trebuchet MS", false, nullptr},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        list_->Font().SetName(step.font);
        list_->Canvas().SetAntialias(step.antialias);
        if (step.titles)
            Load(*step.titles);
        list_->Paint();
        float end = 0;
        std::vector<TItemGeometry> expected =
            ExpectedGeometry(*list_->Items(), list_->Width(), end, step.font, step.antialias);
        const std::vector<TElement>& items = *list_->Items();
        for (size_t i = 0; i < items.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_TRUE(SameRect(items[i].Bounds, expected[i].headline))
                << Text(items[i].Bounds) << " != " << Text(expected[i].headline);
        }
    }
    float end = 0;
    EXPECT_FALSE(SameRect(first[1].Bounds, ExpectedGeometry(first, list_->Width(), end, L"Arial")[1].headline))
        << "the faces measure differently, or this test shows nothing";
}

// Only the headline's own text area is clickable: its left and top edges belong to it,
// its right and bottom edges do not, and the summary, separator and gaps hit nothing.
TEST_F(LayoutTest, ItemAtHitsOnlyTheHeadlineText)
{
    Load(MixedTitles);
    float end = 0;
    std::vector<TItemGeometry> g = ExpectedGeometry(*list_->Items(), list_->Width(), end);
    const RECT first = g[0].headline, second = g[1].headline;
    const struct {
        const char* what;
        POINT point;
        int index;
    } cases[] = {
        {"top-left corner", {first.left, first.top}, 0},
        {"last pixel inside", {first.right - 1, first.bottom - 1}, 0},
        {"right edge", {first.right, first.top}, -1},
        {"right of the text in the same row", {first.right + 20, (first.top + first.bottom) / 2}, -1},
        {"bottom edge", {first.left, first.bottom}, -1},
        {"the separator line", {5, g[0].separatorY}, -1},
        {"the summary", {5, (g[0].summary.top + g[0].summary.bottom) / 2}, -1},
        {"the gap after the summary", {5, g[0].summary.bottom + 5}, -1},
        {"left of the list", {-1, first.top}, -1},
        {"between the two lines of a two-line headline", {5, (second.top + second.bottom) / 2}, 1},
        {"the second line's end, left of the longer line's end", {second.right - 2, second.bottom - 3}, 1},
        {"below the last item", {5, list_->Height() + 10}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(list_->ItemAt(c.point.x, c.point.y), c.index);
    }
}

TEST_F(LayoutTest, WithoutItemsTheHeightStays)
{
    list_->SetHeight(321);
    EXPECT_EQ(list_->Layout(), host_->Height()) << "the parent's height is returned";
    EXPECT_EQ(list_->Height(), 321);

    list_->LoadFromFile(folder_.Write(L"empty.xml", "<rss><channel></channel></rss>"));
    EXPECT_EQ(list_->Height(), 321);
    list_->Paint();
    EXPECT_EQ(graphics_test::InkedPixels(list_->Canvas().Bitmap()), 0) << "no items, nothing painted";
}

// cairo makes no surface taller than 32,767 pixels and the list is one surface: a feed
// of thousands of items is cut at the bound, and what is cut is not clickable.
TEST_F(LayoutTest, AHugeFeedIsCutAtTheHeightBound)
{
    std::vector<std::wstring> titles;
    for (int i = 0; i < 2000; ++i)
        titles.push_back(L"Başlık numarası " + std::to_wstring(i));
    Load(titles);
    const std::vector<TElement>& items = *list_->Items();
    ASSERT_EQ(items.size(), 2000u) << "every item is read; only the display is bounded";
    EXPECT_LE(list_->Height(), news::MaxListHeight);
    EXPECT_GT(list_->Height(), news::MaxListHeight - 200) << "the list is filled up to the bound";
    size_t placed = 0;
    while (placed < items.size() && items[placed].Bounds.bottom > 0)
        ++placed;
    EXPECT_GT(placed, 300u);
    EXPECT_LT(placed, items.size());
    for (size_t i = placed; i < items.size(); ++i)
        ASSERT_TRUE(IsRectEmpty(&items[i].Bounds)) << i;
    EXPECT_LT(items[placed - 1].Bounds.bottom, list_->Height());
    EXPECT_EQ(list_->Canvas().Height(), list_->Height()) << "the canvas could be made";
    list_->Paint();
    EXPECT_GT(graphics_test::InkedPixels(list_->Canvas().Bitmap()), 0);
}

// For people to look at: a Turkish feed on a white background, as the widget shows it.
TEST(HeadlinePicture, TurkishFeedOnWhite)
{
    toolkit_testing::TPaintedWindow* host =
        toolkit_testing::MakePaintedWindow(RECT{40, 40, 40 + TRecordingList::ListWidth, 40 + 420}, 0xFFFFFFFF);
    auto* list = new TRecordingList(host);
    list->SetParentControl(host);
    list->SetVisible(true);
    list->LoadFromFile(news_testing::DataFile(L"rss-utf8.xml"));
    host->Render();
    graphics_test::SaveArtefact(host->Canvas().Bitmap(), L"headline-list.png");
    list->LoadFromFile(news_testing::DataFile(L"rss-windows-1254.xml"));
    host->Render();
    graphics_test::SaveArtefact(host->Canvas().Bitmap(), L"headline-list-windows-1254.png");
    EXPECT_GT(graphics_test::InkedPixels(list->Canvas().Bitmap()), 0);
    toolkit_testing::DestroyPainted(host);
}
