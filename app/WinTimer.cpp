#include "app/WinTimer.h"

namespace app {

TWinTimer::TWinTimer(HWND window, uint32_t interval, uint32_t id) : window_(window), interval_(interval), id_(id) {}

TWinTimer::~TWinTimer()
{
    SetEnabled(false);
}

void TWinTimer::SetEnabled(bool enabled)
{
    if (enabled == running_ || !IsWindow(window_))
        return;
    if (enabled)
        SetTimer(window_, id_, interval_, nullptr);
    else
        KillTimer(window_, id_);
    running_ = enabled;
}

} // namespace app
