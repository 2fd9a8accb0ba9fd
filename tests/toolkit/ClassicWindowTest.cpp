// The classic windows: their create parameters, how their GDI objects reach the native
// window, painting through the canvas, and the top-level window events.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/ResourceUsage.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/ToolTip.h"
#include "toolkit/Window.h"

using namespace toolkit;
using toolkit_testing::THost;
using toolkit_testing::ThreadWindowCount;

namespace {

// A classic control over the system's static class, which keeps the font it is given.
class TStaticControl : public TWinControl {
public:
    explicit TStaticControl(TControl* parent) : TWinControl(parent) { SetParentControl(parent); }

protected:
    void FillCreateParams(WindowParams& params) override
    {
        TWinControl::FillCreateParams(params);
        UseSystemClass(params, L"STATIC");
    }
};

HFONT WindowFont(HWND window)
{
    return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
}

bool NeedsPaint(HWND window)
{
    return GetUpdateRect(window, nullptr, FALSE) != FALSE;
}

TEST(WinControlTest, StartsWithAGreenBrushAndFullOpacity)
{
    TWinControl control(nullptr);
    EXPECT_EQ(control.Opacity(), 255);
    EXPECT_EQ(control.Color(), 0x008000);
    EXPECT_EQ(control.Brush().Color(), 0x008000);
    EXPECT_NE(control.Brush().Handle(), nullptr);
    EXPECT_EQ(control.Pen().Handle(), nullptr);
    EXPECT_EQ(control.Font().Size(), 8);
    control.SetColor(clWindow);
    EXPECT_EQ(control.Brush().Color(), static_cast<TColor>(GetSysColor(COLOR_WINDOW)));
}

TEST(WinControlTest, TheWindowReceivesTheFontAtCreationAndOnEveryChange)
{
    THost host;
    auto* control = new TStaticControl(host.get());
    HWND window = control->Handle();
    EXPECT_EQ(WindowFont(window), control->Font().Handle());

    control->Font().SetSize(14);
    EXPECT_EQ(WindowFont(window), control->Font().Handle());
    LOGFONTW info{};
    GetObjectW(WindowFont(window), sizeof(info), &info);
    EXPECT_EQ(info.lfHeight, -19);
}

TEST(WindowTest, IsAFramed320By240WindowOfTheButtonFaceColour)
{
    TWindow window(nullptr);
    EXPECT_EQ(window.Width(), 320);
    EXPECT_EQ(window.Height(), 240);
    EXPECT_EQ(window.Color(), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    HWND handle = window.Handle();
    RECT bounds{};
    GetWindowRect(handle, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 320);
    EXPECT_EQ(bounds.bottom - bounds.top, 240);
    auto style = static_cast<DWORD>(GetWindowLongW(handle, GWL_STYLE));
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(style & (WS_CHILD | WS_DISABLED), 0u);
    auto exStyle = static_cast<DWORD>(GetWindowLongW(handle, GWL_EXSTYLE));
    EXPECT_EQ(exStyle & WS_EX_OVERLAPPEDWINDOW, static_cast<DWORD>(WS_EX_OVERLAPPEDWINDOW));
    DestroyWindow(handle);

    TWindow disabled(nullptr);
    disabled.SetEnabled(false);
    EXPECT_TRUE(GetWindowLongW(disabled.Handle(), GWL_STYLE) & WS_DISABLED);
    DestroyWindow(disabled.Handle());
}

// Notes the window events as text, in order.
class TLoggedWindow : public TWindow {
public:
    explicit TLoggedWindow(bool layered = false) : TWindow(nullptr), layered_(layered)
    {
        // Shown windows stand off the screen, out of the way of pointer tests.
        SetLeft(-2000);
        SetTop(-2000);
        OnCreate.Bind([this](core::TObject*) { log.push_back(WindowHandle() ? "create" : "create without handle"); });
        OnDestroy.Bind([this](core::TObject*) { log.push_back("destroy"); });
        OnActivate.Bind([this](core::TObject*, uint16_t activation, HWND other) {
            log.push_back("activate " + std::to_string(activation) + (other == GetDesktopWindow() ? " desktop" : ""));
        });
        OnTimer.Bind([this](core::TObject*, uint32_t id) { log.push_back("timer " + std::to_string(id)); });
    }
    ~TLoggedWindow() override
    {
        if (HasWindow())
            DestroyWindow(WindowHandle());
    }

    std::vector<std::string> log;

protected:
    void AfterCreate() override
    {
        log.push_back("after create");
        TWindow::AfterCreate();
    }
    void FillCreateParams(WindowParams& params) override
    {
        TWindow::FillCreateParams(params);
        if (layered_)
            params.ExStyle |= WS_EX_LAYERED;
    }

private:
    bool layered_;
};

// Changes repaint the window, and only real changes do.
TEST(WinControlTest, ChangedDrawingObjectsInvalidateTheWindow)
{
    TLoggedWindow host;
    ShowWindow(host.Handle(), SW_SHOWNOACTIVATE);
    auto* control = new TStaticControl(&host);
    control->Resize(50, 20);
    control->SetVisible(true);
    HWND window = control->Handle();
    struct Case {
        const char* what;
        void (*change)(TWinControl&);
        bool repaints;
    } cases[] = {
        {"colour", [](TWinControl& c) { c.SetColor(0x0000FF); }, true},
        {"same colour", [](TWinControl& c) { c.SetColor(0x0000FF); }, false},
        {"pen", [](TWinControl& c) { c.Pen().SetWidth(3); }, true},
        {"font", [](TWinControl& c) { c.Font().SetStyle(fsBold); }, true},
        {"same font style", [](TWinControl& c) { c.Font().SetStyle(fsBold); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ValidateRect(window, nullptr);
        c.change(*control);
        EXPECT_EQ(NeedsPaint(window), c.repaints);
    }
}

TEST(WindowTest, CreationActivationTimersAndDestructionBecomeEvents)
{
    TLoggedWindow window;
    HWND handle = window.Handle();
    SendMessageW(handle, WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), reinterpret_cast<LPARAM>(GetDesktopWindow()));
    SendMessageW(handle, WM_TIMER, 7, 0);
    DestroyWindow(handle);
    EXPECT_EQ(window.log,
              (std::vector<std::string>{"after create", "create", "activate 2 desktop", "timer 7", "destroy"}));
}

TEST(WindowTest, MouseActivationAnswersActivateUnlessTheEventSaysOtherwise)
{
    TLoggedWindow window;
    HWND handle = window.Handle();
    LPARAM hit = MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN);
    EXPECT_EQ(SendMessageW(handle, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(handle), hit), MA_ACTIVATE);
    uint16_t seenHit = 0, seenButton = 0;
    window.OnMouseActivate.Bind([&](core::TObject*, uint16_t hitTest, uint16_t button, LRESULT& result) {
        seenHit = hitTest;
        seenButton = button;
        result = MA_NOACTIVATEANDEAT;
    });
    EXPECT_EQ(SendMessageW(handle, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(handle), hit), MA_NOACTIVATEANDEAT);
    EXPECT_EQ(seenHit, HTCLIENT);
    EXPECT_EQ(seenButton, WM_LBUTTONDOWN);
}

TEST(WindowTest, TheCloseActionDecidesWhatClosingDoes)
{
    struct Case {
        TCloseAction action;
        bool exists, visible;
    } cases[] = {{caFree, false, false}, {caHide, true, false}, {caNone, true, true}, {caMinimize, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.action));
        TLoggedWindow window;
        ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);
        window.OnClose.Bind([&](core::TObject*, TCloseAction& action) {
            EXPECT_EQ(action, caFree);
            action = c.action;
        });
        SendMessageW(window.WindowHandle(), WM_CLOSE, 0, 0);
        EXPECT_EQ(window.HasWindow(), c.exists);
        EXPECT_EQ(IsWindowVisible(window.WindowHandle()) != FALSE, c.visible);
    }
}

