#include "batch_workers.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <stdexcept>
#include <thread>
#include <utility>

#include "ending_signals.h"
#include "bigbitmap/ui_text.h"

namespace quilmo::cli {

namespace {

// Frames between the processes: a 32-bit length, then numbers and texts (each text a 32-bit
// length and its bytes), in the byte order of the machine they never leave.
class TFrameWriter {
public:
    TFrameWriter& Number(int32_t value)
    {
        FBytes.append(reinterpret_cast<const char*>(&value), sizeof value);
        return *this;
    }
    TFrameWriter& Text(const std::string& text)
    {
        Number(static_cast<int32_t>(text.size()));
        FBytes += text;
        return *this;
    }
    // False when the reader is gone.
    bool Send(int fd) const;

private:
    std::string FBytes;
};

class TFrameReader {
public:
    explicit TFrameReader(std::string bytes) : FBytes(std::move(bytes)) {}
    int32_t Number()
    {
        int32_t value = 0;
        Take(&value, sizeof value);
        return value;
    }
    std::string Text()
    {
        std::string text(static_cast<size_t>(Number()), '\0');
        Take(text.data(), text.size());
        return text;
    }

private:
    void Take(void* data, size_t size)
    {
        if (size > FBytes.size() - FPosition) throw std::runtime_error(UiText(UI_TEXT("quilmo", "作業プロセスから壊れたデータが届きました")));
        std::memcpy(data, FBytes.data() + FPosition, size);
        FPosition += size;
    }

    std::string FBytes;
    size_t FPosition = 0;
};

bool WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool ReadAll(int fd, char* data, size_t size)
{
    while (size > 0) {
        const ssize_t count = ::read(fd, data, size);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        data += count;
        size -= static_cast<size_t>(count);
    }
    return true;
}

bool TFrameWriter::Send(int fd) const
{
    const auto size = static_cast<uint32_t>(FBytes.size());
    return WriteAll(fd, reinterpret_cast<const char*>(&size), sizeof size) &&
           WriteAll(fd, FBytes.data(), FBytes.size());
}

// The next frame; nothing when the writer has gone.
std::optional<TFrameReader> ReceiveFrame(int fd)
{
    uint32_t size = 0;
    if (!ReadAll(fd, reinterpret_cast<char*>(&size), sizeof size)) return std::nullopt;
    std::string bytes(size, '\0');
    if (!ReadAll(fd, bytes.data(), size)) return std::nullopt;
    return TFrameReader(std::move(bytes));
}

bool SendPair(int fd, const TBatchPair& pair)
{
    return TFrameWriter().Number(pair.Number).Text(pair.Left).Text(pair.Right).Send(fd);
}

TBatchPair ReadPair(TFrameReader& frame)
{
    TBatchPair pair;
    pair.Number = frame.Number();
    pair.Left = frame.Text();
    pair.Right = frame.Text();
    return pair;
}

bool SendReport(int fd, const TPairReport& report)
{
    TFrameWriter frame;
    const TPairOutcome& outcome = report.Outcome;
    frame.Number(outcome.Ok).Text(outcome.FileName).Text(outcome.Error).Text(outcome.Note);
    frame.Number(static_cast<int32_t>(report.Messages.size()));
    for (const std::string& message : report.Messages) frame.Text(message);
    return frame.Send(fd);
}

TPairReport ReadReport(TFrameReader& frame)
{
    TPairReport report;
    report.Outcome.Ok = frame.Number() != 0;
    report.Outcome.FileName = frame.Text();
    report.Outcome.Error = frame.Text();
    report.Outcome.Note = frame.Text();
    for (int32_t count = frame.Number(); count > 0; --count) report.Messages.push_back(frame.Text());
    return report;
}

void CloseFd(int& fd)
{
    if (fd >= 0) ::close(fd);
    fd = -1;
}

std::string DescribeEnd(int status)
{
    if (WIFSIGNALED(status))
        return FillIn(UiText(UI_TEXT("quilmo", "作業プロセスがシグナル %1 で終了しました")), std::to_string(WTERMSIG(status)));
    return FillIn(UiText(UI_TEXT("quilmo", "作業プロセスが終了コード %1 で終了しました")), std::to_string(WEXITSTATUS(status)));
}

TPairReport Failure(const std::string& error)
{
    TPairReport report;
    report.Outcome.Error = error;
    return report;
}

std::string TimeoutMessage(int seconds)
{
    if (seconds == 1) return UiText(UI_TEXT("quilmo", "この組は 1 秒を超えました"));
    return FillIn(UiText(UI_TEXT("quilmo", "この組は %1 秒を超えました")), std::to_string(seconds));
}

using TClock = std::chrono::steady_clock;

// How long a stopped worker has to remove its temporary file and end before it is killed.
constexpr auto kStopGrace = std::chrono::seconds(2);

// A pair handed to a worker, or waiting for one.
struct TTask {
    TBatchPair Pair;
    TPairClearance Clearance;
    int64_t Sequence = 0;  // its place in the order done hears of the pairs
};

// One child process: takes pairs from In, answers on Out.
struct TWorker {
    pid_t Pid = -1;
    int In = -1;   // this process writes pairs here
    int Out = -1;  // and reads reports here
    std::optional<TTask> Task;
    TClock::time_point Deadline;
};

using TFinished = std::map<int64_t, std::pair<TBatchPair, TPairReport>>;

class TWorkerPool {
public:
    TWorkerPool(const TWorkerOptions& options, const TPairWork& work)
        : FOptions(options), FWork(work), FWorkers(static_cast<size_t>(std::max(1, options.Jobs)))
    {
        for (TWorker& worker : FWorkers) Start(worker);
    }
    // Idle workers end at the end of their input; busy ones are stopped.
    ~TWorkerPool()
    {
        for (TWorker& worker : FWorkers) End(worker, worker.Task.has_value());
    }
    TWorkerPool(const TWorkerPool&) = delete;
    TWorkerPool& operator=(const TWorkerPool&) = delete;

