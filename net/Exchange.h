#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/CodePage.h"
#include "core/Win32.h"
#include <wininet.h>

namespace net {

// How long connecting, sending and receiving may each wait before an exchange fails.
inline constexpr DWORD RequestTimeOut = 30000;
// How long a whole exchange may take, from connecting to the last byte of the body. Each
// call is bounded by RequestTimeOut, but a server that trickles a byte now and then
// keeps every call short and the exchange going for ever.
inline constexpr DWORD ExchangeDeadline = 120000;
// The largest body an exchange accepts, far above any real feed; a larger one fails
// instead of filling the memory.
inline constexpr size_t BodyLimit = 4 * 1024 * 1024;

// What one exchange sends: copies of the request's texts, so that nothing of the
// request is shared with the thread that performs it.
struct TExchangeRequest {
    core::AnsiString server;
    core::AnsiString object;
    core::AnsiString verb;
    core::AnsiString version;
    core::AnsiString headers;
    core::AnsiString body;
    bool secure = false;
    bool followRedirects = true;
    DWORD_PTR context = 0;
    DWORD deadline = ExchangeDeadline; // milliseconds for the whole exchange
};

struct TExchangeResult {
    int32_t status = -1; // 0 when the request was sent and its whole answer read
    uint32_t statusCode = 0; // the HTTP status of the answer, 0 when none arrived
    core::AnsiString setCookie;
    core::AnsiString rawHeaders;
    // The body in pieces that are never moved or regrown while it arrives, so that the
    // memory it takes stays close to its size; empty unless the status is 0.
    std::vector<core::AnsiString> body;
    size_t bodySize = 0;
};

// Runs one HTTP exchange and returns its result. It returns early with -1 when
// abortEvent is set, when one WinINet call has waited longer than RequestTimeOut, or
// when the request's deadline has passed.
//
// A synchronous WinINet call cannot be relied on to end when another thread closes
// its handle, and Wine keeps only the receive time-out (connecting and sending wait
// as long as the system lets them). So the calls run on a helper thread that owns its
// copies of everything; the caller walks away from it on abort or when a call is
// stuck, and the helper ends by itself whenever WinINet gives up, closing its handles.
// internet is the program's session (InternetHandle): the helper may outlive it, and
// once it is closed, the helper neither uses nor closes the handles it made from it.
TExchangeResult RunExchange(HINTERNET internet, TExchangeRequest request, HANDLE abortEvent);

} // namespace net
