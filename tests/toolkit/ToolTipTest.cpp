// The application's tooltip: its system window, its colours, the text it supplies on
// demand, and real hovering through xdotool, which lets Windows' own tooltip logic run.
#include <gtest/gtest.h>

#include <string>

#include "core/Win32.h"

#include <commctrl.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/ToolTip.h"
#include "toolkit/WindowProcedure.h"

using namespace std::chrono_literals;
using namespace toolkit;
using toolkit_testing::MakeChild;
using toolkit_testing::MoveTo;
using toolkit_testing::PumpMessages;
using toolkit_testing::PumpUntil;
using toolkit_testing::THost;
using toolkit_testing::THostWindow;
using toolkit_testing::TProbeControl;
using toolkit_testing::Xdotool;

namespace {

// The tooltip's window for one test; it is the application's tooltip window meanwhile.
class TToolTipFixture : public ::testing::Test {
protected:
    TToolTipFixture()
    {
        TooltipWindow = tip_.Handle();
        tip_.SetEnableTip(true);
    }
    ~TToolTipFixture() override
    {
        TooltipWindow = nullptr;
        DestroyWindow(tip_.WindowHandle());
    }

    TToolTip tip_{nullptr};
};

using ToolTipTest = TToolTipFixture;

TEST_F(ToolTipTest, IsASubclassedSystemTooltipThatAlwaysShowsPlainText)
{
    HWND window = tip_.WindowHandle();
    wchar_t className[64]{};
    GetClassNameW(window, className, 64);
    EXPECT_STREQ(className, L"tooltips_class32");
    EXPECT_EQ(ControlFromWindow(window), &tip_);
    auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    EXPECT_EQ(style & (WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_NOFADE),
              static_cast<DWORD>(WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_NOFADE));
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // The system tooltip draws with a copy of the font it was given.
    LOGFONTW given{}, used{};
    GetObjectW(tip_.Font().Handle(), sizeof(given), &given);
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(used), &used);
    EXPECT_STREQ(used.lfFaceName, given.lfFaceName);
    EXPECT_EQ(used.lfHeight, given.lfHeight);
    EXPECT_EQ(used.lfCharSet, TURKISH_CHARSET);
}

TEST_F(ToolTipTest, AsksForItsToolsTextsInUnicode)
{
    EXPECT_EQ(SendMessageW(tip_.WindowHandle(), WM_NOTIFYFORMAT, 0, NF_QUERY), NFR_UNICODE);
}

TEST_F(ToolTipTest, ColoursLiveInTheSystemWindow)
{
    TToolTip windowless(nullptr);
    windowless.SetBackColor(0x123456);
    EXPECT_EQ(windowless.BackColor(), 0u);
    EXPECT_EQ(windowless.TextColor(), 0u);

    tip_.SetBackColor(0x00E0F0FF);
    tip_.SetTextColor(0x00203040);
    EXPECT_EQ(tip_.BackColor(), 0x00E0F0FFu);
    EXPECT_EQ(tip_.TextColor(), 0x00203040u);
    EXPECT_EQ(SendMessageW(tip_.WindowHandle(), TTM_GETTIPBKCOLOR, 0, 0), 0x00E0F0FF);
}

