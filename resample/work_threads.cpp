#include "resample/work_threads.h"

#if defined(__linux__)
#include <sched.h>
#endif

#include <algorithm>
#include <atomic>
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

std::atomic<int> gWorkThreads{0};
thread_local const std::function<void()>* tIdle = nullptr;

// The relay of RunWorkers with more than one thread: posted calls queue up until the waiting
// thread takes them.
class TQueuedRelay final : public TRelay {
public:
    explicit TQueuedRelay(int running) : FRunning(running) {}

    void Post(std::function<void()> call) override
    {
        const std::lock_guard lock(FMutex);
        FCalls.push_back(std::move(call));
        FWake.notify_one();
    }

    void WorkerEnded(std::exception_ptr error)
    {
        const std::lock_guard lock(FMutex);
        if (error && !FError) FError = error;
        --FRunning;
        FWake.notify_one();
    }

    // Carries out posted calls and lets the caller in until every worker has ended.
    void Wait()
    {
        auto lastIdle = std::chrono::steady_clock::now();
        for (;;) {
            std::deque<std::function<void()>> calls;
            bool ended = false;
            {
                std::unique_lock lock(FMutex);
                FWake.wait_for(lock, kIdleInterval, [this] { return !FCalls.empty() || FRunning == 0; });
                calls.swap(FCalls);
                ended = FRunning == 0;
            }
            for (auto& call : calls) Carry(call);
            if (tIdle && std::chrono::steady_clock::now() - lastIdle >= kIdleInterval) {
                Carry(*tIdle);
                lastIdle = std::chrono::steady_clock::now();
            }
            if (ended && calls.empty()) break;
        }
        if (FError) std::rethrow_exception(FError);
    }

private:
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
    return threads <= 1 && (!tIdle || WorkThreads() == 1);
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

TWhileWaiting::TWhileWaiting(std::function<void()> idle) : FOuter(tIdle), FIdle(std::move(idle))
{
    tIdle = &FIdle;
}

TWhileWaiting::~TWhileWaiting()
{
    tIdle = FOuter;
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
    {
        std::vector<std::jthread> pool;
        pool.reserve(static_cast<size_t>(threads));
        for (int i = 0; i < threads; ++i)
            pool.emplace_back([&] {
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
