#include "resample/work_threads.h"

#if defined(__linux__)
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace quilmo {

namespace {

// The longest the waiting thread goes without letting its caller in.
constexpr auto kIdleInterval = std::chrono::milliseconds(10);
// How far below a waiting thread (a window) its work runs: enough that the window, and the
// display server it answers through, come first when they want a processor.
constexpr int kNiceBelowWaiting = 5;

std::atomic<int> gWorkThreads{0};
thread_local const TWhileWaiting* tWaiting = nullptr;

// On Linux a thread's nice value is its own; elsewhere the work keeps the caller's priority.
void RunBelowWaitingThread()
{
#if defined(__linux__)
    const auto self = static_cast<id_t>(::gettid());
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, self);
    if (errno == 0) ::setpriority(PRIO_PROCESS, self, nice + kNiceBelowWaiting);
#endif
}

// The relay of RunWorkers with more than one thread: posted calls queue up until the waiting
// thread takes them.
class TQueuedRelay final : public TRelay {
public:
    explicit TQueuedRelay(int running) : FRunning(running), FWaiting(tWaiting) {}

    void Post(std::function<void()> call) override
    {
        {
            const std::lock_guard lock(FMutex);
            FCalls.push_back(std::move(call));
            FWake.notify_one();
        }
        WakeWaitingThread();
    }

    void WorkerEnded(std::exception_ptr error)
    {
        {
            const std::lock_guard lock(FMutex);
            if (error && !FError) FError = error;
            --FRunning;
            FWake.notify_one();
        }
        WakeWaitingThread();
    }

    // Carries out posted calls and lets the caller in until every worker has ended.
    void Wait()
    {
        auto lastIdle = std::chrono::steady_clock::now();
        for (;;) {
            // A caller that blocks in its idle call is woken by the work instead of the clock;
            // after a failed call it is no longer called.
            const bool blocks = FWaiting && FWaiting->Blocks() && !FCallFailed;
            std::deque<std::function<void()>> calls;
            bool ended = false;
            {
                std::unique_lock lock(FMutex);
                if (!blocks)
                    FWake.wait_for(lock, kIdleInterval, [this] { return !FCalls.empty() || FRunning == 0; });
                calls.swap(FCalls);
                ended = FRunning == 0;
            }
            for (auto& call : calls) Carry(call);
            if (ended) break;
            // A call that lets the caller handle its input (a progress report) may have taken the
            // wake of what came meanwhile, so that is looked for again before the caller blocks.
            if (blocks && HasNews()) continue;
            if (FWaiting && (blocks || std::chrono::steady_clock::now() - lastIdle >= kIdleInterval)) {
                Carry([this] { FWaiting->Idle(); });
                lastIdle = std::chrono::steady_clock::now();
            }
        }
        if (FError) std::rethrow_exception(FError);
    }

private:
    bool HasNews()
    {
        const std::lock_guard lock(FMutex);
        return !FCalls.empty() || FRunning == 0;
    }

    void WakeWaitingThread()
    {
        if (FWaiting && FWaiting->Blocks()) FWaiting->Wake();
    }

    void Carry(const std::function<void()>& call)
    {
        if (FCallFailed) return;
        try {
            call();
        } catch (...) {
            // The workers still run on; the error is raised once they have ended.
            FCallFailed = true;
            const std::lock_guard lock(FMutex);
            if (!FError) FError = std::current_exception();
        }
    }

    std::mutex FMutex;
    std::condition_variable FWake;
    std::deque<std::function<void()>> FCalls;
    int FRunning;
    const TWhileWaiting* FWaiting;
    std::exception_ptr FError;
    bool FCallFailed = false;
};

class TImmediateRelay final : public TRelay {
public:
    void Post(std::function<void()> call) override { call(); }
};

// Whether work for that many threads runs on the calling thread itself. A thread that has to
// keep answering (a window's) hands even a single worker to another thread, unless all work is
// to stay on one thread.
bool RunsHere(int threads)
{
    return threads <= 1 && (!tWaiting || WorkThreads() == 1);
}

}  // namespace

int ProcessorCount()
{
#if defined(__linux__)
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
#endif
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

int WorkThreads()
{
    const int count = gWorkThreads.load(std::memory_order_relaxed);
    return count >= 1 ? count : ProcessorCount();
}

void SetWorkThreads(int count)
{
    gWorkThreads.store(std::max(count, 0), std::memory_order_relaxed);
}

TWhileWaiting::TWhileWaiting(std::function<void()> idle) : TWhileWaiting(std::move(idle), {}) {}

TWhileWaiting::TWhileWaiting(std::function<void()> idle, std::function<void()> wake)
    : FOuter(tWaiting), FIdle(std::move(idle)), FWake(std::move(wake))
{
    tWaiting = this;
}

TWhileWaiting::~TWhileWaiting()
{
    tWaiting = FOuter;
}


void RunWorkers(int threads, const std::function<void(TRelay&)>& worker)
{
    if (RunsHere(threads)) {
        TImmediateRelay relay;
        worker(relay);
        return;
    }
    threads = std::max(threads, 1);
    TQueuedRelay relay(threads);
    const bool belowCaller = tWaiting != nullptr;
    {
        std::vector<std::jthread> pool;
        pool.reserve(static_cast<size_t>(threads));
        for (int i = 0; i < threads; ++i)
            pool.emplace_back([&] {
                if (belowCaller) RunBelowWaitingThread();
                std::exception_ptr error;
                try {
                    worker(relay);
                } catch (...) {
                    error = std::current_exception();
                }
                relay.WorkerEnded(error);
            });
        relay.Wait();
    }
}

void RunAside(const std::function<void()>& work)
{
    RunWorkers(1, [&](TRelay&) { work(); });
}

size_t TDoneInOrder::MarkDone(size_t piece)
{
    FDone[piece] = true;
    while (FLeading < FDone.size() && FDone[FLeading]) ++FLeading;
    return FLeading;
}

int ThreadsFor(int64_t work, int64_t share)
{
    return static_cast<int>(std::clamp<int64_t>(work / std::max<int64_t>(share, 1), 1, WorkThreads()));
}

void RunTasks(int threads, int64_t count, const std::function<TTaskRunner()>& newWorker,
              const std::function<void(int64_t task)>& finished)
{
    if (count <= 0) return;
    threads = static_cast<int>(std::clamp<int64_t>(threads, 1, count));
    if (RunsHere(threads)) {
        const TTaskRunner run = newWorker();
        for (int64_t task = 0; task < count; ++task) {
            run(task);
            if (finished) finished(task);
        }
        return;
    }
    std::atomic<int64_t> next{0};
    std::atomic<bool> failed{false};
    // Touched by the waiting thread only.
    TDoneInOrder done(static_cast<size_t>(count));
    RunWorkers(threads, [&](TRelay& relay) {
        try {
            const TTaskRunner run = newWorker();
            for (int64_t task; !failed && (task = next.fetch_add(1)) < count;) {
                run(task);
                relay.Post([&, task] {
                    const auto before = static_cast<int64_t>(done.Leading());
                    const auto after = static_cast<int64_t>(done.MarkDone(static_cast<size_t>(task)));
                    if (finished)
                        for (int64_t t = before; t < after; ++t) finished(t);
                });
            }
        } catch (...) {
            failed = true;
            throw;
        }
    });
}

}  // namespace quilmo
