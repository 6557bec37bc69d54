#include "ending_signals.h"

#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <unistd.h>

#include <array>
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

void EndProgram(int signal)
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

TSignalAction::TSignalAction(int signal, void (*handler)(int)) : FSignal(signal)
{
    if (::sigaction(signal, nullptr, &FKept) != 0 || FKept.sa_handler == SIG_IGN) return;
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_mask = EndingSignals();
    FInstalled = ::sigaction(signal, &action, nullptr) == 0;
}

TSignalAction::~TSignalAction()
{
    if (FInstalled) ::sigaction(FSignal, &FKept, nullptr);
}

TEndingSignals::TEndingSignals()
    : FTerminate(SIGTERM, EndProgram), FInterrupt(SIGINT, EndProgram), FHangUp(SIGHUP, EndProgram)
{
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
