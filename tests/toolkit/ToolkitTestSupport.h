#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/Win32.h"
#include "toolkit/Control.h"

namespace toolkit_testing {

// A control that logs what it dispatches and what reaches default processing.
class TProbeControl : public toolkit::TControl {
public:
    explicit TProbeControl(core::TComponent* owner) : toolkit::TControl(owner) {}

    void HandleMessage(toolkit::MessageRecord& message) override;
    void CallDefaultProc(toolkit::MessageRecord& message) override;

    // Messages this control dispatched, and those that reached default processing
    // (with the WParam default processing received).
    std::vector<UINT> handled;
    std::vector<std::pair<UINT, WPARAM>> defaulted;

    bool Handled(UINT msg) const;
    bool Defaulted(UINT msg) const;
    void ClearLog();
};

// Where the hidden hosts of message-level tests stand.
inline constexpr RECT HiddenHostBounds{40, 40, 240, 200};

// A borderless top-level window at a fixed screen position: the parent of the controls
// under test.
class THostWindow : public TProbeControl {
public:
    THostWindow(core::TComponent* owner, RECT bounds, bool topmost = false);

protected:
    void FillCreateParams(toolkit::WindowParams& params) override;

private:
    bool topmost_;
};

// Owns a hidden host for one test: its window is destroyed first, then the objects are
// freed, as the program does.
class THost {
public:
    THost();
    ~THost();
    THost(const THost&) = delete;
    THost& operator=(const THost&) = delete;

    THostWindow* get() const { return host_; }
    THostWindow* operator->() const { return host_; }

private:
    THostWindow* host_;
};

// A child probe of the given parent, at a position inside it.
TProbeControl* MakeChild(toolkit::TControl* parent, RECT bounds);

// Dispatches this thread's messages for the given time, or until done() holds.
void PumpMessages(std::chrono::milliseconds duration);
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// Every window this thread owns, top-level or child.
int ThreadWindowCount();

// Runs a Unix shell command line and waits, dispatching messages, until it has
// finished; a failing command fails the test. The X events it caused are then queued
// for this thread.
void RunShell(const std::wstring& commands);
// Real pointer and keyboard input: xdotool with the given commands. X coordinates are
// Wine's screen coordinates (there is no window manager).
void Xdotool(const std::wstring& commands);
std::wstring MoveTo(POINT point);
std::wstring ClickAt(POINT point);

// The colours the X server shows in a screen rectangle (0x00RRGGBB, row by row), from a
// screenshot of the root window. Without a compositor a half-transparent pixel shows its
// premultiplied colour, unblended.
std::vector<uint32_t> ScreenColors(RECT area);

} // namespace toolkit_testing
