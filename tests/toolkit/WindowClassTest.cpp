#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "core/Win32.h"

#include <commctrl.h>

#include "core/Exceptions.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/WindowProcedure.h"

using namespace toolkit;
using toolkit_testing::THost;
using toolkit_testing::TProbeControl;

namespace {

// A control whose window may belong to a system class; it notes the window's procedure
// and binding at the last message the window receives.
class TClassProbe : public TProbeControl {
public:
    TClassProbe(core::TComponent* owner, const wchar_t* systemClass, DWORD style)
        : TProbeControl(owner), systemClass_(systemClass), style_(style)
    {
    }

    void HandleMessage(MessageRecord& message) override
    {
        if (message.Msg == WM_NCDESTROY) {
            procAtLastMessage = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(message.Window, GWLP_WNDPROC));
            boundAtLastMessage = ControlFromWindow(message.Window);
        }
        TProbeControl::HandleMessage(message);
    }

    WNDPROC procAtLastMessage = nullptr;
    TControl* boundAtLastMessage = nullptr;

protected:
    void FillCreateParams(WindowParams& params) override
    {
        TProbeControl::FillCreateParams(params);
        UseSystemClass(params, systemClass_);
        params.Style = style_;
    }

private:
    const wchar_t* systemClass_;
    DWORD style_;
};

const std::wstring SeventyCharacters(70, L'K');

struct ClassCase {
    const char* name;
    const wchar_t* systemClass;
    DWORD style;
    std::wstring classNameW;
    std::wstring expectedClass;
    // A message the control leaves to its default procedure, and that procedure's answer.
    UINT unhandled;
    WPARAM unhandledWParam;
    LRESULT expectedAnswer;
};

const ClassCase ClassCases[] = {
    {"OwnClassNamedAfterTheObject", nullptr, WS_CHILD, L"", L"TClassProbe", WM_GETDLGCODE, 0, 0},
    {"NameCutTo63Characters", nullptr, WS_CHILD, SeventyCharacters, SeventyCharacters.substr(0, 63), WM_GETDLGCODE, 0,
     0},
    {"SystemStatic", L"STATIC", WS_CHILD, L"", L"Static", WM_GETDLGCODE, 0, DLGC_STATIC},
    {"SystemTooltip", TOOLTIPS_CLASSW, WS_POPUP, L"", TOOLTIPS_CLASSW, TTM_GETDELAYTIME, TTDT_INITIAL, 500},
};

class WindowClassTest : public ::testing::TestWithParam<ClassCase> {
protected:
    TClassProbe* MakeProbe()
    {
        auto* probe = new TClassProbe(host_.get(), GetParam().systemClass, GetParam().style);
        probe->SetParentControl(host_.get());
        if (!GetParam().classNameW.empty())
            probe->SetClassNameW(GetParam().classNameW);
        return probe;
    }

    THost host_;
};

WNDPROC ClassProcedure(const wchar_t* className)
{
    WNDCLASSW info{};
    EXPECT_TRUE(GetClassInfoW(GetModuleHandleW(nullptr), className, &info));
    return info.lpfnWndProc;
}

std::wstring WindowClassName(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

} // namespace

