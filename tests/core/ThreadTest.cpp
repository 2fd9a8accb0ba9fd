#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>

#include "core/Thread.h"

namespace {

class TSleeper : public core::TThread {
public:
    explicit TSleeper(DWORD milliseconds, bool fail = false) : milliseconds_(milliseconds), fail_(fail) {}
    ~TSleeper() override { WaitFor(); }
    std::atomic<int> runs{0};
    std::atomic<bool> done{false};

protected:
    void Execute() override
    {
        ++runs;
        Sleep(milliseconds_);
        done = true;
        if (fail_)
            throw std::runtime_error("body failed");
    }

private:
    DWORD milliseconds_;
    bool fail_;
};

} // namespace

TEST(Thread, NeverStartedThreadIsReleasedWithoutRunning)
{
    auto thread = std::make_unique<TSleeper>(5000);
    EXPECT_FALSE(thread->Started());
    DWORD before = GetTickCount();
    thread.reset();
    EXPECT_LT(GetTickCount() - before, 1000u);
}

TEST(Thread, StartRunsTheBodyOnceAndDestructionWaitsForIt)
{
    auto thread = std::make_unique<TSleeper>(300);
    std::atomic<int>* runs = &thread->runs;
    thread->Start();
    thread->Start();
    EXPECT_NE(thread->ThreadId(), GetCurrentThreadId());
    std::atomic<bool>* done = &thread->done;
    EXPECT_FALSE(*done);
    thread->WaitFor();
    EXPECT_TRUE(*done);
    EXPECT_EQ(*runs, 1);
    EXPECT_TRUE(thread->Finished());
}

namespace {

// A body that keeps only static state, so that it may go on running while its object is
// destroyed; its class leaves the waiting to the base destructor alone.
std::atomic<bool> bodyEntered{false};
std::atomic<bool> bodyEnded{false};

class TUnwaitedThread : public core::TThread {
protected:
    void Execute() override
    {
        bodyEntered = true;
        Sleep(300);
        bodyEnded = true;
    }
};

} // namespace

TEST(Thread, DestructionWaitsForARunningBody)
{
    bodyEntered = false;
    bodyEnded = false;
    auto thread = std::make_unique<TUnwaitedThread>();
    thread->Start();
    // Destroying before the body has begun would call it on a half-destroyed object.
    while (!bodyEntered)
        Sleep(1);
    thread.reset();
    EXPECT_TRUE(bodyEnded);
}

TEST(Thread, ExceptionStaysInsideTheThread)
{
    TSleeper thread(0, true);
    thread.Start();
    thread.WaitFor();
    EXPECT_TRUE(thread.Finished());
    ASSERT_TRUE(thread.FatalException());
    EXPECT_THROW(std::rethrow_exception(thread.FatalException()), std::runtime_error);
}
