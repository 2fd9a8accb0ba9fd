#pragma once
#include <atomic>
#include <cstdint>
#include <memory>

#include "core/Thread.h"
#include "core/Win32.h"
#include "net/Request.h"

#include <wininet.h>

namespace net {

// Runs one request on a thread of its own and posts DoneMessage to TargetWindow when
// it has finished (wParam 0, lParam the request's result). Created suspended: the
// owner sets the request's fields, calls Start, reads Response on receipt of the
// message and then destroys the object, which waits for a body still running.
class TInetThread : public core::TThread {
public:
    TInetThread(HWND targetWindow, HINTERNET inetHandle, UINT doneMessage);
    ~TInetThread() override;

    TRequest& Request() { return *request_; }
    TResponse& Response() { return request_->Response(); }
    HINTERNET InetHandle() const { return inetHandle_; }
    HWND TargetWindow() const { return targetWindow_; }
    UINT DoneMessage() const { return doneMessage_; }

    // True once the exchange has ended and Result holds its outcome. It is set before
    // the message is posted, so a window that receives the message always finds it set,
    // while Finished (the thread body's end) may still be false at that moment.
    bool Completed() const { return completed_.load(std::memory_order_acquire); }
    // The exchange's result, 0 or -1, as the message carries it; -1 until Completed.
    int32_t Result() const { return result_.load(std::memory_order_acquire); }

    // Ends the exchange early, from any thread; the message still follows, with -1.
    void Abort() { request_->Abort(); }

protected:
    void Execute() override;

private:
    void RunExchange();

    std::unique_ptr<TRequest> request_;
    HINTERNET inetHandle_;
    HWND targetWindow_;
    UINT doneMessage_;
    std::atomic<int32_t> result_{-1};
    std::atomic<bool> completed_{false};
};

// The worker thread the main window creates for each download.
class TInternetThread : public TInetThread {
public:
    using TInetThread::TInetThread;
};

} // namespace net
