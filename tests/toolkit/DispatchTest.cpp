#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Exceptions.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/WindowProcedure.h"

using namespace std::chrono_literals;
using namespace toolkit;
using toolkit_testing::MakeChild;
using toolkit_testing::THost;
using toolkit_testing::TProbeControl;

namespace {

// A hidden host with one child control: messages are sent with the Win32 API.
class DispatchTest : public ::testing::Test {
protected:
    THost host_;
    TProbeControl* child_ = MakeChild(host_.get(), RECT{10, 10, 60, 40});
    HWND childWindow_ = child_->Handle();
    HWND hostWindow_ = host_->Handle();
};

enum class Target { None, Child, Self, Foreign, Dead };

} // namespace

TEST_F(DispatchTest, NotificationsAreReflectedOnlyToTheSendingChildControl)
{
    HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, hostWindow_, nullptr, nullptr, nullptr);
    HWND dead = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, hostWindow_, nullptr, nullptr, nullptr);
    DestroyWindow(dead);
    auto windowOf = [&](Target target) -> HWND {
        switch (target) {
        case Target::Child:
            return childWindow_;
        case Target::Self:
            return hostWindow_;
        case Target::Foreign:
            return foreign;
        case Target::Dead:
            return dead;
        default:
            return nullptr;
        }
    };
    struct Case {
        const char* what;
        UINT msg;
        Target target;
        LRESULT expected;
    } cases[] = {
        {"menu command", WM_COMMAND, Target::None, 0},
        {"command from the child", WM_COMMAND, Target::Child, 0},
        {"command naming the host itself", WM_COMMAND, Target::Self, 0},
        {"command from a foreign window", WM_COMMAND, Target::Foreign, 0},
        {"colour of the child", WM_CTLCOLORSTATIC, Target::Child, 0},
        {"colour of a foreign window", WM_CTLCOLORSTATIC, Target::Foreign, 0},
        {"draw the child", WM_DRAWITEM, Target::Child, 1},
        {"draw the host itself", WM_DRAWITEM, Target::Self, 1},
        {"measure the child", WM_MEASUREITEM, Target::Child, 1},
        {"measure the host itself", WM_MEASUREITEM, Target::Self, 1},
        {"measure a destroyed window", WM_MEASUREITEM, Target::Dead, 1},
        {"measure with no identifier", WM_MEASUREITEM, Target::None, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        host_->ClearLog();
        child_->ClearLog();
        HWND target = windowOf(c.target);
        DRAWITEMSTRUCT draw{};
        draw.hwndItem = target;
        MEASUREITEMSTRUCT measure{};
        measure.CtlID = static_cast<UINT>(reinterpret_cast<uintptr_t>(target));
        LPARAM lParam = reinterpret_cast<LPARAM>(target);
        if (c.msg == WM_DRAWITEM)
            lParam = reinterpret_cast<LPARAM>(&draw);
        if (c.msg == WM_MEASUREITEM)
            lParam = reinterpret_cast<LPARAM>(&measure);

        EXPECT_EQ(SendMessageW(hostWindow_, c.msg, 0, lParam), c.expected);
        EXPECT_EQ(child_->Handled(c.msg), c.target == Target::Child);
        EXPECT_EQ(std::count(host_->handled.begin(), host_->handled.end(), c.msg), 1);
        EXPECT_FALSE(host_->Defaulted(c.msg)) << "swallowed without default processing";
    }
    DestroyWindow(foreign);
}

TEST_F(DispatchTest, ScrollAndNotifyMessagesAreForwardedToTheParentControl)
{
    NMHDR header{childWindow_, 5, 0};
    auto* orphan = new TProbeControl(host_.get());
    orphan->SetParentWindow(hostWindow_);
    struct Case {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    } cases[] = {
        {WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header)},
        {WM_HSCROLL, SB_LINEDOWN, 0},
        {WM_VSCROLL, SB_PAGEUP, 0},
    };
    for (const auto& c : cases) {
        host_->ClearLog();
        SendMessageW(childWindow_, c.msg, c.wParam, c.lParam);
        EXPECT_TRUE(host_->Handled(c.msg)) << std::hex << c.msg;
        EXPECT_TRUE(child_->Defaulted(c.msg));
        host_->ClearLog();
        SendMessageW(orphan->Handle(), c.msg, c.wParam, c.lParam);
        EXPECT_FALSE(host_->Handled(c.msg)) << "a control without a parent control forwards nothing";
    }
}

