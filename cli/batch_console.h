#pragma once
// What quilmo-cli batch says: one line a pair on stdout, why pairs failed on stderr and, when
// stderr is a terminal, the progress there.

#include <cstdint>
#include <optional>

#include "batch_workers.h"

namespace quilmo::cli {

class TBatchConsole {
public:
    // plain: "K ok FILE" and "K error" instead of the progress window's lines. total: the pairs
    // of the run, when they could be counted first; without it the progress is a count alone.
    TBatchConsole(bool plain, std::optional<int64_t> total);

    // Raises when the reader of stdout has gone, so that no pair starts whose line cannot be
    // written.
    void CheckOutput() const;
    // A pair succeeds when it was saved without a message; every other pair is reported as
    // failed. Raises when the line cannot be written.
    void Report(const TBatchPair& pair, const TPairReport& report);
    // Raises, saying how many, when not every pair succeeded.
    void Finish();

private:
    void DrawBar() const;
    void ClearBar() const;

    const bool FPlain;
    const bool FBar;
    const std::optional<int64_t> FTotal;
    int64_t FDone = 0;
    int64_t FFailed = 0;
};

}  // namespace quilmo::cli
