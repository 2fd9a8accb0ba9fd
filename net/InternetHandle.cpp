#include "net/InternetHandle.h"

#include <atomic>
#include <mutex>

namespace net {

HINTERNET InternetHandle = nullptr;

namespace {

// Held while the session is closed and while a lease makes or closes a handle, so that
// a handle is never made from a closing session nor closed after it.
std::mutex sessionMutex;
// Counts the sessions closed so far: a lease's session is open while it is unchanged.
std::atomic<uint64_t> closedSessions{0};

} // namespace

bool OpenInternet()
{
    CloseInternet();
    InternetHandle = InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    return InternetHandle != nullptr;
}

void CloseInternet()
{
    std::lock_guard lock(sessionMutex);
    if (InternetHandle && InternetCloseHandle(InternetHandle)) {
        InternetHandle = nullptr;
        ++closedSessions;
    }
}

TSessionLease::TSessionLease() : session_(closedSessions) {}

bool TSessionLease::Open() const
{
    return closedSessions == session_;
}

HINTERNET TSessionLease::MakeHandle(const std::function<HINTERNET()>& make) const
{
    std::lock_guard lock(sessionMutex);
    return Open() ? make() : nullptr;
}

void TSessionLease::CloseHandle(HINTERNET handle) const
{
    std::lock_guard lock(sessionMutex);
    if (Open())
        InternetCloseHandle(handle);
}

} // namespace net
