// What reading a feed file into the headline list and painting the list cost, for an
// ordinary feed, a long one and hostile ones. Each case is run a few times in a fresh
// list, as the widget does after a download: LoadFromFile, then a paint of the list.
// Times are processor time of this thread, so a busy machine changes them little.
//   news_bench.exe [rounds]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/Exceptions.h"
#include "core/Files.h"
#include "core/Format.h"
#include "core/Streams.h"
#include "news/ContentEx.h"
#include "toolkit/ToolkitStartup.h"
#include "toolkit/WindowEx.h"

// After <windows.h>.
#include <objbase.h>

namespace {

// The headline list as the main window sets it up.
class TBenchList : public news::TContentEx {
public:
    explicit TBenchList(core::TComponent* owner) : news::TContentEx(owner, L"tavilo.example")
    {
        Font().SetName(L"Trebuchet MS");
        Font().SetSize(9);
        Canvas().SetAntialias(false);
        SetWidth(390);
        OpenLink = nullptr;
    }
    void Paint() { DrawSelf(); }
};

double ThreadMilliseconds()
{
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](FILETIME t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

std::string Utf8(const std::wstring& text)
{
    return core::ToUtf8(text);
}

// Headlines and summaries of the length portals send: two and three lines once wrapped.
std::wstring Headline(int index)
{
    return core::Format(L"Son dakika: İstanbul'da %d numaralı haber, ayrıntılar ve gelişmeler geliyor", index);
}

std::wstring Summary(int index)
{
    return core::Format(L"Haberin özeti %d. Yetkililer açıklama yaptı; şehirde ulaşım aksıyor, vatandaşlar "
                        L"uyarıldı ve yeni gelişmeler bekleniyor.",
                        index);
}

std::string RssFeed(int items, bool ordinary)
{
    std::wstring body = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"><channel><title>x</title>\n";
    for (int i = 0; i < items; ++i) {
        body += core::Format(L"<item>\n  <title>%s</title>\n  <link>https://www.example-haber.com.tr/haber/%d</link>\n"
                             L"  <description>%s</description>\n  <pubDate>Fri, 11 Dec 2026 09:15:00 +0300</pubDate>\n"
                             L"</item>\n",
                             ordinary ? Headline(i) : L"Haber " + std::to_wstring(i), i,
                             ordinary ? Summary(i) : L"Haberin özeti " + std::to_wstring(i) + L".");
    }
    return Utf8(body + L"</channel></rss>\n");
}

std::string AtomFeed(int entries)
{
    std::wstring body = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<feed xmlns=\"http://www.w3.org/2005/Atom\">\n";
    for (int i = 0; i < entries; ++i) {
        body += core::Format(
            L"<entry>\n  <title>Haber %d</title>\n  <link rel=\"alternate\" "
            L"href=\"https://www.example-haber.com.tr/haber/%d\"/>\n  <summary>Haberin özeti %d.</summary>\n"
            L"  <updated>2026-12-11T08:30:00Z</updated>\n</entry>\n",
            i, i, i);
    }
    return Utf8(body + L"</feed>\n");
}

struct TCase {
    const char* what;
    std::string content;
};

struct TFigures {
    std::vector<double> load, paint, total;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Least(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

TFigures Measure(toolkit::TWindowEx* host, const std::wstring& file, int rounds)
{
    TFigures figures;
    for (int round = 0; round < rounds; ++round) {
        auto* list = new TBenchList(host);
        list->SetParentControl(host);
        list->SetVisible(true);
        const double start = ThreadMilliseconds();
        list->LoadFromFile(file);
        const double loaded = ThreadMilliseconds();
        list->Paint();
        const double painted = ThreadMilliseconds();
        figures.load.push_back(loaded - start);
        figures.paint.push_back(painted - loaded);
        figures.total.push_back(painted - start);
        DestroyWindow(list->WindowHandle());
        delete list;
    }
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    CoInitialize(nullptr);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR gdiPlus = 0;
    Gdiplus::GdiplusStartup(&gdiPlus, &input, nullptr);
    toolkit::ToolkitStartup();

    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = core::Format(L"%stavilo-bench-%u", temp, GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);

    auto* host = new toolkit::TWindowEx(nullptr);
    host->SetLeft(40);
    host->SetTop(40);
    host->Resize(390, 213);
    host->EnsureWindow();

    const TCase cases[] = {
        {"ordinary RSS, 30 items", RssFeed(30, true)},
        {"ordinary RSS, 300 items", RssFeed(300, true)},
        {"RSS, 10,000 short items", RssFeed(10000, false)},
        {"Atom, 10,000 short entries", AtomFeed(10000)},
    };
    std::printf("processor time in ms over %d rounds, least / median\n", rounds);
    std::printf("%-28s %15s %15s %15s\n", "case", "load", "paint", "load + paint");
    int index = 0;
    for (const TCase& c : cases) {
        const std::wstring file = core::Format(L"%s\\feed-%d.xml", folder, index++);
        {
            core::TFileStream stream(file, core::TFileMode::Create);
            stream.WriteBuffer(c.content.data(), c.content.size());
        }
        const TFigures figures = Measure(host, file, rounds);
        std::printf("%-28s %7.0f / %5.0f %7.0f / %5.0f %7.0f / %5.0f\n", c.what, Least(figures.load),
                    Median(figures.load), Least(figures.paint), Median(figures.paint), Least(figures.total),
                    Median(figures.total));
        DeleteFileW(file.c_str());
    }

    DestroyWindow(host->WindowHandle());
    delete host;
    RemoveDirectoryW(folder.c_str());
    toolkit::ToolkitShutdown();
    Gdiplus::GdiplusShutdown(gdiPlus);
    CoUninitialize();
    return 0;
}
