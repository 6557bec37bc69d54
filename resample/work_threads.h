#pragma once
// How many threads the work of one command may use, and how the thread that hands work out
// waits for it. Work threads compute; the thread that started the work only waits, carrying out
// what the work hands back to it (progress reports) in order, and meanwhile lets in whatever its
// own caller needs to do while waiting (a window handles its input). With one thread, all work
// runs on the calling thread in the order a single thread would do it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace quilmo {

// The processors this program may run on (its affinity mask), at least 1.
int ProcessorCount();
// Threads one piece of work may use: ProcessorCount() until set.
int WorkThreads();
// A count below 1 goes back to ProcessorCount().
void SetWorkThreads(int count);

// What the calling thread does while it waits for work threads, for as long as the scope lives;
// scopes nest. Work for a thread that waits so runs a little below it in priority, so that the
// waiting thread (a window) wins the processors when the work keeps all of them busy.
class TWhileWaiting {
public:
    // idle is called at least every few milliseconds of waiting.
    explicit TWhileWaiting(std::function<void()> idle);
    // idle may block until the caller has input to handle or wake is called: the work calls wake
    // (from any thread) whenever it hands something to the waiting thread and when it ends, and
    // a wake that comes before idle blocks must end its next wait at once.
    TWhileWaiting(std::function<void()> idle, std::function<void()> wake);
    ~TWhileWaiting();
    TWhileWaiting(const TWhileWaiting&) = delete;
    TWhileWaiting& operator=(const TWhileWaiting&) = delete;

    void Idle() const { FIdle(); }
    bool Blocks() const { return static_cast<bool>(FWake); }
    void Wake() const { FWake(); }

private:
    const TWhileWaiting* FOuter;
    std::function<void()> FIdle;
    std::function<void()> FWake;
};

// Calls a work thread hands to the thread that waits for it.
class TRelay {
public:
    virtual ~TRelay() = default;
    // call runs on the waiting thread, after every call handed over before it.
    virtual void Post(std::function<void()> call) = 0;
};

// Runs worker on threads threads at once and returns when all have ended, carrying out the
// calls they post meanwhile. With one thread, worker runs on the calling thread and a posted
// call runs at once, unless the calling thread waits while waiting (TWhileWaiting) and work may
// use more than one thread: then the worker runs on a thread of its own all the same. The first error raised (by a worker or a posted call) is raised here once
// every worker has ended; workers that wait for one another must stop waiting on an error.
void RunWorkers(int threads, const std::function<void(TRelay&)>& worker);

// A worker's way of doing tasks; it may keep working memory from one task to the next.
using TTaskRunner = std::function<void(int64_t task)>;

// Runs work on a work thread while the calling thread waits in a scope of TWhileWaiting (so that a
// large allocation, copy or release never holds it up), else on the calling thread.
void RunAside(const std::function<void()>& work);

// Every task of 0..count-1 done once by up to threads workers (each made by newWorker on its own
// thread) in no fixed order; finished(task) runs on the calling thread, in task order, as soon
// as that task and all before it are done. After an error no further task starts, and the
// error is raised. With one thread: task 0, finished(0), task 1, finished(1), ...
void RunTasks(int threads, int64_t count, const std::function<TTaskRunner()>& newWorker,
              const std::function<void(int64_t task)>& finished = {});

// Pieces of work done in any order, and how many of them are done from the first on.
class TDoneInOrder {
public:
    explicit TDoneInOrder(size_t count = 0) : FDone(count) {}
    // Returns how many pieces are now done from the first on.
    size_t MarkDone(size_t piece);
    size_t Leading() const { return FLeading; }
    size_t Count() const { return FDone.size(); }
    bool AllDone() const { return FLeading == FDone.size(); }

private:
    std::vector<bool> FDone;
    size_t FLeading = 0;
};

// The threads worth using for work of that size: one per share, at least 1, at most
// WorkThreads().
int ThreadsFor(int64_t work, int64_t share);

}  // namespace quilmo
