#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/CodePage.h"
#include "core/Win32.h"
#include "net/Request.h"

namespace net_testing {

// The loopback servers that tests/net/http_servers.py runs while the tests run.
inline constexpr const char* Server = "127.0.0.20";
inline const char* const GroupServers[] = {"127.0.0.20", "127.0.0.21", "127.0.0.22"};
inline constexpr const char* ConnectStallServer = "127.0.0.23"; // never accepts
inline constexpr const char* NeverReadsServer = "127.0.0.24";   // accepts, never reads
inline constexpr const char* NobodyListens = "127.0.0.39";      // connection refused
inline constexpr const char* UnresolvableHost = "tavilo-no-such-host.invalid";

// The message the main window uses for the feed download.
inline constexpr UINT DoneMessage = WM_USER + 23;

// The bytes /bytes/N serves: byte i is i % 251.
core::AnsiString Pattern(size_t count);

// A request for path on host, fields 0 and 1 only.
void Describe(net::TRequest& request, const char* host, const std::string& path);

// Performs a GET of path on the first server through the shared session.
int32_t Get(net::TRequest& request, const std::string& path);

// A raw HTTP request split into its request line, header lines and body.
struct TRawRequest {
    std::string requestLine;
    std::vector<std::string> headers;
    std::string body;
};
TRawRequest ParseRequest(const std::string& raw);

// Milliseconds since some fixed moment, for measuring how long something took.
ULONGLONG Now();

// One message as a window received it.
struct TPosted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    ULONGLONG arrived;
};

// A hidden top-level window, registered and created through the wide or the ANSI
// functions, that records the messages of the application's range it receives.
class TRecordingWindow {
public:
    explicit TRecordingWindow(bool unicode = true);
    ~TRecordingWindow();
    TRecordingWindow(const TRecordingWindow&) = delete;
    TRecordingWindow& operator=(const TRecordingWindow&) = delete;

    HWND Handle() const { return window_; }
    void Destroy();
    // Dispatches this thread's messages until count messages have arrived here or the
    // time is up; returns what arrived.
    const std::vector<TPosted>& WaitForMessages(size_t count, DWORD timeout);
    const std::vector<TPosted>& Received() const { return received_; }

    // Called from inside the window procedure for each recorded message.
    std::function<void(const TPosted&)> OnMessage;

private:
    static LRESULT CALLBACK WideProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK AnsiProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::vector<TPosted> received_;
};

// Dispatches this thread's messages for the given time.
void PumpMessages(DWORD milliseconds);

} // namespace net_testing
