// The layered top-level window at the message level: its create parameters, the
// top-level messages it turns into events, and its style properties. Its windows stay
// hidden, so nothing here depends on the screen.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/toolkit/PaintedTestSupport.h"
#include "tests/toolkit/ToolkitTestSupport.h"

using namespace std::chrono_literals;
using namespace toolkit;
using namespace toolkit_testing;
using graphics_test::PixelAt;

namespace {

constexpr RECT HiddenBounds{60, 60, 160, 140};

// A window that notes its events by name, in order.
class TLoggingWindow : public TPaintedWindow {
public:
    TLoggingWindow() : TPaintedWindow(nullptr)
    {
        auto note = [this](const char* name) { return [this, name](core::TObject*) { log.push_back(name); }; };
        OnCreate.Bind([this](core::TObject*) {
            log.push_back("create");
            handleAtCreate = WindowHandle();
        });
        OnDestroy.Bind(note("destroy"));
        OnShow.Bind(note("show"));
        OnHide.Bind(note("hide"));
        OnResize.Bind(note("resize"));
        OnDeactivate.Bind(note("deactivate"));
        OnTimer.Bind([this](core::TObject*, uint32_t id) { timers.push_back(id); });
        OnActivate.Bind(
            [this](core::TObject*, uint16_t activation, HWND other) { activations.emplace_back(activation, other); });
    }

    std::vector<std::string> log;
    HWND handleAtCreate = nullptr;
    std::vector<uint32_t> timers;
    std::vector<std::pair<uint16_t, HWND>> activations;

    TBox* builtChild = nullptr;

protected:
    // The main window builds its widgets here, while its own creation is still running.
    void AfterCreate() override
    {
        log.push_back("after create");
        builtChild = MakeBox(this, RECT{0, 0, 10, 10}, 0);
    }
};

// Destroys the window first, then frees the object, as the program does.
struct TWindowGuard {
    TWindowEx* window;
    ~TWindowGuard() { DestroyPainted(window); }
};

} // namespace

TEST(WindowEx, StartsAs320By240WithLayeredToolWindowStyles)
{
    TWindowEx window(nullptr);
    EXPECT_EQ(window.Width(), 320);
    EXPECT_EQ(window.Height(), 240);
    EXPECT_FALSE(window.Cached());
    EXPECT_EQ(window.Opacity(), 255);
    EXPECT_EQ(window.ClassNameW(), L"TWindowEx");

    window.EnsureWindow();
    EXPECT_EQ(window.Style() & ~WS_VISIBLE, static_cast<DWORD>(WS_POPUP | WS_CLIPSIBLINGS));
    EXPECT_EQ(window.ExStyle(), static_cast<DWORD>(WS_EX_LAYERED | WS_EX_TOOLWINDOW));
    EXPECT_EQ(GetParent(window.WindowHandle()), nullptr);
    EXPECT_EQ(window.Canvas().Width(), 320);
    EXPECT_EQ(window.Canvas().Height(), 240);
    EXPECT_FALSE(IsWindowVisible(window.WindowHandle()));
    DestroyWindow(window.WindowHandle());
}

