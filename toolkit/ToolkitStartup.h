#pragma once
#include "core/Win32.h"

namespace toolkit {

// The key under which every toolkit window keeps a pointer to its control: a global
// atom named "Widget" and the process id in eight upper-case hexadecimal digits, so two
// running copies never share it. 0 outside ToolkitStartup/ToolkitShutdown.
ATOM BindingAtom();

// Run once before the first toolkit window is created: creates the binding atom and
// raises the system timer resolution to its finest period for the whole run.
void ToolkitStartup();
// Run once after the last toolkit window is gone: restores the timer resolution and
// deletes the binding atom.
void ToolkitShutdown();

} // namespace toolkit
