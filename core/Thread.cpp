#include "core/Thread.h"

#include "core/Exceptions.h"

namespace core {

TThread::TThread()
{
    handle_.Reset(CreateThread(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &threadId_));
    if (!handle_)
        RaiseLastOSError();
}

TThread::~TThread()
{
    if (!started_) {
        // The suspended thread must still end: let it run with nothing to do.
        cancelled_ = true;
        ResumeThread(handle_.Get());
    }
    WaitForSingleObject(handle_.Get(), INFINITE);
}

void TThread::Start()
{
    if (started_.exchange(true))
        return;
    ResumeThread(handle_.Get());
}

void TThread::WaitFor()
{
    if (started_)
        WaitForSingleObject(handle_.Get(), INFINITE);
}

DWORD WINAPI TThread::ThreadProc(void* self)
{
    auto* thread = static_cast<TThread*>(self);
    if (!thread->cancelled_) {
        try {
            thread->Execute();
        } catch (...) {
            thread->fatalException_ = std::current_exception();
        }
    }
    thread->finished_ = true;
    return 0;
}

} // namespace core
