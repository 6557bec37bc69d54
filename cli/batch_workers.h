#pragma once
// Pairs done by several processes at once. Each worker is a child process of its own, so the
// decoders and plug-ins, which keep state of their own between calls, never run side by side
// in one process, and a worker that crashes or hangs takes only its pair with it.

#include <functional>
#include <string>
#include <vector>

#include "batch/pair_saving.h"
#include "batch/result_guard.h"

namespace quilmo::cli {

// What became of one pair, with the plug-in messages of pictures replaced by blank pages.
struct TPairReport {
    TPairOutcome Outcome;
    std::vector<std::string> Messages;
};

// The next pair and what the run may do with it; false after the last.
using TNextPair = std::function<bool(TBatchPair& pair, TPairClearance& clearance)>;
using TPairWork = std::function<TPairReport(const TBatchPair& pair)>;
using TPairDone = std::function<void(const TBatchPair& pair, const TPairReport& report)>;

struct TWorkerOptions {
    int Jobs = 1;  // processes at once
    // Seconds a pair may take, 0 for no limit. A pair that takes longer fails and its worker is
    // stopped; with a limit, pairs are done by a worker even for one job.
    int Timeout = 0;
};

// work on every pair of next, in this process alone or in workers; a refused pair fails with its
// refusal and is not worked on, and a pair starts only once the pair it comes after is finished.
// done hears of each pair in this process, in the order of the pairs. A worker that dies fails
// its pair and is replaced. When done raises, no pair starts any more, the workers are stopped
// and the error goes on.
void RunPairs(const TNextPair& next, const TWorkerOptions& options, const TPairWork& work,
              const TPairDone& done);

}  // namespace quilmo::cli
