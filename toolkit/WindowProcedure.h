#pragma once
#include <cstdint>

#include "core/Win32.h"

namespace toolkit {

class TControl;

// The one window procedure of every window class the toolkit registers, also installed
// on subclassed windows of system classes. It hands each message to the control bound
// to the window.
//
// An exception escaping a handler is a programming error and must not unwind through
// Windows' own frames, so it stops here: a debug build fails an assertion; a release
// build writes the exception's text to the debugger output (the program has no log)
// and answers the message with the result the handler had written so far.
// WM_CREATE is the exception: an error while the window is created fails the creation
// and is carried out of CreateWindowExW (RaiseCreationError).
LRESULT CALLBACK WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// The control bound to a toolkit window, from creation to WM_NCDESTROY; else null.
TControl* ControlFromWindow(HWND window);

// Raises the error that made the last failed creation on this thread answer WM_CREATE
// with -1, if there is one, and forgets it.
void RaiseCreationError();

// GetTickCount at the last keyboard or mouse message a control dispatched; 0 at start.
extern uint32_t LastInputTick;
// The application's single tooltip window; 0 while there is none.
extern HWND TooltipWindow;

} // namespace toolkit