TEST(WindowEx, StylesSetBeforeCreation)
{
    struct Case {
        const char* what;
        bool alwaysTop;
        bool transparent;
        bool enabled;
        DWORD exStyle;
        DWORD style;
    } cases[] = {
        {"always on top", true, false, true, WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
         WS_POPUP | WS_CLIPSIBLINGS},
        {"transparent is not carried", false, true, true, WS_EX_LAYERED | WS_EX_TOOLWINDOW, WS_POPUP | WS_CLIPSIBLINGS},
        {"disabled", false, false, false, WS_EX_LAYERED | WS_EX_TOOLWINDOW, WS_POPUP | WS_CLIPSIBLINGS | WS_DISABLED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TWindowGuard guard{new TWindowEx(nullptr)};
        guard.window->SetAlwaysTop(c.alwaysTop);
        guard.window->SetTransparent(c.transparent);
        guard.window->SetEnabled(c.enabled);
        guard.window->EnsureWindow();
        EXPECT_EQ(guard.window->ExStyle(), c.exStyle);
        EXPECT_EQ(guard.window->Style(), c.style);
        EXPECT_EQ(guard.window->Transparent(), c.transparent);
    }
}

TEST(WindowEx, TransparentOnALiveWindowTogglesTheStyle)
{
    TWindowGuard guard{MakePaintedWindow(HiddenBounds, 0)};
    TWindowEx* window = guard.window;
    window->SetTransparent(true);
    EXPECT_TRUE(window->ExStyle() & WS_EX_TRANSPARENT);
    window->SetTransparent(false);
    EXPECT_FALSE(window->ExStyle() & WS_EX_TRANSPARENT);
    EXPECT_TRUE(window->ExStyle() & WS_EX_LAYERED);

    // The stored value decides, not the window's style: an equal value changes nothing.
    window->SetExStyle(window->ExStyle() | WS_EX_TRANSPARENT);
    window->SetTransparent(false);
    EXPECT_TRUE(window->ExStyle() & WS_EX_TRANSPARENT);
}

TEST(WindowEx, CreationRaisesOnCreateThenAfterCreateWithTheHandleKnown)
{
    auto* window = new TLoggingWindow;
    TWindowGuard guard{window};
    window->EnsureWindow();
    ASSERT_GE(window->log.size(), 2u);
    EXPECT_EQ(window->log[0], "create");
    EXPECT_EQ(window->log[1], "after create");
    EXPECT_EQ(window->handleAtCreate, window->WindowHandle());
    ASSERT_TRUE(window->builtChild->HasWindow());
    EXPECT_EQ(GetParent(window->builtChild->WindowHandle()), window->WindowHandle());

    window->log.clear();
    DestroyWindow(window->WindowHandle());
    EXPECT_EQ(window->log, std::vector<std::string>{"destroy"});
    EXPECT_FALSE(window->HasWindow());
}

namespace {

constexpr uint32_t OpaqueBlue = 0xFF0000FF;

// What the main window does while it is created: it moves itself, and its edge snapping
// (a window-position handler) puts it against the screen's left edge; it renders.
class TSelfMovingWindow : public TPaintedWindow {
public:
    TSelfMovingWindow() : TPaintedWindow(nullptr, OpaqueBlue)
    {
        SetLeft(HiddenBounds.left);
        SetTop(HiddenBounds.top);
        OnWindowPosChanging.Bind([](core::TObject*, WINDOWPOS& position) {
            if (!(position.flags & SWP_NOMOVE) && position.x < SnapDistance)
                position.x = 0;
        });
    }

    static constexpr int SnapDistance = 20;
    SIZE canvasAtAfterCreate{};
    int drawsInAfterCreate = 0;

protected:
    void AfterCreate() override
    {
        canvasAtAfterCreate = {Canvas().Width(), Canvas().Height()};
        SetLeft(SnapDistance - 7);
        RequestRender();
        drawsInAfterCreate = draws;
    }
};

// An after-create hook that fails half-way, as a missing skin makes the main window's.
class TFailingWindow : public TPaintedWindow {
public:
    TFailingWindow() : TPaintedWindow(nullptr) {}

protected:
    void AfterCreate() override
    {
        MakeBox(this, RECT{0, 0, 10, 10}, 0);
        throw std::runtime_error("skin missing");
    }
};

} // namespace

TEST(WindowEx, AMoveAndARenderFromAfterCreateReachTheWindow)
{
    auto* window = new TSelfMovingWindow;
    TWindowGuard guard{window};
    window->EnsureWindow();
    EXPECT_EQ(window->canvasAtAfterCreate.cx, window->Width());
    EXPECT_EQ(window->canvasAtAfterCreate.cy, window->Height());

    EXPECT_EQ(window->Left(), 0) << "the position handler snapped the move";
    RECT placed{};
    GetWindowRect(window->WindowHandle(), &placed);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, HiddenBounds.top);

    EXPECT_EQ(window->drawsInAfterCreate, 1);
    const graphics::TBitmapEx& picture = window->Canvas().Bitmap();
    EXPECT_EQ(PixelAt(picture, 0, 0), OpaqueBlue);
    EXPECT_EQ(PixelAt(picture, window->Width() - 1, window->Height() - 1), OpaqueBlue);
}

