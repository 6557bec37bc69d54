#include "batch_signals.h"

#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "bigbitmap/temporary_files.h"

namespace quilmo::cli {

namespace {

constexpr std::array<int, 3> kEndingSignals = {SIGTERM, SIGINT, SIGHUP};

// As many as --jobs allows; read by the handler, so without locks.
std::array<std::atomic<pid_t>, 256> workers;

static_assert(std::atomic<pid_t>::is_always_lock_free);

sigset_t EndingSignals()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kEndingSignals) sigaddset(&set, signal);
    return set;
}

void EndRun(int signal)
{
    const int kept = errno;
    for (const std::atomic<pid_t>& worker : workers)
        if (const pid_t pid = worker.load(); pid > 0) ::kill(pid, SIGTERM);
    RemoveTemporaryFiles();
    // End as the signal would have ended the program; it arrives once the handler returns.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(signal, &fallback, nullptr);
    ::raise(signal);
    errno = kept;
}

}  // namespace

TBatchSignals::TBatchSignals()
{
    struct sigaction handler {};
    handler.sa_handler = EndRun;
    handler.sa_mask = EndingSignals();
    for (size_t i = 0; i < kEndingSignals.size(); ++i) {
        ::sigaction(kEndingSignals[i], nullptr, &FKept[i]);
        if (FKept[i].sa_handler == SIG_IGN) continue;
        FInstalled[i] = ::sigaction(kEndingSignals[i], &handler, nullptr) == 0;
    }
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    FInstalled.back() = ::sigaction(SIGPIPE, &ignore, &FKept.back()) == 0;
}

TBatchSignals::~TBatchSignals()
{
    for (size_t i = 0; i < kEndingSignals.size(); ++i)
        if (FInstalled[i]) ::sigaction(kEndingSignals[i], &FKept[i], nullptr);
    if (FInstalled.back()) ::sigaction(SIGPIPE, &FKept.back(), nullptr);
}

TEndingSignalsBlocked::TEndingSignalsBlocked()
{
    const sigset_t ending = EndingSignals();
    ::sigprocmask(SIG_BLOCK, &ending, &FKept);
}

TEndingSignalsBlocked::~TEndingSignalsBlocked()
{
    ::sigprocmask(SIG_SETMASK, &FKept, nullptr);
}

void WatchWorker(pid_t pid)
{
    for (std::atomic<pid_t>& worker : workers) {
        pid_t free = 0;
        if (worker.compare_exchange_strong(free, pid)) return;
    }
}

void ForgetWorker(pid_t pid)
{
    for (std::atomic<pid_t>& worker : workers) {
        pid_t known = pid;
        worker.compare_exchange_strong(known, 0);
    }
}

void BecomeWorker(pid_t parent)
{
    for (std::atomic<pid_t>& worker : workers) worker.store(0);
#ifdef __linux__
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
#endif
    // The parent may have ended before the line above.
    if (::getppid() != parent) ::_exit(1);
    const sigset_t ending = EndingSignals();
    ::sigprocmask(SIG_UNBLOCK, &ending, nullptr);
}

}  // namespace quilmo::cli
