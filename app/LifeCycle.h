#pragma once
#include <cstdint>

#include "toolkit/WindowEx.h"

namespace app {

// Milliseconds without keyboard or mouse input before the working set is trimmed.
inline constexpr uint32_t IdleTrimDelay = 10000;

// Dispatches every message waiting in the calling thread's queue. A WM_QUIT met on the
// way is posted again, so the message loop still ends.
void ProcessPendingMessages();
// Asks Windows to trim the process's working set, then handles what is waiting.
void TrimWorkingSet();
// Shows the window and raises its opacity by step per frame, rendering fully at the end.
void FadeIn(toolkit::TWindowEx& window, uint8_t step, uint32_t delayMs);
// Lowers the window's opacity by step per frame while it stays above 0, then hides it.
void FadeOut(toolkit::TWindowEx& window, uint8_t step, uint32_t delayMs);

} // namespace app