    void Run(const TNextPair& next, const TPairDone& done)
    {
        TFinished finished;
        int64_t read = 0;      // pairs taken from next
        int64_t reported = 0;  // pairs done has heard of
        // done hears of the pairs in order, before more are handed out, so that a run it stops
        // starts no pair after that.
        const auto report = [&] {
            for (auto it = finished.find(reported); it != finished.end(); it = finished.find(++reported)) {
                done(it->second.first, it->second.second);
                finished.erase(it);
            }
        };
        std::optional<TTask> waiting;
        bool more = true;
        for (;;) {
            report();
            // Pairs go out in order, each once the pair it comes after is finished.
            for (TWorker* idle = Idle(); idle; idle = Idle()) {
                if (!waiting) {
                    TTask task;
                    more = more && next(task.Pair, task.Clearance);
                    if (!more) break;
                    task.Sequence = read++;
                    if (!task.Clearance.Refusal.empty()) {
                        finished.emplace(task.Sequence, std::pair{task.Pair, Failure(task.Clearance.Refusal)});
                        continue;
                    }
                    waiting = std::move(task);
                }
                if (Busy(waiting->Clearance.After)) break;
                Hand(*idle, std::move(*waiting));
                waiting.reset();
            }
            if (!Busy(INT32_MAX) && !waiting && !more) break;
            Wait(finished);
        }
        report();
    }

private:
    void Start(TWorker& worker)
    {
        int toChild[2];
        int fromChild[2];
        if (::pipe(toChild) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
        if (::pipe(fromChild) != 0) {
            ::close(toChild[0]);
            ::close(toChild[1]);
            throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
        }
        const TEndingSignalsBlocked blocked;
        // What is buffered now would otherwise be written once more by the child.
        std::fflush(nullptr);
        const pid_t parent = ::getpid();
        const pid_t pid = ::fork();
        if (pid == 0) {
            BecomeWorker(parent);
            // The child keeps only its own two ends, so that every worker sees the end of its
            // input once this process closes it.
            for (TWorker& other : FWorkers) {
                CloseFd(other.In);
                CloseFd(other.Out);
            }
            ::close(toChild[1]);
            ::close(fromChild[0]);
            Serve(toChild[0], fromChild[1]);
        }
        ::close(toChild[0]);
        ::close(fromChild[1]);
        if (pid < 0) {
            ::close(toChild[1]);
            ::close(fromChild[0]);
            throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
        }
        WatchWorker(pid);
        worker.Pid = pid;
        worker.In = toChild[1];
        worker.Out = fromChild[0];
    }

    [[noreturn]] void Serve(int in, int out)
    {
        int status = 0;
        try {
            while (std::optional<TFrameReader> frame = ReceiveFrame(in)) {
                if (!SendReport(out, FWork(ReadPair(*frame)))) break;
            }
        } catch (...) {
            status = 1;
        }
        // Nothing of the parent's is cleaned up or flushed from here.
        ::_exit(status);
    }

    // Closes worker's pipes and waits for it to end; stop: it is stopped first. Returns how it
    // ended.
    int End(TWorker& worker, bool stop)
    {
        CloseFd(worker.In);
        CloseFd(worker.Out);
        int status = 0;
        if (worker.Pid <= 0) return status;
        if (stop) {
            ::kill(worker.Pid, SIGTERM);
            const TClock::time_point limit = TClock::now() + kStopGrace;
            while (::waitpid(worker.Pid, &status, WNOHANG) == 0) {
                // Stuck where SIGTERM does not reach it.
                if (TClock::now() >= limit) {
                    ::kill(worker.Pid, SIGKILL);
                    ::waitpid(worker.Pid, &status, 0);
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        } else {
            ::waitpid(worker.Pid, &status, 0);
        }
        ForgetWorker(worker.Pid);
        worker.Pid = -1;
        return status;
    }

    TWorker* Idle()
    {
        for (TWorker& worker : FWorkers)
            if (!worker.Task) return &worker;
        return nullptr;
    }

    // A worker is on a pair numbered up to number.
    bool Busy(int32_t number) const
    {
        return std::any_of(FWorkers.begin(), FWorkers.end(), [number](const TWorker& worker) {
            return worker.Task && worker.Task->Pair.Number <= number;
        });
    }

    void Hand(TWorker& worker, TTask task)
    {
        worker.Task = std::move(task);
        worker.Deadline = TClock::now() + std::chrono::seconds(FOptions.Timeout);
        // A worker gone before it took the pair fails it like one that died with it.
        if (!SendPair(worker.In, worker.Task->Pair)) FReplaced.push_back(&worker);
    }

    // Until a worker answers or runs out of time; what became of their pairs goes to finished.
    void Wait(TFinished& finished)
    {
        if (!FReplaced.empty()) {
            for (TWorker* worker : std::exchange(FReplaced, {})) Finish(*worker, finished, Replace(*worker, ""));
            return;
        }
        std::vector<pollfd> waiting;
        TClock::time_point soonest = TClock::time_point::max();
        for (const TWorker& worker : FWorkers) {
            if (!worker.Task) continue;
            waiting.push_back({worker.Out, POLLIN, 0});
            soonest = std::min(soonest, worker.Deadline);
        }
        if (waiting.empty()) return;
        int timeout = -1;
        if (FOptions.Timeout > 0) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(soonest - TClock::now());
            timeout = static_cast<int>(std::max<int64_t>(0, left.count()));
        }
        if (::poll(waiting.data(), waiting.size(), timeout) < 0 && errno != EINTR)
            throw std::runtime_error(std::string("poll: ") + std::strerror(errno));
        const TClock::time_point now = TClock::now();
        for (const pollfd& ready : waiting) {
            TWorker& worker = WorkerReadingFrom(ready.fd);
            if (ready.revents != 0)
                Finish(worker, finished, Collect(worker));
            else if (FOptions.Timeout > 0 && now >= worker.Deadline)
                Finish(worker, finished, Replace(worker, TimeoutMessage(FOptions.Timeout)));
        }
    }

    void Finish(TWorker& worker, TFinished& finished, TPairReport report)
    {
        finished.emplace(worker.Task->Sequence, std::pair{worker.Task->Pair, std::move(report)});
        worker.Task.reset();
    }

    TWorker& WorkerReadingFrom(int fd)
    {
        for (TWorker& worker : FWorkers)
            if (worker.Out == fd) return worker;
        throw std::logic_error("no worker reads that pipe");
    }

    // The report of worker's pair; a worker that has gone is replaced.
    TPairReport Collect(TWorker& worker)
    {
        std::optional<TFrameReader> frame = ReceiveFrame(worker.Out);
        return frame ? ReadReport(*frame) : Replace(worker, "");
    }

    // worker is ended and a new one takes its place; its pair fails with why, or with how the
    // worker ended when why is empty.
    TPairReport Replace(TWorker& worker, const std::string& why)
    {
        const int status = End(worker, true);
        Start(worker);
        return Failure(why.empty() ? DescribeEnd(status) : why);
    }

    const TWorkerOptions FOptions;
    const TPairWork& FWork;
    std::vector<TWorker> FWorkers;
    std::vector<TWorker*> FReplaced;  // workers that did not take the pair handed to them
};

}  // namespace

void RunPairs(const TNextPair& next, const TWorkerOptions& options, const TPairWork& work,
              const TPairDone& done)
{
    if (options.Jobs <= 1 && options.Timeout <= 0) {
        TBatchPair pair;
        TPairClearance clearance;
        while (next(pair, clearance))
            done(pair, clearance.Refusal.empty() ? work(pair) : Failure(clearance.Refusal));
        return;
    }
    TWorkerPool pool(options, work);
    pool.Run(next, done);
}

}  // namespace quilmo::cli
