#pragma once
#include "core/UniqueHandle.h"
#include "core/Win32.h"
#include <wininet.h>

namespace net {

// The program's one WinINet session, shared read-only by every worker thread.
extern HINTERNET InternetHandle;

// Closes any earlier session, then opens one with the system's proxy settings; true
// when a session was obtained.
bool OpenInternet();
// Closes the session; the handle is forgotten only when closing succeeds.
void CloseInternet();

// Owner of one connection or request handle of an exchange.
using TWinInetHandle = core::TUniqueHandle<core::TNullHandleTraits<HINTERNET, &::InternetCloseHandle>>;

} // namespace net
