#pragma once
#include "core/Win32.h"
#include <wininet.h>

namespace net {

// The program's one WinINet session, shared read-only by every worker thread.
extern HINTERNET InternetHandle;

// Closes any earlier session, then opens one with the system's proxy settings.
void OpenInternet();
// Closes the session; the handle is forgotten only when closing succeeds.
void CloseInternet();

} // namespace net
