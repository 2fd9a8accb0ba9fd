#include <gtest/gtest.h>

#include <memory>

#include "net/InetThread.h"
#include "net/InternetHandle.h"
#include "tests/net/NetTestSupport.h"

using net::TInternetThread;
using namespace net_testing;

namespace {

std::unique_ptr<TInternetThread> MakeThread(HWND window, const char* host, const std::string& path)
{
    auto thread = std::make_unique<TInternetThread>(window, net::InternetHandle, DoneMessage);
    Describe(thread->Request(), host, path);
    return thread;
}

// A worker whose body goes on for a while after the completion message, as any body
// does for a moment (the post returns, Execute unwinds).
class TLingeringThread : public TInternetThread {
public:
    using TInternetThread::TInternetThread;
    ~TLingeringThread() override { WaitFor(); }

protected:
    void Execute() override
    {
        TInternetThread::Execute();
        Sleep(300);
    }
};

// Takes this thread's pending completion message for a window, if there is one.
bool TakeDoneMessage(HWND window, MSG& message)
{
    return PeekMessageW(&message, window, DoneMessage, DoneMessage, PM_REMOVE) != FALSE;
}

} // namespace

TEST(InetThread, PostsTheResultToWideAndAnsiWindows)
{
    struct Case {
        const char* name;
        bool unicode;
        const char* host;
        const char* path;
        LPARAM result;
        std::string body;
    } cases[] = {
        {"wide window, success", true, Server, "/bytes/3000", 0, Pattern(3000)},
        {"wide window, failure", true, NobodyListens, "/bytes/3000", -1, ""},
        {"ANSI window, success", false, Server, "/bytes/3000", 0, Pattern(3000)},
        {"ANSI window, failure", false, NobodyListens, "/bytes/3000", -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRecordingWindow window(c.unicode);
        ASSERT_EQ(IsWindowUnicode(window.Handle()) != FALSE, c.unicode);
        auto thread = MakeThread(window.Handle(), c.host, c.path);
        thread->Start();
        const auto& received = window.WaitForMessages(1, 10000);
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].message, DoneMessage);
        EXPECT_EQ(received[0].wParam, 0u);
        EXPECT_EQ(received[0].lParam, c.result);
        EXPECT_TRUE(thread->Response().BodyText() == c.body);
        thread.reset();
        PumpMessages(50);
        EXPECT_EQ(window.Received().size(), 1u);
    }
}

// The window procedure that receives the completion reads the thread's state at once,
// while the body is still lingering.
TEST(InetThread, ReceivedCompletionAlwaysReadsAsCompleted)
{
    struct Case {
        const char* name;
        const char* host;
        LPARAM result;
    } cases[] = {{"success", Server, 0}, {"failure", NobodyListens, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRecordingWindow window;
        TLingeringThread thread(window.Handle(), net::InternetHandle, DoneMessage);
        Describe(thread.Request(), c.host, "/bytes/10");
        EXPECT_FALSE(thread.Completed());
        bool completed = false;
        bool finished = true;
        int32_t result = 1;
        window.OnMessage = [&](const TPosted&) {
            completed = thread.Completed();
            finished = thread.Finished();
            result = thread.Result();
        };
        thread.Start();
        const auto& received = window.WaitForMessages(1, 10000);
        ASSERT_EQ(received.size(), 1u);
        EXPECT_TRUE(completed);
        EXPECT_EQ(result, received[0].lParam);
        EXPECT_EQ(received[0].lParam, c.result);
        EXPECT_FALSE(finished) << "the body was meant to linger after its message";
    }
}

TEST(InetThread, WindowDestroyedBeforeTheEndGetsNothing)
{
    TRecordingWindow window;
    HWND handle = window.Handle();
    auto thread = MakeThread(handle, Server, "/slow/300");
    thread->Start();
    window.Destroy();
    thread->WaitFor();
    EXPECT_EQ(thread->Response().BodyText(), "slow");
    thread.reset();
    MSG message;
    EXPECT_FALSE(TakeDoneMessage(nullptr, message));
}

TEST(InetThread, DestroyingARunningThreadWaitsForTheExchange)
{
    TRecordingWindow window;
    auto thread = MakeThread(window.Handle(), Server, "/slow/500");
    thread->Start();
    ULONGLONG start = Now();
    thread.reset();
    EXPECT_GE(Now() - start, 400u);
    // The message was posted before the body ended, so it is already waiting.
    MSG message;
    ASSERT_TRUE(TakeDoneMessage(window.Handle(), message));
    EXPECT_EQ(message.wParam, 0u);
    EXPECT_EQ(message.lParam, 0);
}

TEST(InetThread, NeverStartedThreadIsReleasedAtOnceWithoutAnExchange)
{
    TRecordingWindow window;
    auto thread = MakeThread(window.Handle(), Server, "/slow/5000");
    ULONGLONG start = Now();
    thread.reset();
    EXPECT_LT(Now() - start, 1000u);
    PumpMessages(100);
    EXPECT_TRUE(window.Received().empty());
}

// Each server answers /together only once all three hold such a request, so the three
// exchanges succeed only if they run at the same time.
TEST(InetThread, ThreeThreadsRunAtTheSameTime)
{
    TRecordingWindow window;
    std::vector<std::unique_ptr<TInternetThread>> threads;
    for (const char* host : GroupServers)
        threads.push_back(MakeThread(window.Handle(), host, "/together"));
    for (auto& thread : threads)
        thread->Start();
    const auto& received = window.WaitForMessages(3, 20000);
    ASSERT_EQ(received.size(), 3u);
    for (const auto& posted : received)
        EXPECT_EQ(posted.lParam, 0);
    for (auto& thread : threads)
        EXPECT_EQ(thread->Response().BodyText(), "together");
}
