#include "net/Exchange.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <cstring>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>

#include "core/Handles.h"
#include "net/InternetHandle.h"

namespace net {

namespace {

constexpr DWORD ChunkSize = 8192;
constexpr size_t PieceSize = 64 * 1024;
constexpr DWORD HeaderBufferSize = 8192;
// How often the waiting side looks whether the helper is stuck.
constexpr DWORD WatchInterval = 250;
// A call counts as stuck a little after its time-out, so that where WinINet keeps the
// time-out itself, it ends the call first and closes the connection cleanly.
constexpr ULONGLONG StuckLimit = RequestTimeOut + 2000;

// A header of the response, cut at its first NUL; empty when absent or too long.
core::AnsiString QueryHeader(HINTERNET request, DWORD info)
{
    std::array<char, HeaderBufferSize> buffer{};
    DWORD size = HeaderBufferSize;
    DWORD index = 0;
    if (!HttpQueryInfoA(request, info, buffer.data(), &size, &index))
        return {};
    return core::AnsiString(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

// The numeric status of the answer, 0 when there is none.
uint32_t QueryStatusCode(HINTERNET request)
{
    DWORD code = 0;
    DWORD size = sizeof(code);
    DWORD index = 0;
    if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &size, &index))
        return 0;
    return code;
}

std::optional<uint64_t> ParseLength(const core::AnsiString& text)
{
    uint64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// One exchange, shared by the helper thread that performs it and the thread that
// waits for it. The waiting side only reads the result after Done is set.
class TExchange {
public:
    TExchange(HINTERNET internet, TExchangeRequest request)
        : internet_(internet), request_(std::move(request)), done_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
    }

    void Run();
    HANDLE Done() const { return done_.Get(); }
    bool Stuck() const;
    void Abandon() { abandoned_ = true; }
    TExchangeResult TakeResult() { return std::move(result_); }

private:
    int32_t Exchange();
    template <typename Call>
    BOOL Blocking(Call call);
    bool Send(HINTERNET request);
    void ReadHeaders(HINTERNET request);
    bool ReadBody(HINTERNET request);
    bool Append(const char* bytes, DWORD count);

    HINTERNET internet_;
    TSessionLease lease_;
    TExchangeRequest request_;
    TExchangeResult result_;
    std::optional<uint64_t> declaredLength_;
    core::TKernelHandle done_;
    std::atomic<bool> abandoned_{false};
    // When the WinINet call in progress began (GetTickCount64), 0 between calls.
    std::atomic<ULONGLONG> callStarted_{0};
};

void TExchange::Run()
{
    try {
        result_.status = Exchange();
    } catch (...) {
        // Nothing may escape a helper thread; a body too big to hold is just a failure.
        result_.status = -1;
    }
    // A caller that judges by the body alone must not take half an answer for a whole one.
    if (result_.status != 0) {
        result_.body = {};
        result_.bodySize = 0;
    }
    SetEvent(done_.Get());
}

bool TExchange::Stuck() const
{
    ULONGLONG started = callStarted_;
    return started != 0 && GetTickCount64() - started > StuckLimit;
}

int32_t TExchange::Exchange()
{
    INTERNET_PORT port = request_.secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
    TSessionHandle connection(lease_, lease_.MakeHandle([&] {
        return InternetConnectA(internet_, request_.server.c_str(), port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0,
                                request_.context);
    }));
    if (!connection)
        return -1;
    DWORD flags = INTERNET_FLAG_HYPERLINK;
    if (request_.secure)
        flags |= INTERNET_FLAG_SECURE;
    if (!request_.followRedirects)
        flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
    // Declared after the connection, so it is closed first.
    TSessionHandle request(lease_, lease_.MakeHandle([&] {
        return HttpOpenRequestA(connection.Get(), request_.verb.c_str(), request_.object.c_str(),
                                request_.version.c_str(), nullptr, nullptr, flags, request_.context);
    }));
    if (!request || !Send(request.Get()))
        return -1;
    ReadHeaders(request.Get());
    if (!ReadBody(request.Get()))
        return -1;
    // WinINet ends a body quietly when the connection closes early; only the announced
    // length shows that something is missing. Two framings cannot be checked at all: a
    // body ended by the close of the connection (an HTTP/1.0 answer without a length)
    // has no end to miss, and a chunked body cut short by a clean close looks complete,
    // because WinINet (Wine's at least) takes the close for the end and hands on only
    // the decoded bytes, never the chunk framing. A reset in the middle fails the read.
    return !declaredLength_ || *declaredLength_ == result_.bodySize ? 0 : -1;
}

template <typename Call>
BOOL TExchange::Blocking(Call call)
{
    callStarted_ = GetTickCount64();
    BOOL ok = call();
    callStarted_ = 0;
    // Closing the session ends a waiting call; the handles it closed must not be used again.
    if (!lease_.Open()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return ok;
}

bool TExchange::Send(HINTERNET request)
{
    // Wine takes the time-outs from the request handle only, not from the session.
    DWORD timeOut = RequestTimeOut;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionA(request, option, &timeOut, sizeof(timeOut));
    auto& headers = request_.headers;
    auto& body = request_.body;
    return Blocking([&] {
        return HttpSendRequestA(request, headers.data(), static_cast<DWORD>(headers.size()), body.data(),
                                static_cast<DWORD>(body.size()));
    });
}

void TExchange::ReadHeaders(HINTERNET request)
{
    result_.statusCode = QueryStatusCode(request);
    result_.setCookie = QueryHeader(request, HTTP_QUERY_SET_COOKIE);
    result_.rawHeaders = QueryHeader(request, HTTP_QUERY_RAW_HEADERS_CRLF);
    // A HEAD answer announces the length of a body it does not carry.
    if (request_.verb != "HEAD")
        declaredLength_ = ParseLength(QueryHeader(request, HTTP_QUERY_CONTENT_LENGTH));
}

bool TExchange::ReadBody(HINTERNET request)
{
    if (declaredLength_ && *declaredLength_ > BodyLimit)
        return false;
    std::array<char, ChunkSize> buffer;
    DWORD read = 0;
    do {
        DWORD available = 0;
        if (Blocking([&] { return InternetQueryDataAvailable(request, &available, 0, request_.context); })) {
            buffer.fill(0);
            read = 0;
            if (!Blocking([&] { return InternetReadFile(request, buffer.data(), ChunkSize, &read); }) &&
                GetLastError() != ERROR_IO_PENDING)
                return false;
            if (!Append(buffer.data(), read))
                return false;
        } else if (GetLastError() != ERROR_IO_PENDING) {
            return false;
        }
        if (abandoned_)
            return false;
    } while (read != 0);
    return true;
}

bool TExchange::Append(const char* bytes, DWORD count)
{
    if (count > BodyLimit - result_.bodySize)
        return false;
    result_.bodySize += count;
    auto& pieces = result_.body;
    while (count > 0) {
        if (pieces.empty() || pieces.back().size() == PieceSize) {
            pieces.emplace_back();
            pieces.back().reserve(PieceSize);
        }
        size_t taken = std::min<size_t>(count, PieceSize - pieces.back().size());
        pieces.back().append(bytes, taken);
        bytes += taken;
        count -= static_cast<DWORD>(taken);
    }
    return true;
}

} // namespace

TExchangeResult RunExchange(HINTERNET internet, TExchangeRequest request, HANDLE abortEvent)
{
    if (WaitForSingleObject(abortEvent, 0) == WAIT_OBJECT_0)
        return {};
    const ULONGLONG deadline = GetTickCount64() + request.deadline;
    auto exchange = std::make_shared<TExchange>(internet, std::move(request));
    if (!exchange->Done())
        return {};
    try {
        std::thread([exchange] { exchange->Run(); }).detach();
    } catch (const std::system_error&) {
        return {};
    }
    const HANDLE events[] = {exchange->Done(), abortEvent};
    for (;;) {
        ULONGLONG now = GetTickCount64();
        DWORD pause = now < deadline ? static_cast<DWORD>(std::min<ULONGLONG>(WatchInterval, deadline - now)) : 0;
        DWORD wait = WaitForMultipleObjects(2, events, FALSE, pause);
        if (wait == WAIT_OBJECT_0)
            return exchange->TakeResult();
        if (wait != WAIT_TIMEOUT || exchange->Stuck() || GetTickCount64() >= deadline) {
            exchange->Abandon();
            return {};
        }
    }
}

} // namespace net