// The text the tooltip would show for a tool: what a TTN_GETDISPINFOW sent to the
// tooltip window leaves in the record.
std::wstring AskForText(HWND tooltip, HWND tool, UINT code = TTN_GETDISPINFOW)
{
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = tooltip;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(tool);
    info.hdr.code = code;
    info.lpszText = info.szText;
    SendMessageW(tooltip, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    return info.lpszText == info.szText ? L"<none>" : info.lpszText;
}

TEST_F(ToolTipTest, SuppliesTheHintOfTheControlAskedFor)
{
    THost host;
    struct Case {
        const char* what;
        bool enableTip, showHint;
        std::wstring hint;
        std::wstring shown;
    } cases[] = {
        {"hint on", true, true, L"Son dakika & haber", L"Son dakika & haber"},
        {"several lines", true, true, L"birinci\r\nikinci", L"birinci\r\nikinci"},
        {"hint off", true, false, L"gizli", L"<none>"},
        {"empty hint", true, true, L"", L"<none>"},
        {"tips disabled", false, true, L"kapal\x0131", L"<none>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TProbeControl* control = MakeChild(host.get(), {10, 10, 60, 30});
        control->Handle();
        control->SetHint(c.hint);
        control->SetShowHint(c.showHint);
        tip_.SetEnableTip(c.enableTip);
        EXPECT_EQ(AskForText(tip_.WindowHandle(), control->WindowHandle()), c.shown);
        DestroyWindow(control->WindowHandle());
    }
    tip_.SetEnableTip(true);
    EXPECT_EQ(SendMessageW(tip_.WindowHandle(), TTM_GETMAXTIPWIDTH, 0, 0), 300) << "long tips wrap";
}

TEST_F(ToolTipTest, ToolsWithoutALiveControlGetNoText)
{
    THost host;
    TProbeControl* control = MakeChild(host.get(), {10, 10, 60, 30});
    control->SetHint(L"ipucu");
    control->SetShowHint(true);
    HWND gone = control->Handle();
    DestroyWindow(gone);
    EXPECT_EQ(AskForText(tip_.WindowHandle(), gone), L"<none>");
    HWND foreign =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, host->Handle(), nullptr, nullptr, nullptr);
    EXPECT_EQ(AskForText(tip_.WindowHandle(), foreign), L"<none>");
    EXPECT_EQ(AskForText(tip_.WindowHandle(), host->Handle(), TTN_SHOW), L"<none>") << "other notifications";
}

// Hovering for real: the tooltip itself decides when to ask and to show.
constexpr RECT HoverHostBounds{300, 300, 700, 460};
constexpr RECT HintedBounds{20, 20, 180, 120};
constexpr RECT SilentBounds{220, 20, 380, 120};
constexpr POINT Rest{HoverHostBounds.left + 200, HoverHostBounds.top + 140};

POINT CentreOnScreen(RECT child)
{
    return {HoverHostBounds.left + (child.left + child.right) / 2,
            HoverHostBounds.top + (child.top + child.bottom) / 2};
}

// One host and one tooltip serve the whole suite: Wine takes seconds to take a shown
// top-level window down again.
class ToolTipHoverTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        tip_ = new TToolTip(nullptr);
        TooltipWindow = tip_->Handle();
        host_ = new THostWindow(nullptr, HoverHostBounds, true);
        host_->SetVisible(true);
    }
    static void TearDownTestSuite()
    {
        TooltipWindow = nullptr;
        for (TControl* window : std::initializer_list<TControl*>{tip_, host_}) {
            DestroyWindow(window->WindowHandle());
            delete window;
        }
    }

    void SetUp() override
    {
        tip_->SetEnableTip(true);
        hinted_ = MakeChild(host_, HintedBounds);
        hinted_->SetHint(L"Son dakika: \x0130stanbul'da ya\x011Fmur & r\x00FCzg\x00E2r");
        silent_ = MakeChild(host_, SilentBounds);
        silent_->SetHint(L"gizli");
        for (TProbeControl* child : {hinted_, silent_})
            child->SetVisible(true);
        hinted_->SetShowHint(true);
        Rest();
    }
    void TearDown() override
    {
        Rest();
        hinted_->SetShowHint(false);
        for (TProbeControl* child : {hinted_, silent_})
            DestroyWindow(child->WindowHandle());
    }

    static void Rest()
    {
        Xdotool(MoveTo(::Rest));
        PumpUntil([] { return !TipVisible(); }, 3s);
    }

    static bool TipVisible() { return IsWindowVisible(tip_->WindowHandle()) != FALSE; }

    static std::wstring TipText()
    {
        wchar_t text[256]{};
        GetWindowTextW(tip_->WindowHandle(), text, 256);
        return text;
    }

    static TToolTip* tip_;
    static THostWindow* host_;
    TProbeControl* hinted_ = nullptr;
    TProbeControl* silent_ = nullptr;
};

TToolTip* ToolTipHoverTest::tip_ = nullptr;
THostWindow* ToolTipHoverTest::host_ = nullptr;

// The tooltip shows a tip half a second after the pointer comes to rest on a tool.
constexpr auto WellAfterTheTipWouldShow = 1500ms;

TEST_F(ToolTipHoverTest, HoveringAControlWithHintsShowsItsHint)
{
    Xdotool(MoveTo(CentreOnScreen(HintedBounds)));
    ASSERT_TRUE(PumpUntil(TipVisible, 5s)) << "no tooltip appeared";
    EXPECT_EQ(TipText(), hinted_->Hint());
}

TEST_F(ToolTipHoverTest, HoveringAControlWithoutHintsShowsNothing)
{
    Xdotool(MoveTo(CentreOnScreen(SilentBounds)));
    EXPECT_FALSE(PumpUntil(TipVisible, WellAfterTheTipWouldShow));
}

TEST_F(ToolTipHoverTest, NothingShowsWhileTipsAreDisabled)
{
    tip_->SetEnableTip(false);
    Xdotool(MoveTo(CentreOnScreen(HintedBounds)));
    EXPECT_FALSE(PumpUntil(TipVisible, WellAfterTheTipWouldShow));
}

} // namespace
