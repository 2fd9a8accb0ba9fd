#include "tests/toolkit/ToolkitTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <commctrl.h>

#include "toolkit/ToolkitStartup.h"

namespace toolkit_testing {

namespace {

// The toolkit is started once per test executable, as the program's module start-up
// does; the common controls provide the tooltip class and pointer tracking.
class TToolkitEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        toolkit::ToolkitStartup();
    }
    void TearDown() override { toolkit::ToolkitShutdown(); }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new TToolkitEnvironment);

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// EnumChildWindows already walks every descendant.
BOOL CALLBACK CountWindowAndDescendants(HWND window, LPARAM count)
{
    CountWindow(window, count);
    EnumChildWindows(window, &CountWindow, count);
    return TRUE;
}

} // namespace

void TProbeControl::HandleMessage(toolkit::MessageRecord& message)
{
    handled.push_back(message.Msg);
    TControl::HandleMessage(message);
}

void TProbeControl::CallDefaultProc(toolkit::MessageRecord& message)
{
    defaulted.emplace_back(message.Msg, message.WParam);
    TControl::CallDefaultProc(message);
}

bool TProbeControl::Handled(UINT msg) const
{
    return std::find(handled.begin(), handled.end(), msg) != handled.end();
}

bool TProbeControl::Defaulted(UINT msg) const
{
    return std::any_of(defaulted.begin(), defaulted.end(), [msg](const auto& entry) { return entry.first == msg; });
}

void TProbeControl::ClearLog()
{
    handled.clear();
    defaulted.clear();
}

THostWindow::THostWindow(core::TComponent* owner, RECT bounds, bool topmost) : TProbeControl(owner), topmost_(topmost)
{
    SetLeft(bounds.left);
    SetTop(bounds.top);
    Resize(bounds.right - bounds.left, bounds.bottom - bounds.top);
}

void THostWindow::FillCreateParams(toolkit::WindowParams& params)
{
    TProbeControl::FillCreateParams(params);
    params.Style = WS_POPUP | WS_CLIPCHILDREN;
    params.ExStyle = topmost_ ? WS_EX_TOPMOST | WS_EX_TOOLWINDOW : WS_EX_TOOLWINDOW;
}

THost::THost() : host_(new THostWindow(nullptr, HiddenHostBounds)) {}

THost::~THost()
{
    if (host_->HasWindow())
        DestroyWindow(host_->WindowHandle());
    delete host_;
}

TProbeControl* MakeChild(toolkit::TControl* parent, RECT bounds)
{
    auto* child = new TProbeControl(parent);
    child->SetParentControl(parent);
    child->SetLeft(bounds.left);
    child->SetTop(bounds.top);
    child->Resize(bounds.right - bounds.left, bounds.bottom - bounds.top);
    return child;
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= static_cast<DWORD>(timeout.count()))
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

void PumpMessages(std::chrono::milliseconds duration)
{
    PumpUntil([] { return false; }, duration);
}

int ThreadWindowCount()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindowAndDescendants, reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace toolkit_testing
