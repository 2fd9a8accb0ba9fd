#include "tests/toolkit/ToolkitTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

#include <commctrl.h>

#include "core/Exceptions.h"
#include "core/Format.h"
#include "toolkit/ToolkitStartup.h"

using namespace std::chrono_literals;

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

// A Unix path as Wine's Z: drive shows it.
std::wstring WindowsPath(const std::wstring& unixPath)
{
    std::wstring path = L"Z:" + unixPath;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// A file name under /tmp that no other run or call of this process uses.
std::wstring ScratchFile(const wchar_t* kind)
{
    static int calls = 0;
    return core::Format(L"/tmp/tavilo-%s-%u-%d", kind, GetCurrentProcessId(), calls++);
}

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

// The command touches a marker file when it has succeeded; Wine gives a Unix program
// no process handle to wait on.
void RunShell(const std::wstring& commands)
{
    std::wstring marker = ScratchFile(L"done");
    std::wstring command = L"/bin/sh -c \"" + commands + L" && touch " + marker + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(
        CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::wstring markerPath = WindowsPath(marker);
    ASSERT_TRUE(PumpUntil([&] { return GetFileAttributesW(markerPath.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10s))
        << "did not finish: " << core::ToUtf8(commands);
    DeleteFileW(markerPath.c_str());
}

void Xdotool(const std::wstring& commands)
{
    RunShell(L"xdotool " + commands);
}

std::wstring MoveTo(POINT point)
{
    return L"mousemove " + std::to_wstring(point.x) + L" " + std::to_wstring(point.y);
}

std::wstring ClickAt(POINT point)
{
    return MoveTo(point) + L" click 1";
}

std::vector<uint32_t> ScreenColors(RECT area)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    std::wstring file = ScratchFile(L"shot");
    RunShell(core::Format(L"import -window root -crop %dx%d+%d+%d -depth 8 rgb:%s", width, height, area.left, area.top,
                          file.c_str()));
    std::wstring path = WindowsPath(file);
    std::ifstream stream(std::filesystem::path(path), std::ios::binary);
    std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    stream.close();
    DeleteFileW(path.c_str());
    std::vector<uint32_t> colors;
    for (size_t i = 0; i + 2 < bytes.size(); i += 3)
        colors.push_back(static_cast<uint32_t>(bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2]));
    EXPECT_EQ(colors.size(), static_cast<size_t>(width) * static_cast<size_t>(height)) << "incomplete screenshot";
    return colors;
}

} // namespace toolkit_testing
