#pragma once
#include <atomic>
#include <exception>

#include "core/Handles.h"
#include "core/Object.h"

namespace core {

// A thread object: the operating-system thread is created suspended, Start runs the
// body (Execute) once, and destroying the object waits for a running body. A thread
// that was never started is released without running its body.
//
// Subclasses whose Execute uses their own members call WaitFor at the start of their
// destructor, before those members are destroyed.
class TThread : public TObject {
public:
    TThread();
    ~TThread() override;

    // Lets the body run; later calls do nothing.
    void Start();
    // Blocks until the body has ended; returns at once when it was never started.
    void WaitFor();

    bool Started() const { return started_; }
    // True once Execute has returned. A body that tells others of its end from inside
    // Execute (by posting a message) is still running when they hear of it: such a
    // thread keeps a flag of its own, set before it tells.
    bool Finished() const { return finished_; }
    DWORD ThreadId() const { return threadId_; }
    HANDLE Handle() const { return handle_.Get(); }
    // An exception that escaped Execute, caught at the thread's boundary.
    std::exception_ptr FatalException() const { return fatalException_; }

protected:
    virtual void Execute() = 0;

private:
    static DWORD WINAPI ThreadProc(void* self);

    TKernelHandle handle_;
    DWORD threadId_ = 0;
    std::atomic<bool> started_{false};
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> finished_{false};
    std::exception_ptr fatalException_;
};

} // namespace core