TEST(WindowTest, OpacityReachesOnlyLayeredWindows)
{
    TLoggedWindow layered(true);
    layered.SetOpacity(128);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(layered.Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 128) << "set before the window existed";
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    layered.SetOpacity(200);
    GetLayeredWindowAttributes(layered.Handle(), nullptr, &alpha, &flags);
    EXPECT_EQ(alpha, 200);

    TLoggedWindow plain;
    plain.SetOpacity(100);
    EXPECT_EQ(plain.Opacity(), 100);
    EXPECT_FALSE(GetLayeredWindowAttributes(plain.Handle(), nullptr, &alpha, &flags));
}

// Notes what the canvas held while it drew.
class TPaintedWindow : public TLoggedWindow {
public:
    bool fail = false;
    HDC dc = nullptr;
    bool brushSelected = false, fontSelected = false;
    COLORREF brushColor = 0, textColor = 0;

    void Render() override
    {
        dc = Canvas().Handle();
        brushSelected = GetCurrentObject(dc, OBJ_BRUSH) == Canvas().Brush().Handle();
        fontSelected = GetCurrentObject(dc, OBJ_FONT) == Canvas().Font().Handle();
        LOGBRUSH brush{};
        GetObjectW(Canvas().Brush().Handle(), sizeof(brush), &brush);
        brushColor = brush.lbColor;
        textColor = GetTextColor(dc);
        if (fail)
            throw std::runtime_error("drawing failed");
    }
};

