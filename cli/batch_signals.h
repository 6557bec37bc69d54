#pragma once
// A batch run ended by a signal (SIGTERM, SIGINT, SIGHUP) ends its workers with it and leaves no
// temporary file behind; a closed standard output is an error the run sees, not a signal that
// ends it.

#include <signal.h>
#include <sys/types.h>

#include <array>

namespace quilmo::cli {

// Handles the ending signals, and ignores SIGPIPE, for as long as it lives. A signal that was
// ignored when the program started stays ignored.
class TBatchSignals {
public:
    TBatchSignals();
    ~TBatchSignals();
    TBatchSignals(const TBatchSignals&) = delete;
    TBatchSignals& operator=(const TBatchSignals&) = delete;

private:
    std::array<struct sigaction, 4> FKept{};
    std::array<bool, 4> FInstalled{};
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
