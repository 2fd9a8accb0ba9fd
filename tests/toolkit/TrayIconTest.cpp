// The notification-area icon against Wine's real shell: every record handed to the
// shell is recorded on its way there, and the shell's answers show what it holds.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/TrayIcon.h"

using namespace std::chrono_literals;
using namespace toolkit;
using toolkit_testing::PumpUntil;

namespace {

// One record as the shell received it: only the bytes its size field announces.
struct TShellCall {
    DWORD code;
    NOTIFYICONDATAW data;
    bool succeeded;
};

std::vector<TShellCall> shellCalls;

BOOL WINAPI RecordShellCall(DWORD code, PNOTIFYICONDATAW data)
{
    TShellCall call{code, {}, false};
    std::memcpy(&call.data, data, data->cbSize);
    BOOL result = ::Shell_NotifyIconW(code, data);
    call.succeeded = result != FALSE;
    shellCalls.push_back(call);
    return result;
}

// Whether the shell holds an icon of this window: it changes only icons it has.
bool ShellHasIcon(HWND window)
{
    NOTIFYICONDATAW probe{};
    probe.cbSize = NOTIFYICONDATAW_V2_SIZE;
    probe.hWnd = window;
    probe.uID = HandleToULong(window);
    return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

HICON NewIcon()
{
    return CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
}

bool IsLiveIcon(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

// A text of the given length whose every position can be told apart.
std::wstring Letters(size_t length)
{
    std::wstring text;
    for (size_t i = 0; i < length; ++i)
        text += static_cast<wchar_t>(L'a' + i % 26);
    return text;
}

// A record of an icon of a plain hidden window, outside the tray icon under test.
NOTIFYICONDATAW OutsideIcon(HWND window)
{
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V2_SIZE;
    record.hWnd = window;
    record.uFlags = NIF_ICON;
    record.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    return record;
}

class TrayIconTest : public ::testing::Test {
protected:
    // Wine's shell shows a tray window of its own while it holds any icon, and without a
    // window manager hiding it again takes two seconds. An icon outside the tests keeps
    // that window up for the whole suite.
    static void SetUpTestSuite()
    {
        keeper_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        NOTIFYICONDATAW record = OutsideIcon(keeper_);
        ::Shell_NotifyIconW(NIM_ADD, &record);
    }
    static void TearDownTestSuite()
    {
        NOTIFYICONDATAW record = OutsideIcon(keeper_);
        ::Shell_NotifyIconW(NIM_DELETE, &record);
        DestroyWindow(keeper_);
    }

    void SetUp() override
    {
        shellCalls.clear();
        ShellNotifyIcon = &RecordShellCall;
    }
    void TearDown() override
    {
        for (TTrayIcon* tray : trays_) {
            if (tray->HasWindow())
                DestroyWindow(tray->WindowHandle());
            delete tray;
        }
        ShellNotifyIcon = &::Shell_NotifyIconW;
    }

    // A tray icon with its window, as the main window sets it up.
    TTrayIcon* MakeTray()
    {
        auto* tray = new TTrayIcon(nullptr);
        trays_.push_back(tray);
        tray->SetIcon(NewIcon());
        tray->Handle();
        return tray;
    }

    const TShellCall& LastCall() const { return shellCalls.back(); }

    std::vector<TTrayIcon*> trays_;
    static HWND keeper_;
};

HWND TrayIconTest::keeper_ = nullptr;

TEST_F(TrayIconTest, IsAddedChangedHiddenShownAndDeletedWithItsWindow)
{
    TTrayIcon* tray = MakeTray();
    HWND window = tray->WindowHandle();
    tray->SetHintText(L"Tavilo");
    EXPECT_TRUE(shellCalls.empty()) << "a hidden icon changes nothing in the shell";

    tray->SetVisibleTray(true);
    ASSERT_EQ(shellCalls.size(), 1u);
    EXPECT_EQ(LastCall().code, static_cast<DWORD>(NIM_ADD));
    EXPECT_TRUE(LastCall().succeeded);
    EXPECT_TRUE(ShellHasIcon(window));

    tray->SetHintText(L"Tavilo haberleri");
    ASSERT_EQ(shellCalls.size(), 2u);
    EXPECT_EQ(LastCall().code, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_TRUE(LastCall().succeeded);
    EXPECT_STREQ(LastCall().data.szTip, L"Tavilo haberleri");

    tray->SetVisibleTray(true);
    EXPECT_EQ(shellCalls.size(), 2u) << "already in the notification area";
    tray->SetVisibleTray(false);
    EXPECT_EQ(LastCall().code, static_cast<DWORD>(NIM_DELETE));
    EXPECT_TRUE(LastCall().succeeded);
    EXPECT_FALSE(ShellHasIcon(window));
    tray->SetVisibleTray(false);
    EXPECT_EQ(shellCalls.size(), 3u);

    tray->SetVisibleTray(true);
    EXPECT_TRUE(ShellHasIcon(window));
    HICON icon = tray->Icon();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(LastCall().code, static_cast<DWORD>(NIM_DELETE));
    EXPECT_TRUE(LastCall().succeeded);
    EXPECT_FALSE(ShellHasIcon(window));
    EXPECT_EQ(tray->Icon(), nullptr);
    EXPECT_FALSE(IsLiveIcon(icon));
}

TEST_F(TrayIconTest, TheRecordCarriesTheWindowTheCallbackAndTheIcon)
{
    TTrayIcon* tray = MakeTray();
    tray->SetHintText(L"Tavilo");
    tray->SetVisibleTray(true);
    const NOTIFYICONDATAW& record = LastCall().data;
    EXPECT_EQ(record.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V2_SIZE)) << "the Windows 2000/XP layout";
    EXPECT_EQ(record.hWnd, tray->WindowHandle());
    EXPECT_EQ(record.uID, HandleToULong(tray->WindowHandle()));
    EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(record.uCallbackMessage, 0x9334u);
    EXPECT_EQ(record.hIcon, tray->Icon());
    EXPECT_EQ(record.uTimeout, 3000u);
    EXPECT_STREQ(record.szTip, L"Tavilo");

    tray->SetHintText(L"");
    EXPECT_EQ(LastCall().data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON)) << "no tip without a text";

    HICON second = NewIcon();
    HICON first = tray->Icon();
    tray->SetIcon(second);
    EXPECT_EQ(LastCall().data.hIcon, second);
    EXPECT_FALSE(IsLiveIcon(first)) << "the replaced icon is destroyed";
    size_t calls = shellCalls.size();
    tray->SetIcon(second);
    EXPECT_EQ(shellCalls.size(), calls);
    EXPECT_TRUE(IsLiveIcon(second)) << "the icon already held is kept";
}

// Long texts are cut to their fields, terminator included, and nothing beyond a field
// is touched.
TEST_F(TrayIconTest, TextsAreCutToTheirFields)
{
    TTrayIcon* tray = MakeTray();
    tray->SetVisibleTray(true);
    tray->SetHintText(Letters(300));
    tray->SetBalloonHint(Letters(300));
    tray->SetBalloonTitle(Letters(100));
    const NOTIFYICONDATAW& record = LastCall().data;
    EXPECT_EQ(std::wstring(record.szTip), Letters(127));
    EXPECT_EQ(std::wstring(record.szInfo), Letters(255));
    EXPECT_EQ(std::wstring(record.szInfoTitle), Letters(63));
    EXPECT_EQ(record.dwState, 0u);
    EXPECT_EQ(record.dwStateMask, 0u);
    EXPECT_EQ(record.uTimeout, 3000u);
    EXPECT_EQ(record.dwInfoFlags, 0u);
    EXPECT_EQ(tray->HintText(), Letters(300)) << "the property keeps the whole text";
}

// Texts are compared in the system code page: characters it lacks all read alike.
TEST_F(TrayIconTest, OnlyATextThatDiffersInTheCodePageIsAChange)
{
    TTrayIcon* tray = MakeTray();
    tray->SetVisibleTray(true);
    tray->SetHintText(L"\x4E2D");
    size_t calls = shellCalls.size();
    tray->SetHintText(L"\x4E2D");
    tray->SetHintText(L"\x6587");
    EXPECT_EQ(shellCalls.size(), calls);
    EXPECT_EQ(tray->HintText(), L"\x4E2D");
    tray->SetHintText(L"Haber");
    EXPECT_EQ(shellCalls.size(), calls + 1);
}

TEST_F(TrayIconTest, TheBalloonFlagLastsUntilTheShellReportsTheBalloon)
{
    TTrayIcon* tray = MakeTray();
    tray->SetBalloonTitle(L"Tavilo");
    EXPECT_EQ(LastCall().code, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_FALSE(LastCall().succeeded) << "a hidden icon has no balloon";

    tray->SetVisibleTray(true);
    tray->SetBalloonHint(L"Yeni haberler var");
    tray->SetBalloonFlags(bfWarning);
    tray->SetBalloonTimeout(5000);
    EXPECT_TRUE(tray->ShowBalloon());
    const NOTIFYICONDATAW& shown = LastCall().data;
    EXPECT_TRUE(shown.uFlags & NIF_INFO);
    EXPECT_EQ(shown.dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
    EXPECT_EQ(shown.uTimeout, 5000u);
    EXPECT_STREQ(shown.szInfo, L"Yeni haberler var");
    EXPECT_STREQ(shown.szInfoTitle, L"Tavilo");

    std::vector<uint32_t> actions;
    tray->OnBalloonAction.Bind([&](core::TObject*, uint32_t action) { actions.push_back(action); });
    SendMessageW(tray->WindowHandle(), MSG_TRAY_CALLBACK, 0, NIN_BALLOONTIMEOUT);
    EXPECT_EQ(actions, std::vector<uint32_t>{NIN_BALLOONTIMEOUT});
    tray->SetHintText(L"Tavilo");
    EXPECT_FALSE(LastCall().data.uFlags & NIF_INFO);
}

// A record of the events a tray icon raised, as text.
struct TTrayLog {
    std::vector<std::string> events;

    void Attach(TTrayIcon& tray)
    {
        auto mouse = [this](const char* name) {
            return [this, name](core::TObject*, uint32_t keys, int, int) {
                events.push_back(std::string(name) + " " + std::to_string(keys));
            };
        };
        tray.OnMouseMove.Bind(mouse("move"));
        tray.OnMouseDown.Bind(mouse("down"));
        tray.OnMouseUp.Bind(mouse("up"));
        tray.OnClick.Bind([this](core::TObject*) { events.push_back("click"); });
        tray.OnDblClick.Bind([this](core::TObject*) { events.push_back("dblclick"); });
        tray.OnBalloonAction.Bind(
            [this](core::TObject*, uint32_t action) { events.push_back("balloon " + std::to_string(action)); });
    }
};

// Holds keys down in this thread's keyboard state while it lives.
class THeldKeys {
public:
    explicit THeldKeys(std::initializer_list<int> keys)
    {
        GetKeyboardState(saved_);
        BYTE state[256];
        std::memcpy(state, saved_, sizeof(state));
        for (int key : keys)
            state[key] |= 0x80;
        SetKeyboardState(state);
    }
    ~THeldKeys() { SetKeyboardState(saved_); }
    THeldKeys(const THeldKeys&) = delete;
    THeldKeys& operator=(const THeldKeys&) = delete;

private:
    BYTE saved_[256];
};

TEST_F(TrayIconTest, CallbackMessagesBecomeEventsInOrder)
{
    struct Case {
        const char* what;
        std::vector<UINT> reports;
        std::initializer_list<int> held;
        std::vector<std::string> events;
    } cases[] = {
        {"left click", {WM_LBUTTONDOWN, WM_LBUTTONUP}, {}, {"down 1", "click", "up 1"}},
        {"double click",
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
         {},
         {"down 1", "click", "up 1", "dblclick", "up 1"}},
        {"release without press", {WM_LBUTTONUP}, {}, {"up 1"}},
        {"right click with shift", {WM_RBUTTONDOWN, WM_RBUTTONUP}, {VK_SHIFT}, {"down 6", "up 6"}},
        {"middle click with control", {WM_MBUTTONDOWN, WM_MBUTTONUP}, {VK_CONTROL}, {"down 24", "up 24"}},
        {"other double clicks", {WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK}, {}, {"dblclick", "dblclick"}},
        {"move", {WM_MOUSEMOVE}, {VK_SHIFT, VK_CONTROL}, {"move 12"}},
        {"balloon reports",
         {NIN_BALLOONSHOW, NIN_BALLOONHIDE, NIN_BALLOONUSERCLICK},
         {},
         {"balloon 1026", "balloon 1027", "balloon 1029"}},
        {"anything else", {WM_CONTEXTMENU, NIN_SELECT, WM_MOUSEWHEEL}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TTrayIcon* tray = MakeTray();
        TTrayLog log;
        log.Attach(*tray);
        THeldKeys held(c.held);
        for (UINT report : c.reports)
            SendMessageW(tray->WindowHandle(), MSG_TRAY_CALLBACK, 0, report);
        EXPECT_EQ(log.events, c.events);
        EXPECT_FALSE(tray->LeftPressed());
    }
}

// Positions are the pointer's on the screen when the callback is handled. The pointer is
// shared with tests that move it, so the check holds only when it stood still.
TEST_F(TrayIconTest, MouseEventsCarryThePointerPosition)
{
    TTrayIcon* tray = MakeTray();
    POINT seen{-1, -1};
    tray->OnMouseDown.Bind([&](core::TObject*, uint32_t, int x, int y) { seen = {x, y}; });
    POINT before{}, after{};
    GetCursorPos(&before);
    SendMessageW(tray->WindowHandle(), MSG_TRAY_CALLBACK, 0, WM_RBUTTONDOWN);
    GetCursorPos(&after);
    if (before.x == after.x && before.y == after.y) {
        EXPECT_EQ(seen.x, before.x);
        EXPECT_EQ(seen.y, before.y);
    }
}

TEST_F(TrayIconTest, AClickNeedsOnClickToBeDelivered)
{
    TTrayIcon* tray = MakeTray();
    SendMessageW(tray->WindowHandle(), MSG_TRAY_CALLBACK, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(tray->LeftPressed());
    SendMessageW(tray->WindowHandle(), MSG_TRAY_CALLBACK, 0, WM_LBUTTONUP);
    EXPECT_TRUE(tray->LeftPressed()) << "no click was reported";
    int clicks = 0;
    tray->OnClick.Bind([&](core::TObject*) { ++clicks; });
    SendMessageW(tray->WindowHandle(), MSG_TRAY_CALLBACK, 0, WM_LBUTTONUP);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(tray->LeftPressed());
}

// When the shell re-creates the notification area it holds no icons; a visible icon
// adds itself again.
TEST_F(TrayIconTest, ARestartedShellGetsTheVisibleIconBack)
{
    TTrayIcon* visible = MakeTray();
    visible->SetVisibleTray(true);
    TTrayIcon* hidden = MakeTray();
    hidden->SetVisibleTray(true);
    hidden->SetVisibleTray(false);
    shellCalls.clear();

    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_TRUE(PumpUntil([] { return !shellCalls.empty(); }, 5s));
    toolkit_testing::PumpMessages(100ms);
    ASSERT_EQ(shellCalls.size(), 1u) << "the hidden icon stays hidden";
    EXPECT_EQ(LastCall().code, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(LastCall().data.hWnd, visible->WindowHandle());
}

TEST_F(TrayIconTest, EndingTheSessionRemovesTheIcon)
{
    TTrayIcon* tray = MakeTray();
    tray->SetVisibleTray(true);
    HWND window = tray->WindowHandle();
    EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), 1);
    SendMessageW(window, WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(ShellHasIcon(window)) << "the session goes on";
    SendMessageW(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(LastCall().code, static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(ShellHasIcon(window));
}

// An icon made visible before its window exists is sent again once the window does.
TEST_F(TrayIconTest, CreatingTheWindowSendsTheRecordOfAVisibleIconAgain)
{
    auto* tray = new TTrayIcon(nullptr);
    trays_.push_back(tray);
    tray->SetVisibleTray(true);
    ASSERT_EQ(shellCalls.size(), 1u);
    EXPECT_EQ(LastCall().data.hWnd, nullptr);
    HWND window = tray->Handle();
    ASSERT_EQ(shellCalls.size(), 2u);
    EXPECT_EQ(LastCall().code, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(LastCall().data.hWnd, window);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_POPUP, WS_POPUP);
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(IsWindowVisible(window));

    // The shell took the early record for an icon of its own.
    NOTIFYICONDATAW early = shellCalls.front().data;
    ::Shell_NotifyIconW(NIM_DELETE, &early);
}

} // namespace
