#include "tests/net/NetTestSupport.h"

#include <gtest/gtest.h>

#include "net/InternetHandle.h"

namespace net_testing {

namespace {

// One session for the whole test program, as the application has.
class TSessionEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(net::OpenInternet()); }
    void TearDown() override { net::CloseInternet(); }
};

[[maybe_unused]] const auto* const session = ::testing::AddGlobalTestEnvironment(new TSessionEnvironment);

const wchar_t* const WideClass = L"TaviloNetTestWide";
const char* const AnsiClass = "TaviloNetTestAnsi";

} // namespace

core::AnsiString Pattern(size_t count)
{
    core::AnsiString bytes(count, '\0');
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>(i % 251);
    return bytes;
}

void Describe(net::TRequest& request, const char* host, const std::string& path)
{
    request.SetField(net::TRequest::HostField, host);
    request.SetField(net::TRequest::PathField, path);
}

int32_t Get(net::TRequest& request, const std::string& path)
{
    Describe(request, Server, path);
    return request.Perform(net::InternetHandle);
}

TRawRequest ParseRequest(const std::string& raw)
{
    TRawRequest parsed;
    size_t headEnd = raw.find("\r\n\r\n");
    if (headEnd == std::string::npos)
        return parsed;
    parsed.body = raw.substr(headEnd + 4);
    size_t start = 0;
    while (start < headEnd) {
        size_t end = raw.find("\r\n", start);
        std::string line = raw.substr(start, end - start);
        if (parsed.requestLine.empty())
            parsed.requestLine = line;
        else
            parsed.headers.push_back(line);
        start = end + 2;
    }
    return parsed;
}

ULONGLONG Now()
{
    return GetTickCount64();
}

TRecordingWindow::TRecordingWindow(bool unicode)
{
    // Registering again fails harmlessly once the class exists.
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (unicode) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &WideProcedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = WideClass;
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, WideClass, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
    } else {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &AnsiProcedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = AnsiClass;
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, AnsiClass, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TRecordingWindow::~TRecordingWindow()
{
    Destroy();
}

void TRecordingWindow::Destroy()
{
    if (window_)
        DestroyWindow(window_);
    window_ = nullptr;
}

const std::vector<TPosted>& TRecordingWindow::WaitForMessages(size_t count, DWORD timeout)
{
    ULONGLONG deadline = Now() + timeout;
    while (received_.size() < count && Now() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - Now()), QS_ALLINPUT);
        PumpMessages(0);
    }
    return received_;
}

void TRecordingWindow::Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TRecordingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || message < WM_USER || message >= 0x8000)
        return;
    self->received_.push_back({message, wParam, lParam, Now()});
    if (self->OnMessage)
        self->OnMessage(self->received_.back());
}

LRESULT CALLBACK TRecordingWindow::WideProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Record(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK TRecordingWindow::AnsiProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Record(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

void PumpMessages(DWORD milliseconds)
{
    ULONGLONG deadline = Now() + milliseconds;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        if (Now() < deadline)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - Now()), QS_ALLINPUT);
    } while (Now() < deadline);
}

} // namespace net_testing
