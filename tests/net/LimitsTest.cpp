#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/Win32.h"
#include "net/Exchange.h"
#include "net/InetThread.h"
#include "net/InternetHandle.h"
#include "tests/net/NetTestSupport.h"

#include <psapi.h>

using net::TInternetThread;
using namespace net_testing;

namespace {

struct TStallCase {
    const char* name;
    const char* host;
    const char* path;
    size_t bodySize; // sent with POST when not 0
};

// A server that accepts no connection, one that never reads the request, one that
// never answers and one that stops in the middle of the body.
const TStallCase Stalls[] = {
    {"no connection", ConnectStallServer, "/bytes/10", 0},
    {"request never read", NeverReadsServer, "/upload", 32 * 1024 * 1024},
    {"no answer", Server, "/stall-head", 0},
    {"body stops", Server, "/stall-body", 0},
};

std::unique_ptr<TInternetThread> StartThread(HWND window, const TStallCase& stall)
{
    auto thread = std::make_unique<TInternetThread>(window, net::InternetHandle, DoneMessage);
    Describe(thread->Request(), stall.host, stall.path);
    if (stall.bodySize) {
        thread->Request().SetField(net::TRequest::VerbField, "POST");
        thread->Request().Body.assign(stall.bodySize, 'x');
    }
    thread->Start();
    return thread;
}

SIZE_T WorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.WorkingSetSize;
}

struct TExchangeOutcome {
    int32_t result;
    std::string body;
    SIZE_T growth; // the largest working set seen while it ran, over the one before
};

TExchangeOutcome PerformWatchingMemory(const std::string& path)
{
    std::atomic<bool> done{false};
    SIZE_T before = WorkingSet();
    std::atomic<SIZE_T> peak{before};
    std::thread sampler([&] {
        while (!done) {
            peak = std::max<SIZE_T>(peak, WorkingSet());
            Sleep(1);
        }
    });
    net::TRequest request;
    int32_t result = Get(request, path);
    done = true;
    sampler.join();
    return {result, request.Response().BodyText(), peak - before};
}

} // namespace

// The shipped time-out itself, not a shortened one: every kind of stall ends with -1
// once it has passed, and not before. They run side by side, so this takes it once.
TEST(Limits, StalledExchangesEndWithinTheTimeOut)
{
    TRecordingWindow window;
    std::vector<std::unique_ptr<TInternetThread>> threads;
    ULONGLONG start = Now();
    for (const auto& stall : Stalls)
        threads.push_back(StartThread(window.Handle(), stall));
    const auto& received = window.WaitForMessages(std::size(Stalls), net::RequestTimeOut + 20000);
    ASSERT_EQ(received.size(), std::size(Stalls));
    for (const auto& posted : received) {
        EXPECT_EQ(posted.lParam, -1);
        EXPECT_GE(posted.arrived - start, net::RequestTimeOut - 1000u);
        EXPECT_LE(posted.arrived - start, net::RequestTimeOut + 5000u);
    }
    for (auto& thread : threads)
        EXPECT_EQ(thread->Response().BodyText(), "");
}

TEST(Limits, AbortEndsAStalledExchangeWithinASecond)
{
    for (const auto& stall : Stalls) {
        SCOPED_TRACE(stall.name);
        TRecordingWindow window;
        auto thread = StartThread(window.Handle(), stall);
        PumpMessages(500);
        ASSERT_TRUE(window.Received().empty());
        ULONGLONG aborted = Now();
        thread->Abort();
        const auto& received = window.WaitForMessages(1, 5000);
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].lParam, -1);
        EXPECT_LT(received[0].arrived - aborted, 1000u);
        thread.reset();
        EXPECT_LT(Now() - aborted, 1000u);
    }
}

TEST(Limits, AbortBeforeTheStartMakesTheExchangeFailAtOnce)
{
    TRecordingWindow window;
    auto thread = std::make_unique<TInternetThread>(window.Handle(), net::InternetHandle, DoneMessage);
    Describe(thread->Request(), Server, "/bytes/10");
    thread->Abort();
    thread->Start();
    const auto& received = window.WaitForMessages(1, 1000);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].lParam, -1);
    EXPECT_EQ(thread->Response().BodyText(), "");
}

