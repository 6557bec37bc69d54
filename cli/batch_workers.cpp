#include "batch_workers.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <stdexcept>
#include <utility>

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
        if (size > FBytes.size() - FPosition) throw std::runtime_error("A worker sent a broken frame");
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
    frame.Number(report.Outcome.Ok).Text(report.Outcome.FileName).Text(report.Outcome.Error);
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
    if (WIFSIGNALED(status)) return "was killed by signal " + std::to_string(WTERMSIG(status));
    return "ended with status " + std::to_string(WEXITSTATUS(status));
}

// One child process: takes pairs from In, answers on Out.
struct TWorker {
    pid_t Pid = -1;
    int In = -1;   // this process writes pairs here
    int Out = -1;  // and reads reports here
    std::optional<TBatchPair> Pair;
    int64_t Sequence = 0;
};

class TWorkerPool {
public:
    TWorkerPool(int jobs, const TPairWork& work) : FWork(work), FWorkers(static_cast<size_t>(jobs))
    {
        // A worker that dies must not take this process with it through a write to its pipe.
        FOldPipeHandler = ::signal(SIGPIPE, SIG_IGN);
        for (TWorker& worker : FWorkers) Start(worker);
    }
    ~TWorkerPool()
    {
        for (TWorker& worker : FWorkers) Stop(worker);
        ::signal(SIGPIPE, FOldPipeHandler);
    }
    TWorkerPool(const TWorkerPool&) = delete;
    TWorkerPool& operator=(const TWorkerPool&) = delete;

    void Run(TPairReader& reader, const TPairDone& done)
    {
        bool more = true;
        int64_t sent = 0;
        int64_t next = 0;  // the sequence number done hears of next
        std::map<int64_t, std::pair<TBatchPair, TPairReport>> finished;
        for (;;) {
            for (TWorker& worker : FWorkers) {
                if (worker.Pair || !more) continue;
                TBatchPair pair;
                more = reader.Next(pair);
                if (!more) break;
                worker.Pair = pair;
                worker.Sequence = sent++;
                if (!SendPair(worker.In, pair)) finished.emplace(worker.Sequence, Lost(worker));
            }
            std::vector<pollfd> waiting;
            for (const TWorker& worker : FWorkers)
                if (worker.Pair) waiting.push_back({worker.Out, POLLIN, 0});
            if (waiting.empty()) break;
            if (::poll(waiting.data(), waiting.size(), -1) < 0 && errno != EINTR)
                throw std::runtime_error(std::string("poll: ") + std::strerror(errno));
            for (const pollfd& ready : waiting) {
                if (ready.revents == 0) continue;
                TWorker& worker = WorkerReadingFrom(ready.fd);
                const int64_t sequence = worker.Sequence;
                finished.emplace(sequence, Collect(worker));
            }
            for (auto it = finished.find(next); it != finished.end(); it = finished.find(++next)) {
                done(it->second.first, it->second.second);
                finished.erase(it);
            }
        }
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
        // What is buffered now would otherwise be written once more by the child.
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
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

    void Stop(TWorker& worker)
    {
        CloseFd(worker.In);
        CloseFd(worker.Out);
        int status = 0;
        if (worker.Pid > 0) ::waitpid(worker.Pid, &status, 0);
        worker.Pid = -1;
    }

    TWorker& WorkerReadingFrom(int fd)
    {
        for (TWorker& worker : FWorkers)
            if (worker.Out == fd) return worker;
        throw std::logic_error("no worker reads that pipe");
    }

    // The report of worker's pair; a worker that has gone is replaced.
    std::pair<TBatchPair, TPairReport> Collect(TWorker& worker)
    {
        std::optional<TFrameReader> frame = ReceiveFrame(worker.Out);
        if (!frame) return Lost(worker);
        std::pair<TBatchPair, TPairReport> result{*worker.Pair, ReadReport(*frame)};
        worker.Pair.reset();
        return result;
    }

    // worker died with its pair: the pair fails, a new worker takes its place.
    std::pair<TBatchPair, TPairReport> Lost(TWorker& worker)
    {
        CloseFd(worker.In);
        CloseFd(worker.Out);
        int status = 0;
        ::waitpid(worker.Pid, &status, 0);
        worker.Pid = -1;
        TPairReport report;
        report.Outcome.Error = "The worker process " + DescribeEnd(status);
        std::pair<TBatchPair, TPairReport> result{*worker.Pair, report};
        worker.Pair.reset();
        Start(worker);
        return result;
    }

    const TPairWork& FWork;
    std::vector<TWorker> FWorkers;
    void (*FOldPipeHandler)(int) = nullptr;
};

}  // namespace

void RunPairs(TPairReader& reader, int jobs, const TPairWork& work, const TPairDone& done)
{
    if (jobs <= 1) {
        TBatchPair pair;
        while (reader.Next(pair)) done(pair, work(pair));
        return;
    }
    TWorkerPool pool(jobs, work);
    pool.Run(reader, done);
}

}  // namespace quilmo::cli