// The error leaves EnsureWindow after CreateWindowExW returned; the half-built window and
// the child made before the error are gone, and later windows are made as usual.
TEST(WindowEx, AnErrorInAfterCreateFailsTheCreationAndReachesTheCaller)
{
    int windowsBefore = ThreadWindowCount();
    auto* window = new TFailingWindow;
    TWindowGuard guard{window};
    EXPECT_THROW(
        {
            try {
                window->EnsureWindow();
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "skin missing");
                throw;
            }
        },
        std::runtime_error);
    EXPECT_EQ(window->WindowHandle(), nullptr);
    EXPECT_EQ(ThreadWindowCount(), windowsBefore);

    TWindowGuard next{MakePaintedWindow(HiddenBounds, 0)};
    EXPECT_TRUE(next.window->HasWindow());
}

TEST(WindowEx, TopLevelMessagesBecomeEvents)
{
    auto* window = new TLoggingWindow;
    TWindowGuard guard{window};
    HWND handle = window->Handle();
    HWND other = reinterpret_cast<HWND>(static_cast<intptr_t>(0x1234));

    EXPECT_EQ(SendMessageW(handle, WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), reinterpret_cast<LPARAM>(other)), 0);
    // Reported once: no default processing acts on it (that would report a second one).
    ASSERT_EQ(window->activations.size(), 1u);
    EXPECT_EQ(window->activations[0].first, WA_CLICKACTIVE) << "only the low half of wParam";
    EXPECT_EQ(window->activations[0].second, other);

    SendMessageW(handle, WM_TIMER, 42, 0);
    ASSERT_TRUE(SetTimer(handle, 7, 10, nullptr));
    ASSERT_TRUE(PumpUntil([&] { return window->timers.size() >= 2; }, 2s));
    KillTimer(handle, 7);
    EXPECT_EQ(window->timers[0], 42u);
    EXPECT_EQ(window->timers[1], 7u);

    window->log.clear();
    window->Resize(200, 100);
    EXPECT_EQ(window->log, std::vector<std::string>{"resize"});
    EXPECT_EQ(window->Canvas().Width(), 200);
    EXPECT_EQ(window->Canvas().Height(), 100);

    window->log.clear();
    SendMessageW(handle, WM_SHOWWINDOW, TRUE, 0);
    EXPECT_TRUE(window->Visible());
    SendMessageW(handle, WM_SHOWWINDOW, FALSE, 0);
    EXPECT_FALSE(window->Visible());
    EXPECT_EQ(window->log, (std::vector<std::string>{"show", "hide"})) << "OnDeactivate is never raised";
}

TEST(WindowEx, MouseActivationAnswersActivateUnlessTheCallbackDecides)
{
    TWindowGuard guard{MakePaintedWindow(HiddenBounds, 0)};
    HWND handle = guard.window->Handle();
    const LPARAM hitAndButton = MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN);
    EXPECT_EQ(SendMessageW(handle, WM_MOUSEACTIVATE, 0, hitAndButton), MA_ACTIVATE);

    uint16_t hitTest = 0, button = 0;
    LRESULT preset = 0;
    guard.window->OnMouseActivate.Bind([&](core::TObject*, uint16_t hit, uint16_t mouseButton, LRESULT& result) {
        hitTest = hit;
        button = mouseButton;
        preset = result;
        result = MA_NOACTIVATE;
    });
    EXPECT_EQ(SendMessageW(handle, WM_MOUSEACTIVATE, 0, hitAndButton), MA_NOACTIVATE);
    EXPECT_EQ(hitTest, HTCLIENT);
    EXPECT_EQ(button, WM_LBUTTONDOWN);
    EXPECT_EQ(preset, MA_ACTIVATE);
}

TEST(WindowEx, WithoutACloseCallbackClosingDestroys)
{
    auto* window = new TLoggingWindow;
    TWindowGuard guard{window};
    window->EnsureWindow();
    HWND childWindow = window->builtChild->WindowHandle();
    EXPECT_EQ(SendMessageW(window->Handle(), WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(window->HasWindow());
    EXPECT_FALSE(IsWindow(childWindow));
    EXPECT_EQ(window->log.back(), "destroy");
    EXPECT_EQ(window->builtChild->Width(), 10) << "the objects stay alive";
}
