#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Win32.h"

#include <commctrl.h>

#include "core/Exceptions.h"
#include "core/Format.h"
#include "tests/support/ResourceUsage.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/WindowProcedure.h"

using namespace std::chrono_literals;
using namespace toolkit;
using toolkit_testing::MakeChild;
using toolkit_testing::PumpMessages;
using toolkit_testing::THost;
using toolkit_testing::THostWindow;
using toolkit_testing::ThreadWindowCount;
using toolkit_testing::TProbeControl;

namespace {

class ControlTest : public ::testing::Test {
protected:
    THost host_;
};

// Notes its destruction.
class TCountedControl : public TProbeControl {
public:
    TCountedControl(core::TComponent* owner, int& freed) : TProbeControl(owner), freed_(freed) {}
    ~TCountedControl() override { ++freed_; }

private:
    int& freed_;
};

// The control's pointer events as text, in order.
struct TEventLog {
    std::vector<std::string> entries;

    void Add(const char* name, std::initializer_list<long long> values)
    {
        std::string entry = name;
        for (long long value : values) {
            entry += ' ';
            entry += std::to_string(value);
        }
        entries.push_back(entry);
    }

    void Attach(TControl& control)
    {
        auto mouse = [this](const char* name) {
            return [this, name](core::TObject*, uint32_t keys, int x, int y) { Add(name, {keys, x, y}); };
        };
        control.OnMouseMove.Bind(mouse("move"));
        control.OnMouseEnter.Bind(mouse("enter"));
        control.OnMouseHover.Bind(mouse("hover"));
        control.OnMouseLeave.Bind(mouse("leave"));
        control.OnMouseDown.Bind(mouse("down"));
        control.OnMouseUp.Bind(mouse("up"));
        control.OnClick.Bind(mouse("click"));
        control.OnDblClick.Bind(mouse("dblclick"));
        control.OnDrag.Bind(mouse("drag"));
        control.OnMouseWheel.Bind([this](core::TObject*, uint32_t keys, int delta, int x, int y) {
            Add("wheel", {keys, delta, x, y});
        });
        control.OnContextMenu.Bind([this](core::TObject*, int x, int y) { Add("menu", {x, y}); });
    }
};

LPARAM Point(int x, int y)
{
    return static_cast<LPARAM>(static_cast<uint16_t>(x) | (static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16));
}

} // namespace

TEST_F(ControlTest, NewControlDefaults)
{
    TProbeControl control(nullptr);
    EXPECT_EQ(control.WindowHandle(), nullptr);
    EXPECT_EQ(control.Width(), 1);
    EXPECT_EQ(control.Height(), 1);
    EXPECT_EQ(control.Left(), 0);
    EXPECT_TRUE(control.Enabled());
    EXPECT_FALSE(control.Visible());
    EXPECT_TRUE(control.Redraw());
    EXPECT_FALSE(control.Cached());
    EXPECT_EQ(control.Cursor(), 0);
    EXPECT_EQ(control.CursorHandle(), nullptr);
    EXPECT_EQ(control.ClassNameW(), L"TProbeControl");
    EXPECT_FALSE(control.TextBuffer());
}