TEST_F(DispatchTest, KeyAndCharacterCallbacksDecideWhatDefaultProcessingGets)
{
    struct Case {
        const char* what;
        UINT msg;
        WPARAM sent;
        int replacement; // -1: the callback leaves the code alone
        bool defaulted;
        WPARAM defaultedWith;
    } cases[] = {
        {"character kept", WM_CHAR, L'a', -1, true, L'a'},
        {"character changed", WM_CHAR, L'a', L'ş', true, L'ş'},
        {"character consumed", WM_CHAR, L'a', 0, false, 0},
        {"key kept", WM_KEYDOWN, VK_F5, -1, true, VK_F5},
        {"key cleared", WM_KEYDOWN, VK_F5, 0, true, 0},
        {"key released and changed", WM_KEYUP, VK_ESCAPE, VK_RETURN, true, VK_RETURN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        child_->ClearLog();
        uint32_t seen = 0;
        auto onKey = [&](core::TObject* sender, uint16_t& key, TShiftState) {
            EXPECT_EQ(sender, child_);
            seen = key;
            if (c.replacement >= 0)
                key = static_cast<uint16_t>(c.replacement);
        };
        child_->OnKeyDown.Bind(onKey);
        child_->OnKeyUp.Bind(onKey);
        child_->OnChar.Bind([&](core::TObject*, uint32_t& charCode) {
            seen = charCode;
            if (c.replacement >= 0)
                charCode = static_cast<uint32_t>(c.replacement);
        });
        SendMessageW(childWindow_, c.msg, c.sent, 0);
        EXPECT_EQ(seen, c.sent);
        ASSERT_EQ(child_->Defaulted(c.msg), c.defaulted);
        if (c.defaulted) {
            EXPECT_EQ(child_->defaulted.back().second, c.defaultedWith);
        }
    }
}

TEST_F(DispatchTest, KeyDataBit29MeansAlt)
{
    TShiftState shift = 0xFF;
    child_->OnKeyDown.Bind([&](core::TObject*, uint16_t&, TShiftState state) { shift = state; });
    SendMessageW(childWindow_, WM_KEYDOWN, 'A', 0x20000000);
    EXPECT_TRUE(shift & ssAlt);
    SendMessageW(childWindow_, WM_KEYDOWN, 'A', 0);
    EXPECT_FALSE(shift & ssAlt);
}

TEST_F(DispatchTest, OnlyKeyboardAndMouseMessagesMarkTheLastInput)
{
    struct Case {
        UINT msg;
        bool input;
    } cases[] = {{WM_KEYDOWN, true}, {WM_SYSKEYUP, true},  {WM_MOUSEMOVE, true},  {WM_MOUSEWHEEL, true},
                 {WM_SIZE, false},   {WM_SETFOCUS, false}, {WM_MOUSEHOVER, false}};
    for (const auto& c : cases) {
        LastInputTick = 0;
        SendMessageW(childWindow_, c.msg, 0, 0);
        EXPECT_EQ(LastInputTick != 0, c.input) << std::hex << c.msg;
    }
}

TEST_F(DispatchTest, PrivateMessagesEndWithoutDefaultProcessing)
{
    child_->WriteText(L"Son dakika");
    ASSERT_GE(child_->handled.size(), 2u);
    EXPECT_EQ(child_->handled[child_->handled.size() - 2], static_cast<UINT>(WM_SETTEXT));
    EXPECT_EQ(child_->handled.back(), MSG_TEXT_CHANGED) << "the text-changed hook runs right after the caption";
    for (UINT msg : {MSG_MOUSE_ENTERED, MSG_FONT_CHANGED, MSG_TEXT_CHANGED}) {
        SendMessageW(childWindow_, msg, 0, 0);
        EXPECT_TRUE(child_->Handled(msg));
        EXPECT_FALSE(child_->Defaulted(msg)) << std::hex << msg;
    }
    EXPECT_EQ(TControl::SendToSelf(nullptr, WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST_F(DispatchTest, MessagesOfUnboundWindowsGoToTheSystemDefault)
{
    EXPECT_EQ(ControlFromWindow(nullptr), nullptr);
    EXPECT_EQ(ControlFromWindow(GetDesktopWindow()), nullptr);
    EXPECT_EQ(ControlFromWindow(hostWindow_), host_.get());
    EXPECT_EQ(WindowProcedure(GetDesktopWindow(), WM_GETDLGCODE, 0, 0), 0);
}

TEST_F(DispatchTest, ExceptionsStopAtTheWindowProcedure)
{
    struct Case {
        const char* what;
        std::function<void()> raise;
    } cases[] = {
        {"the program's exception", [] { throw core::EInvalidOperation(L"Parent Required Widget_9"); }},
        {"a standard exception", [] { throw std::runtime_error("broken"); }},
        {"anything else", [] { throw 42; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        child_->OnKeyDown.Bind([&](core::TObject*, uint16_t&, TShiftState) { c.raise(); });
        child_->OnSize.Bind([&](core::TObject*, uint32_t, int, int) { c.raise(); });
        child_->ClearLog();
        EXPECT_EQ(SendMessageW(childWindow_, WM_KEYDOWN, VK_F1, 0), 0);
        EXPECT_FALSE(child_->Defaulted(WM_KEYDOWN)) << "the dispatch ended where the exception left it";
        child_->Resize(70, 35); // WM_SIZE, sent by Windows itself, throws too
        EXPECT_TRUE(child_->HasWindow());
        EXPECT_EQ(child_->Width(), 70);
        EXPECT_EQ(SendMessageW(childWindow_, WM_SETCURSOR, reinterpret_cast<WPARAM>(childWindow_), HTCLIENT), 0);
        EXPECT_TRUE(child_->Handled(WM_SETCURSOR)) << "later messages are still dispatched";
        child_->OnSize.Clear();
        child_->Resize(50, 30);
    }
    child_->OnKeyDown.Clear();
}

TEST_F(DispatchTest, WindowStateMessagesRaiseTheirEvents)
{
    std::vector<std::string> raised;
    auto note = [&](const char* name) { return [&raised, name](core::TObject*) { raised.push_back(name); }; };
    child_->OnSetFocus.Bind(note("setfocus"));
    child_->OnKillFocus.Bind(note("killfocus"));
    child_->OnSysTimer.Bind(note("systimer"));
    // Rectangles are in/out: the callbacks change them in place.
    child_->OnSizing.Bind([&](core::TObject*, uint32_t edge, RECT& r) {
        raised.push_back("sizing " + std::to_string(edge));
        r.right = r.left + 123;
    });
    child_->OnMoving.Bind([&](core::TObject*, uint32_t side, RECT& r) {
        raised.push_back("moving " + std::to_string(side));
        r.top = 7;
    });
    RECT sizing{0, 0, 10, 10};
    RECT moving{0, 0, 10, 10};
    struct Case {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        const char* expected;
    } cases[] = {
        {WM_SETFOCUS, 0, 0, "setfocus"},
        {WM_KILLFOCUS, 0, 0, "killfocus"},
        {WM_SYSTIMER, 0, 0, "systimer"},
        {WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&sizing), "sizing 2"},
        {WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&moving), "moving 1"},
    };
    for (const auto& c : cases) {
        raised.clear();
        SendMessageW(childWindow_, c.msg, c.wParam, c.lParam);
        EXPECT_EQ(raised, std::vector<std::string>{c.expected});
        EXPECT_TRUE(child_->Defaulted(c.msg)) << c.expected;
    }
    EXPECT_EQ(sizing.right, 123);
    EXPECT_EQ(moving.top, 7);

    SendMessageW(childWindow_, WM_SHOWWINDOW, TRUE, 0);
    EXPECT_TRUE(child_->Visible());
    SendMessageW(childWindow_, WM_SHOWWINDOW, FALSE, 0);
    EXPECT_FALSE(child_->Visible());
}
