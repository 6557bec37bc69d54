#pragma once
// Whatever quilmo-cli does, a signal that ends it (SIGTERM, SIGINT, SIGHUP) leaves no temporary
// file behind and ends the batch workers with it; the program then ends as the signal would have
// ended it.

#include <signal.h>
#include <sys/types.h>

namespace quilmo::cli {

// One signal's action, replaced for as long as it lives. A signal that was ignored when the
// program started stays ignored.
class TSignalAction {
public:
    TSignalAction(int signal, void (*handler)(int));
    ~TSignalAction();
    TSignalAction(const TSignalAction&) = delete;
    TSignalAction& operator=(const TSignalAction&) = delete;

private:
    const int FSignal;
    struct sigaction FKept {};
    bool FInstalled = false;
};

// Handles the ending signals for as long as it lives.
class TEndingSignals {
public:
    TEndingSignals();

private:
    const TSignalAction FTerminate;
    const TSignalAction FInterrupt;
    const TSignalAction FHangUp;
};

// Blocks the ending signals for as long as it lives, so that a worker is never ended between
// its fork and the moment it is known.
class TEndingSignalsBlocked {
public:
    TEndingSignalsBlocked();
    ~TEndingSignalsBlocked();
    TEndingSignalsBlocked(const TEndingSignalsBlocked&) = delete;
    TEndingSignalsBlocked& operator=(const TEndingSignalsBlocked&) = delete;

private:
    sigset_t FKept{};
};

// The workers an ending signal is passed on to, as SIGTERM.
void WatchWorker(pid_t pid);
void ForgetWorker(pid_t pid);

// In a worker just forked under TEndingSignalsBlocked: the other workers are not its own, it
// ends when parent ends, and the ending signals reach it again.
void BecomeWorker(pid_t parent);

}  // namespace quilmo::cli