// An aborted exchange leaves its helper waiting inside WinINet until the server or the
// time-out ends the call. Closing the session meanwhile must not hang, and the helper,
// when it ends, must not close handles of the session opened after it: WinINet hands
// the freed handle values out again. Exchanges on the new session run back to back
// until the helper has surely ended, so one of them holds those values when it does.
TEST(Limits, ClosingTheSessionWhileAnAbandonedHelperWaitsIsSafe)
{
    TRecordingWindow window;
    auto thread = StartThread(window.Handle(), Stalls[3]);
    PumpMessages(500);
    thread->Abort();
    ASSERT_EQ(window.WaitForMessages(1, 5000).size(), 1u);
    thread.reset();

    ULONGLONG closing = Now();
    net::CloseInternet();
    EXPECT_LT(Now() - closing, 1000u);
    EXPECT_EQ(net::InternetHandle, nullptr);
    ASSERT_TRUE(net::OpenInternet());

    int failures = 0;
    ULONGLONG helperGone = closing + net::RequestTimeOut + 3000;
    while (Now() < helperGone) {
        net::TRequest request;
        if (Get(request, "/slow/1000") != 0 || request.Response().BodyText() != "slow")
            ++failures;
    }
    EXPECT_EQ(failures, 0);
    net::TRequest after;
    EXPECT_EQ(Get(after, "/bytes/10"), 0);
}

// WinINet gives the values of handles freed with a closed session to new handles; a
// lease on the closed session must leave those alone.
TEST(Limits, LeaseOnAClosedSessionTouchesNoHandleOfTheNextOne)
{
    auto connect = [] {
        return InternetConnectA(net::InternetHandle, Server, INTERNET_DEFAULT_HTTP_PORT, nullptr, nullptr,
                                INTERNET_SERVICE_HTTP, 0, 0);
    };
    net::TSessionLease lease;
    ASSERT_TRUE(lease.Open());
    HINTERNET old = lease.MakeHandle(connect);
    ASSERT_NE(old, nullptr);
    net::CloseInternet();
    EXPECT_FALSE(lease.Open());
    EXPECT_EQ(lease.MakeHandle(connect), nullptr);

    // The new session or one of the connections made from it gets the old value.
    ASSERT_TRUE(net::OpenInternet());
    std::vector<HINTERNET> current{net::InternetHandle};
    while (std::find(current.begin(), current.end(), old) == current.end() && current.size() < 100) {
        current.push_back(connect());
        ASSERT_NE(current.back(), nullptr);
    }
    ASSERT_NE(std::find(current.begin(), current.end(), old), current.end()) << "the old value was not given out again";
    lease.CloseHandle(old);
    for (HINTERNET handle : current) {
        DWORD type = 0;
        DWORD size = sizeof(type);
        EXPECT_TRUE(InternetQueryOptionA(handle, INTERNET_OPTION_HANDLE_TYPE, &type, &size)) << handle;
    }
    for (size_t i = 1; i < current.size(); ++i)
        InternetCloseHandle(current[i]);
}

// The endless body is read until the limit and then given up: the process grows by
// about the limit more than for a tiny answer, not by what the server sends.
TEST(Limits, BodyOverTheLimitFailsWithoutHoldingIt)
{
    TExchangeOutcome tiny = PerformWatchingMemory("/bytes/10");
    ASSERT_EQ(tiny.result, 0);
    TExchangeOutcome endless = PerformWatchingMemory("/endless");
    EXPECT_EQ(endless.result, -1);
    EXPECT_TRUE(endless.body.empty());
    EXPECT_LT(endless.growth, tiny.growth + net::BodyLimit + 1024 * 1024)
        << "a tiny answer grew the process by " << tiny.growth << " bytes, the endless one by " << endless.growth;
}