TEST_P(WindowClassTest, WindowsOfOneClassShareItAndAnswerThroughTheirOwnProcedure)
{
    const ClassCase& c = GetParam();
    TClassProbe* first = MakeProbe();
    TClassProbe* second = MakeProbe();
    HWND firstWindow = first->Handle();
    HWND secondWindow = second->Handle();
    ASSERT_TRUE(IsWindow(firstWindow));
    ASSERT_TRUE(IsWindow(secondWindow));

    EXPECT_TRUE(_wcsicmp(WindowClassName(firstWindow).c_str(), c.expectedClass.c_str()) == 0)
        << core::ToUtf8(WindowClassName(firstWindow));
    WNDPROC expectedDefault = c.systemClass ? ClassProcedure(c.systemClass) : &DefWindowProcW;
    if (!c.systemClass) {
        EXPECT_EQ(ClassProcedure(c.expectedClass.c_str()), &WindowProcedure)
            << "registered with the toolkit's procedure";
    }
    for (TClassProbe* probe : {first, second}) {
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(probe->WindowHandle(), GWLP_WNDPROC)), &WindowProcedure);
        EXPECT_EQ(probe->DefaultProc(), expectedDefault);
        EXPECT_EQ(ControlFromWindow(probe->WindowHandle()), probe);
    }

    EXPECT_EQ(SendMessageW(firstWindow, c.unhandled, c.unhandledWParam, 0), c.expectedAnswer);
    EXPECT_TRUE(first->Defaulted(c.unhandled));

    ASSERT_TRUE(DestroyWindow(firstWindow));
    EXPECT_EQ(first->procAtLastMessage, expectedDefault) << "own procedure put back before the last dispatch";
    EXPECT_EQ(first->boundAtLastMessage, first) << "still bound during the last message";
    EXPECT_EQ(first->WindowHandle(), firstWindow) << "the handle keeps its old value";
    EXPECT_EQ(SendMessageW(secondWindow, c.unhandled, c.unhandledWParam, 0), c.expectedAnswer);
}

INSTANTIATE_TEST_SUITE_P(Classes, WindowClassTest, ::testing::ValuesIn(ClassCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ControlNames, AutomaticNamesCountUpFromOneProgramWideCounter)
{
    TProbeControl first(nullptr);
    TProbeControl second(nullptr);
    std::wsmatch match;
    std::wstring firstName = first.Name();
    ASSERT_TRUE(std::regex_match(firstName, match, std::wregex(L"Widget_(\\d+)"))) << core::ToUtf8(firstName);
    EXPECT_EQ(second.Name(), L"Widget_" + std::to_wstring(std::stoi(match[1].str()) + 1));
}

TEST(ParentRequired, ChildStyleWithoutAnyParentWindowFails)
{
    THost host;
    HWND hostWindow = host->Handle();
    struct Case {
        const char* what;
        bool parentControl;
        bool parentWindow;
        DWORD style;
        const wchar_t* name;
        bool fails;
    } cases[] = {
        {"automatic name", false, false, WS_CHILD, nullptr, true},
        {"given name", false, false, WS_CHILD, L"ContentList", true},
        {"parent control", true, false, WS_CHILD, nullptr, false},
        {"parent window", false, true, WS_CHILD, nullptr, false},
        {"popup needs none", false, false, WS_POPUP, nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TClassProbe probe(nullptr, nullptr, c.style);
        if (c.name)
            probe.SetName(c.name);
        if (c.parentControl)
            probe.SetParentControl(host.get());
        if (c.parentWindow)
            probe.SetParentWindow(hostWindow);
        try {
            HWND window = probe.Handle();
            EXPECT_FALSE(c.fails) << "no error";
            EXPECT_TRUE(IsWindow(window));
            DestroyWindow(window);
        } catch (const core::EInvalidOperation& error) {
            EXPECT_TRUE(c.fails) << core::ToUtf8(error.Message());
            EXPECT_EQ(error.Message(), L"Parent Required " + probe.Name());
            EXPECT_EQ(probe.WindowHandle(), nullptr);
        }
    }
}

TEST(WindowIdentifier, ChildWindowsWithoutIdentifierAreIdentifiedByTheirHandle)
{
    THost host;
    auto* automatic = toolkit_testing::MakeChild(host.get(), RECT{0, 0, 10, 10});
    auto* given = toolkit_testing::MakeChild(host.get(), RECT{0, 0, 10, 10});
    given->SetCtrlID(77);
    EXPECT_EQ(GetWindowLongPtrW(automatic->Handle(), GWLP_ID), reinterpret_cast<LONG_PTR>(automatic->Handle()));
    EXPECT_EQ(GetWindowLongPtrW(given->Handle(), GWLP_ID), 77);
    EXPECT_EQ(GetWindowLongPtrW(host->Handle(), GWLP_ID), 0) << "top-level windows keep no identifier";
}
