#pragma once
#include <cstdint>
#include <functional>

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

// The session an exchange was started on, for an exchange whose thread may outlive it.
// Closing the session closes every connection and request made from it, and WinINet
// hands the freed handle values out again: a handle used or closed after that might be
// another exchange's. So handles are made, and closed, only while the session is open.
class TSessionLease {
public:
    // Takes the session that is open now.
    TSessionLease();

    // False once the session has been closed.
    bool Open() const;
    // Runs make (a call that makes a handle from the session) while the session is
    // open; null when it has been closed.
    HINTERNET MakeHandle(const std::function<HINTERNET()>& make) const;
    // Closes a handle made from the session, unless closing the session already did.
    void CloseHandle(HINTERNET handle) const;

private:
    uint64_t session_;
};

// Owner of a connection or request handle made through a lease.
class TSessionHandle {
public:
    TSessionHandle(const TSessionLease& lease, HINTERNET handle) : lease_(lease), handle_(handle) {}
    ~TSessionHandle()
    {
        if (handle_)
            lease_.CloseHandle(handle_);
    }
    TSessionHandle(const TSessionHandle&) = delete;
    TSessionHandle& operator=(const TSessionHandle&) = delete;

    HINTERNET Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    const TSessionLease& lease_;
    HINTERNET handle_;
};

} // namespace net