TEST_F(ControlTest, PointerMessagesBecomeEvents)
{
    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };
    struct Case {
        const char* what;
        std::vector<Message> messages;
        std::vector<std::string> expected;
    } cases[] = {
        {"first plain move enters, the second only moves",
         {{WM_MOUSEMOVE, 0, Point(5, -3)}, {WM_MOUSEMOVE, MK_SHIFT, Point(6, 4)}},
         {"move 0 5 -3", "move 4 6 4", "enter 0 0 0"}},
        {"left button alone drags", {{WM_MOUSEMOVE, MK_LBUTTON, Point(7, 8)}}, {"drag 1 7 8"}},
        {"left button with shift moves",
         {{WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, Point(7, 8)}},
         {"move 5 7 8", "enter 0 0 0"}},
        {"hover and leave", {{WM_MOUSEHOVER, 0, Point(3, 2)}, {WM_MOUSELEAVE, 0, 0}}, {"hover 0 3 2", "leave 0 0 0"}},
        {"shift-left press gives no click",
         {{WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, Point(1, 1)}, {WM_LBUTTONUP, MK_SHIFT, Point(1, 1)}},
         {"down 5 1 1", "up 5 1 1"}},
        {"left then right press gives no click",
         {{WM_LBUTTONDOWN, MK_LBUTTON, Point(1, 1)},
          {WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, Point(1, 1)},
          {WM_RBUTTONUP, MK_LBUTTON, Point(1, 1)},
          {WM_LBUTTONUP, 0, Point(1, 1)}},
         // The system answers the right button's release with a context menu at the
         // screen point (host at 40, child at 10 in it).
         {"down 1 1 1", "down 3 1 1", "up 3 1 1", "menu 51 51", "up 1 1 1"}},
        {"middle release", {{WM_MBUTTONUP, 0, Point(2, 2)}}, {"up 16 2 2"}},
        {"double clicks",
         {{WM_LBUTTONDBLCLK, MK_LBUTTON, Point(4, 4)}, {WM_RBUTTONDBLCLK, MK_RBUTTON, Point(4, 4)}},
         {"dblclick 1 4 4", "dblclick 2 4 4"}},
        {"wheel",
         {{WM_MOUSEWHEEL, static_cast<WPARAM>(MAKEWPARAM(MK_CONTROL, -120)), Point(300, -2)}},
         {"wheel 8 -120 300 -2"}},
        {"context menu at a screen point", {{WM_CONTEXTMENU, 0, Point(-20, 900)}}, {"menu -20 900"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TProbeControl* control = MakeChild(host_.get(), RECT{10, 10, 60, 40});
        TEventLog log;
        log.Attach(*control);
        for (const auto& m : c.messages)
            SendMessageW(control->Handle(), m.msg, m.wParam, m.lParam);
        PumpMessages(30ms); // the posted pointer-entered message
        EXPECT_EQ(log.entries, c.expected);
    }
}

TEST_F(ControlTest, MouseInsideFollowsEntryAndLeave)
{
    TProbeControl* control = MakeChild(host_.get(), RECT{10, 10, 60, 40});
    EXPECT_FALSE(control->MouseInside());
    SendMessageW(control->Handle(), WM_MOUSEMOVE, MK_LBUTTON, Point(1, 1));
    EXPECT_FALSE(control->MouseInside()) << "a drag does not start tracking";
    SendMessageW(control->Handle(), WM_MOUSEMOVE, 0, Point(1, 1));
    EXPECT_TRUE(control->MouseInside());
    SendMessageW(control->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(control->MouseInside());
}

TEST_F(ControlTest, CursorChoiceAnswersSetCursorOverTheClientArea)
{
    struct Case {
        int set;
        int expectedCursor;
        LPCWSTR expectedId;
        WORD hitTest;
        LRESULT expectedAnswer;
    } cases[] = {
        {13, 13, IDC_HAND, HTCLIENT, 1},  {16, 0, nullptr, HTCLIENT, 0},  {-1, 0, nullptr, HTCLIENT, 0},
        {13, 13, IDC_HAND, HTCAPTION, 0}, {1, 1, IDC_IBEAM, HTCLIENT, 1}, {15, 15, IDC_HELP, HTCLIENT, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        TProbeControl* control = MakeChild(host_.get(), RECT{10, 10, 60, 40});
        control->SetCursor(c.set);
        EXPECT_EQ(control->Cursor(), c.expectedCursor);
        HCURSOR expected = c.expectedId ? LoadCursorW(nullptr, c.expectedId) : nullptr;
        EXPECT_EQ(control->CursorHandle(), expected);
        HWND window = control->Handle();
        LRESULT answer = SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(c.hitTest, 0));
        EXPECT_EQ(answer, c.expectedAnswer);
        if (c.expectedAnswer == 1) {
            EXPECT_EQ(GetCursor(), expected);
        }
    }
}

TEST_F(ControlTest, GeometrySettersAndSizeMessages)
{
    TProbeControl* control = MakeChild(host_.get(), RECT{10, 10, 60, 40});
    HWND window = control->Handle();
    int positionChanges = 0;
    control->OnWindowPosChanging.Bind([&](core::TObject*, WINDOWPOS&) { ++positionChanges; });
    std::vector<int> sizes;
    control->OnSize.Bind([&](core::TObject*, uint32_t, int w, int h) { sizes.insert(sizes.end(), {w, h}); });

    control->SetWidth(control->Width());
    control->Resize(50, 30);
    EXPECT_EQ(positionChanges, 0) << "an unchanged size makes no window call";

    control->Reposition(12, 14, 80, 25);
    EXPECT_EQ(positionChanges, 1);
    EXPECT_EQ(sizes, (std::vector<int>{80, 25}));
    EXPECT_EQ(control->ClientWidth(), 80);
    EXPECT_EQ(control->ClientHeight(), 25);

    // A callback may change the proposed position in place.
    control->OnWindowPosChanging.Bind([](core::TObject*, WINDOWPOS& position) { position.cx = 99; });
    control->SetWidth(60);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 99);
    EXPECT_EQ(control->Width(), 99) << "WM_SIZE reports the real size";

    SendMessageW(window, WM_MOVE, 0, Point(-4, 21));
    EXPECT_EQ(control->Left(), -4);
    EXPECT_EQ(control->Top(), 21);
}

TEST_F(ControlTest, StateBeforeTheWindowFeedsItsCreation)
{
    TProbeControl* hidden = MakeChild(host_.get(), RECT{10, 10, 60, 40});
    hidden->SetEnabled(false);
    hidden->SetVisible(false);
    ASSERT_TRUE(hidden->HasWindow()) << "setting Visible creates the window";
    EXPECT_FALSE(IsWindowVisible(hidden->WindowHandle()));
    EXPECT_FALSE(IsWindowEnabled(hidden->WindowHandle()));
    hidden->SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(hidden->WindowHandle()));

    TProbeControl* shown = MakeChild(host_.get(), RECT{10, 10, 60, 40});
    shown->SetVisible(true);
    EXPECT_TRUE(GetWindowLongW(shown->WindowHandle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(shown->Style() & WS_CHILD, static_cast<DWORD>(WS_CHILD));

    RECT bounds{};
    GetWindowRect(shown->WindowHandle(), &bounds);
    MapWindowPoints(nullptr, host_->WindowHandle(), reinterpret_cast<POINT*>(&bounds), 2);
    EXPECT_EQ(bounds.left, 10);
    EXPECT_EQ(bounds.bottom, 40);
}

TEST_F(ControlTest, ChildWindowsAreMadeParentFirstAndStackedNewestOnTop)
{
    TProbeControl* container = MakeChild(host_.get(), RECT{0, 0, 150, 100});
    std::vector<TProbeControl*> children;
    for (int i = 0; i < 3; ++i)
        children.push_back(MakeChild(container, RECT{i * 10, 0, i * 10 + 10, 10}));
    EXPECT_EQ(host_->WindowHandle(), nullptr);
    for (auto* child : children)
        child->Handle();
    EXPECT_TRUE(host_->HasWindow()) << "the child's handle made its ancestors";
    EXPECT_EQ(GetParent(container->WindowHandle()), host_->WindowHandle());
    EXPECT_EQ(container->ControlCount(), 3);
    EXPECT_EQ(GetWindow(container->WindowHandle(), GW_CHILD), children.back()->WindowHandle());
    EXPECT_EQ(children.front()->ControlCount(), 0);
}

TEST_F(ControlTest, CaptionLivesInTheBufferWithoutAWindowAndSurvivesItsDestruction)
{
    TProbeControl* control = MakeChild(host_.get(), RECT{10, 10, 60, 40});
    control->SetCaption(L"Gündem");
    EXPECT_EQ(control->Caption(), L"Gündem");
    EXPECT_EQ(control->WindowHandle(), nullptr);

    HWND window = control->Handle();
    wchar_t text[32] = {};
    GetWindowTextW(window, text, 32);
    EXPECT_STREQ(text, L"Gündem") << "the buffer became the window name";
    EXPECT_FALSE(control->TextBuffer()) << "the window holds the text now";

    SetWindowTextW(window, L"Şimdi");
    EXPECT_EQ(control->Caption(), L"Şimdi");
    control->SetCaption(L"Ekonomi");
    GetWindowTextW(window, text, 32);
    EXPECT_STREQ(text, L"Ekonomi");
    wchar_t shortBuffer[4] = {};
    EXPECT_EQ(control->ReadText(shortBuffer, 4), 3);
    EXPECT_STREQ(shortBuffer, L"Eko");

    control->ReleaseWindow();
    EXPECT_EQ(control->WindowHandle(), nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(control->Caption(), L"Ekonomi");
    GetWindowTextW(control->Handle(), text, 32);
    EXPECT_STREQ(text, L"Ekonomi") << "a window made again shows the kept caption";
}

TEST_F(ControlTest, ClassNameChangesOnlyWhileWindowless)
{
    TProbeControl* control = MakeChild(host_.get(), RECT{10, 10, 60, 40});
    control->SetClassNameW(L"taviloclass_test");
    control->Handle();
    control->SetClassNameW(L"ignored");
    EXPECT_EQ(control->ClassNameW(), L"taviloclass_test");
}

TEST_F(ControlTest, AStaleHandleIsKeptAndNeverReplaced)
{
    TProbeControl* control = MakeChild(host_.get(), RECT{10, 10, 60, 40});
    HWND window = control->Handle();
    ASSERT_TRUE(DestroyWindow(window));
    int windows = ThreadWindowCount();

    EXPECT_EQ(control->Handle(), window);
    EXPECT_FALSE(control->HasWindow());
    control->SetVisible(true);
    control->SetWidth(33);
    control->SetCaption(L"yok");
    EXPECT_EQ(control->Width(), 33);
    EXPECT_EQ(ThreadWindowCount(), windows) << "no new window was made";
    EXPECT_EQ(control->Style(), 0u);

    // Destroying it again is a failing system call, reported with the system's words.
    try {
        control->ReleaseWindow();
        FAIL() << "no error";
    } catch (const core::EOSError& error) {
        uint32_t code = error.ErrorCode();
        EXPECT_NE(code, 0u);
        EXPECT_EQ(error.Message(), core::Format(L"System Error.  Code: %d.\r\n%s", code, core::SysErrorMessage(code)));
    }
}

TEST_F(ControlTest, AdoptingAWindowTakesItsStateWithoutBindingIt)
{
    HWND hostWindow = host_->Handle();
    HWND foreign =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_DISABLED, 7, 9, 30, 20, hostWindow, nullptr, nullptr, nullptr);
    TProbeControl* control = new TProbeControl(host_.get());
    control->SetParentControl(host_.get());
    control->SetHandle(foreign);
    EXPECT_EQ(control->WindowHandle(), foreign);
    EXPECT_EQ(control->Left(), 7);
    EXPECT_EQ(control->Top(), 9);
    EXPECT_EQ(control->Width(), 30);
    EXPECT_FALSE(control->Enabled());
    EXPECT_EQ(ControlFromWindow(foreign), nullptr);
    control->SetHandle(hostWindow);
    EXPECT_EQ(control->WindowHandle(), foreign) << "a control with a live window adopts nothing";
}

TEST(ControlOwnership, FreeingAnOwnerFreesItsControlsButNoWindow)
{
    int freed = 0;
    auto* owner = new THostWindow(nullptr, toolkit_testing::HiddenHostBounds);
    auto* child = new TCountedControl(owner, freed);
    child->SetParentControl(owner);
    new TCountedControl(child, freed);
    HWND ownerWindow = owner->Handle();
    HWND window = child->Handle();
    delete owner;
    EXPECT_EQ(freed, 2);
    ASSERT_TRUE(IsWindow(ownerWindow)) << "freeing a control does not destroy its window";
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(ControlFromWindow(window), nullptr) << "the window no longer reaches the freed control";
    SetWindowTextW(window, L"sonra");
    EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 5);
    EXPECT_TRUE(DestroyWindow(ownerWindow));
    EXPECT_FALSE(IsWindow(window));
}

namespace {

constexpr UINT ProbeMessage = WM_USER + 5;

// A control whose own destructor sends a message to its window, which outlives it; it
// notes whether the window still led to it and whether the message reached it.
class TDestructionProbe : public TProbeControl {
public:
    using TProbeControl::TProbeControl;
    ~TDestructionProbe() override
    {
        boundInDestructor = ControlFromWindow(WindowHandle()) == this;
        handled.clear();
        SendMessageW(WindowHandle(), ProbeMessage, 0, 0);
        messageReachedObject = Handled(ProbeMessage);
    }

    static inline bool boundInDestructor = true;
    static inline bool messageReachedObject = true;
};

} // namespace

// Freed by its owner or by Free, a control is unbound before its derived destructor runs.
TEST(ControlOwnership, WindowIsUnboundBeforeTheDerivedDestructorRuns)
{
    const struct {
        const char* how;
        bool byOwner;
    } cases[] = {{"freed by its owner", true}, {"freed directly", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        auto* owner = new THostWindow(nullptr, toolkit_testing::HiddenHostBounds);
        auto* probe = new TDestructionProbe(owner);
        probe->SetParentControl(owner);
        HWND window = probe->Handle();
        TDestructionProbe::boundInDestructor = TDestructionProbe::messageReachedObject = true;
        if (c.byOwner)
            core::Free(owner);
        else
            core::Free(probe);
        EXPECT_FALSE(TDestructionProbe::boundInDestructor);
        EXPECT_FALSE(TDestructionProbe::messageReachedObject);
        EXPECT_TRUE(IsWindow(window));
        EXPECT_EQ(ControlFromWindow(window), nullptr);
        DestroyWindow(GetAncestor(window, GA_ROOT));
        if (!c.byOwner)
            core::Free(owner);
    }
}

namespace {

// One life of a window pair as the program lives it: objects made, windows made with a
// caption and a cursor, windows destroyed first, objects freed afterwards.
void WindowPairLife(int& freed)
{
    auto* top = new THostWindow(nullptr, toolkit_testing::HiddenHostBounds);
    auto* child = new TCountedControl(top, freed);
    child->SetParentControl(top);
    child->SetCaption(L"başlık");
    child->SetCursor(13);
    child->Handle();
    DestroyWindow(top->WindowHandle());
    delete top;
}

} // namespace

// Wine answers 0 for the USER object count, so the thread's windows are counted instead.
TEST(ControlOwnership, AThousandCreateAndDestroyCyclesLeakNothing)
{
    int freed = 0;
    for (int i = 0; i < 20; ++i)
        WindowPairLife(freed);
    testing_support::TResourceUsage before = testing_support::MeasureResourceUsage();
    DWORD userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    int windows = ThreadWindowCount();
    freed = 0;
    for (int i = 0; i < 1000; ++i)
        WindowPairLife(freed);
    testing_support::TResourceUsage after = testing_support::MeasureResourceUsage();

    EXPECT_EQ(freed, 1000);
    EXPECT_EQ(ThreadWindowCount(), windows);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userObjects);
    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
    // A caption buffer left behind in every life would add 14000 bytes.
    EXPECT_LT(static_cast<ptrdiff_t>(after.heapBytes - before.heapBytes), 4000)
        << before.heapBytes << " -> " << after.heapBytes;
    WNDCLASSW info{};
    EXPECT_FALSE(GetClassInfoW(GetModuleHandleW(nullptr), L"TCountedControl", &info))
        << "the last control of a class unregisters it";
}

TEST_F(ControlTest, HintsRegisterWithTheTooltipOnlyWhileTheWindowLives)
{
    HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                   host_->Handle(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(tooltip);
    TooltipWindow = tooltip;
    auto toolCount = [&] { return SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0); };

    TProbeControl* early = MakeChild(host_.get(), RECT{10, 10, 60, 40});
    early->SetShowHint(true);
    early->Handle();
    EXPECT_EQ(toolCount(), 0) << "turned on before the window existed";

    TProbeControl* control = MakeChild(host_.get(), RECT{10, 10, 60, 40});
    HWND window = control->Handle();
    control->SetShowHint(true);
    ASSERT_EQ(toolCount(), 1);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    ASSERT_TRUE(SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(tool.uId, reinterpret_cast<UINT_PTR>(window));
    EXPECT_EQ(tool.hwnd, tooltip);
    EXPECT_EQ(tool.uFlags & (TTF_IDISHWND | TTF_SUBCLASS), static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS));

    control->SetHint(L"Yenile");
    EXPECT_EQ(control->Hint(), L"Yenile");
    EXPECT_EQ(toolCount(), 1);
    control->SetShowHint(false);
    EXPECT_EQ(toolCount(), 0);

    TooltipWindow = nullptr;
    control->SetShowHint(true);
    EXPECT_TRUE(control->ShowHint());
    EXPECT_EQ(toolCount(), 0) << "nothing to register with";
    DestroyWindow(tooltip);
}