TEST(WindowTest, PaintingDrawsWithTheWindowsBrushAndFontSelected)
{
    TPaintedWindow window;
    window.SetColor(0x00336699);
    window.Font().SetColor(0x00102030);
    HWND handle = window.Handle();

    HDC memory = CreateCompatibleDC(nullptr);
    SendMessageW(handle, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(window.dc, memory) << "the device context the message carries";
    EXPECT_TRUE(window.brushSelected);
    EXPECT_TRUE(window.fontSelected);
    EXPECT_EQ(window.brushColor, 0x00336699u);
    EXPECT_EQ(window.textColor, 0x00102030u);
    EXPECT_EQ(window.Canvas().Handle(), nullptr);
    SelectObject(memory, GetStockObject(WHITE_BRUSH));
    SelectObject(memory, GetStockObject(SYSTEM_FONT));
    DeleteDC(memory);

    window.dc = nullptr;
    SendMessageW(handle, WM_PAINT, 0, 0);
    EXPECT_NE(window.dc, nullptr) << "a device context of its own from BeginPaint";
    EXPECT_TRUE(window.brushSelected);
    EXPECT_EQ(window.Canvas().Handle(), nullptr);
}

TEST(WindowTest, AFailingPaintStillEndsPaintingAndForgetsTheDeviceContext)
{
    TPaintedWindow window;
    window.fail = true;
    window.Handle();
    EXPECT_THROW(window.SendToSelf(WM_PAINT, 0, 0), std::runtime_error);
    EXPECT_EQ(window.Canvas().Handle(), nullptr);
    window.fail = false;
    window.SendToSelf(WM_PAINT, 0, 0);
    EXPECT_NE(window.dc, nullptr);
}

// Every control hands back the GDI objects it made, and every window made, painted and
// closed its window. Windows take milliseconds each under Wine, so there are fewer of
// them; one handle lost per cycle shows either way.
TEST(ClassicWindowLeakTest, ThousandsOfControlsLeaveNothingBehind)
{
    auto objects = [] {
        TWindow window(nullptr);
        window.SetColor(0x00FF00);
        window.Font().SetSize(11);
        window.Pen().SetColor(0x0000FF);
        TWinControl control(nullptr);
        control.Font().Assign(&window.Font());
    };
    auto windows = [] {
        TPaintedWindow window;
        SendMessageW(window.Handle(), WM_PAINT, 0, 0);
        window.Font().SetStyle(fsBold);
        SendMessageW(window.WindowHandle(), WM_CLOSE, 0, 0);
        TToolTip tip(nullptr);
        tip.Handle();
        tip.Font().SetStyle(fsItalic);
        DestroyWindow(tip.WindowHandle());
    };
    objects();
    windows();
    size_t gdiBefore = testing_support::CountGdiObjects();
    int windowsBefore = ThreadWindowCount();
    for (int i = 0; i < 1000; ++i)
        objects();
    for (int i = 0; i < 200; ++i)
        windows();
    EXPECT_EQ(testing_support::CountGdiObjects(), gdiBefore);
    EXPECT_EQ(ThreadWindowCount(), windowsBefore);
}

} // namespace
