// The threads work runs on, and what the thread that waits for them does meanwhile.

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "resample/work_threads.h"
#include "support/work_threads_scope.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

TEST(WorkThreads, FollowTheProcessorsTheProgramMayRunOn)
{
    cpu_set_t allowed;
    ASSERT_EQ(sched_getaffinity(0, sizeof allowed, &allowed), 0);
    EXPECT_EQ(ProcessorCount(), CPU_COUNT(&allowed));
    int first = 0;
    while (!CPU_ISSET(first, &allowed)) ++first;
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(first, &one);
    ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
    EXPECT_EQ(ProcessorCount(), 1);
    {
        const TWorkThreadsScope unset(0);
        EXPECT_EQ(WorkThreads(), 1);
    }
    sched_setaffinity(0, sizeof allowed, &allowed);
}

TEST(WorkThreads, TasksFinishInOrderOnTheCallingThread)
{
    const std::thread::id caller = std::this_thread::get_id();
    const int64_t count = 40;
    std::vector<std::atomic<int>> runs(count);
    std::vector<int64_t> finished;
    RunTasks(4, count, [&] {
        return [&](int64_t task) {
            // Later tasks end first now and then.
            std::this_thread::sleep_for(std::chrono::microseconds((count - task) % 7 * 300));
            ++runs[task];
        };
    }, [&](int64_t task) {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        EXPECT_EQ(runs[task], 1);
        finished.push_back(task);
    });
    ASSERT_EQ(finished.size(), size_t(count));
    for (int64_t task = 0; task < count; ++task) {
        EXPECT_EQ(runs[task], 1) << task;
        EXPECT_EQ(finished[task], task);
    }
}

TEST(WorkThreads, AnErrorStopsTheTasksAndIsRaised)
{
    std::atomic<int> started{0};
    EXPECT_THROW(RunTasks(2, 1000, [&] {
                     return [&](int64_t task) {
                         ++started;
                         if (task == 3) throw std::runtime_error("task 3");
                         std::this_thread::sleep_for(std::chrono::milliseconds(1));
                     };
                 }),
                 std::runtime_error);
    EXPECT_LT(started, 1000);
}

TEST(WorkThreads, AWaitingThreadKeepsAnsweringAndHandsEvenOneTaskAway)
{
    const std::thread::id caller = std::this_thread::get_id();
    std::atomic<int> idle{0};
    // One task, which lasts until the waiting thread has answered that often: however busy the
    // machine, a thread that keeps answering gets there (one that stops is given ten seconds).
    const auto ranOn = [&](int threads, int answers) {
        const TWorkThreadsScope scope(threads);
        std::thread::id where;
        RunTasks(1, 1, [&] {
            return [&](int64_t) {
                where = std::this_thread::get_id();
                for (int wait = 0; idle < answers && wait < 10000; ++wait)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            };
        });
        return where;
    };
    EXPECT_EQ(ranOn(2, 0), caller);
    {
        const TWhileWaiting answering([&] {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            ++idle;
        });
        EXPECT_NE(ranOn(2, 3), caller);
        EXPECT_GE(idle, 3);
        // On one thread everything stays on the calling one.
        idle = 0;
        EXPECT_EQ(ranOn(1, 0), caller);
        EXPECT_EQ(idle, 0);
    }
}

// The wait of an event loop: blocks until woken, and a wake that comes first ends the next wait
// at once. A wait the work forgets to end is given ten seconds and counted.
class TEventLoopWait {
public:
    void Wait()
    {
        std::unique_lock lock(FMutex);
        if (!FWoken.wait_for(lock, std::chrono::seconds(10), [this] { return FWake; })) ++Forgotten;
        FWake = false;
    }
    void Wake()
    {
        const std::lock_guard lock(FMutex);
        FWake = true;
        ++FWakes;
        FWoken.notify_all();
    }
    // What a progress report does once the work has woken the loop wakes times: handles what is
    // there without blocking, the wake included.
    void HandleAfter(int wakes)
    {
        std::unique_lock lock(FMutex);
        FWoken.wait_for(lock, std::chrono::seconds(10), [&] { return FWakes >= wakes; });
        FWake = false;
    }

    int Forgotten = 0;

private:
    std::mutex FMutex;
    std::condition_variable FWoken;
    bool FWake = false;
    int FWakes = 0;
};

int ThreadNice()
{
    return getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
}

TEST(WorkThreads, AWaitingThreadThatBlocksIsWokenByTheWorkWhichRunsBelowIt)
{
    const TWorkThreadsScope scope(2);
    TEventLoopWait loop;
    std::vector<int> calls;
    std::atomic<int> workNice{0};
    {
        const TWhileWaiting answering([&] { loop.Wait(); }, [&] { loop.Wake(); });
        RunWorkers(2, [&](TRelay& relay) {
            workNice = ThreadNice();
            for (int k = 0; k < 3; ++k) relay.Post([&calls, k] { calls.push_back(k); });
        });
    }
    EXPECT_EQ(loop.Forgotten, 0);
    EXPECT_EQ(calls.size(), 6u);
    if (ThreadNice() < 19) {
        EXPECT_GT(workNice, ThreadNice());
    }
}

// The last worker ends while a posted call runs, and the call handles the loop's events, its
// wake among them: the waiting thread must still see that the work is done.
TEST(WorkThreads, AWakeTakenByAPostedCallIsNotWaitedForAgain)
{
    const TWorkThreadsScope scope(2);
    TEventLoopWait loop;
    std::atomic<bool> mayEnd{false};
    {
        const TWhileWaiting answering([&] { loop.Wait(); }, [&] { loop.Wake(); });
        RunWorkers(1, [&](TRelay& relay) {
            relay.Post([&] {
                mayEnd = true;
                loop.HandleAfter(2);  // the post's wake and the end's
            });
            while (!mayEnd) std::this_thread::yield();
        });
    }
    EXPECT_EQ(loop.Forgotten, 0);
}

}  // namespace
