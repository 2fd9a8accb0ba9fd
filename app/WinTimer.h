#pragma once
#include <cstdint>

#include "core/Win32.h"

namespace app {

// One Win32 timer bound to a window. Its ticks arrive as WM_TIMER with the id in wParam.
// Starting and stopping act only on a live window, so a timer outliving its window is
// harmless; destruction stops a running timer.
class TWinTimer {
public:
    TWinTimer(HWND window, uint32_t interval, uint32_t id);
    ~TWinTimer();
    TWinTimer(const TWinTimer&) = delete;
    TWinTimer& operator=(const TWinTimer&) = delete;

    void SetEnabled(bool enabled);
    bool Enabled() const { return running_; }
    uint32_t Interval() const { return interval_; }
    uint32_t Id() const { return id_; }

private:
    HWND window_;
    uint32_t interval_;
    uint32_t id_;
    bool running_ = false;
};

} // namespace app
