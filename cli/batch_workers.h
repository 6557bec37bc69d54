#pragma once
// Pairs done by several processes at once. Each worker is a child process of its own, so the
// decoders and plug-ins, which keep state of their own between calls, never run side by side
// in one process, and a worker that crashes takes only its pair with it.

#include <functional>
#include <string>
#include <vector>

#include "batch/pair_saving.h"
#include "batch_pairs.h"

namespace quilmo::cli {

// What became of one pair, with the plug-in messages of pictures replaced by blank pages.
struct TPairReport {
    TPairOutcome Outcome;
    std::vector<std::string> Messages;
};

using TPairWork = std::function<TPairReport(const TBatchPair& pair)>;
using TPairDone = std::function<void(const TBatchPair& pair, const TPairReport& report)>;

// work on every pair of reader, in jobs processes (this one alone for 1); done hears of each
// pair in this process, in the order of the pairs. A worker that dies fails its pair and is
// replaced.
void RunPairs(TPairReader& reader, int jobs, const TPairWork& work, const TPairDone& done);

}  // namespace quilmo::cli
