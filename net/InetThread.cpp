#include "net/InetThread.h"

namespace net {

TInetThread::TInetThread(HWND targetWindow, HINTERNET inetHandle, UINT doneMessage)
    : request_(std::make_unique<TRequest>()), inetHandle_(inetHandle), targetWindow_(targetWindow),
      doneMessage_(doneMessage)
{
}

TInetThread::~TInetThread()
{
    // The body uses the request: it must have ended before the request is freed.
    WaitFor();
}

void TInetThread::Execute()
{
    RunExchange();
}

void TInetThread::RunExchange()
{
    int32_t result = -1;
    try {
        result = request_->Perform(inetHandle_);
    } catch (...) {
        // The owner waits for the message, so a failure inside must still send one.
    }
    result_ = result;
    completed_.store(true, std::memory_order_release);
    if (!IsWindow(targetWindow_))
        return;
    if (IsWindowUnicode(targetWindow_))
        PostMessageW(targetWindow_, doneMessage_, 0, result);
    else
        PostMessageA(targetWindow_, doneMessage_, 0, result);
}

} // namespace net
