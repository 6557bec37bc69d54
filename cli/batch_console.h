#pragma once
// What quilmo-cli batch says: one line a pair on stdout, why pairs failed on stderr and, when
// stderr is a terminal, a progress bar there.

#include <cstdint>

#include "batch_pairs.h"
#include "batch_workers.h"

namespace quilmo::cli {

class TBatchConsole {
public:
    // plain: "K ok FILE" and "K error" instead of the progress window's lines. The bar counts
    // the pairs of reader first.
    TBatchConsole(bool plain, TPairReader& reader);

    void Report(const TBatchPair& pair, const TPairReport& report);
    // Raises, saying how many, when not every pair succeeded.
    void Finish();

private:
    void DrawBar() const;
    void ClearBar() const;

    const bool FPlain;
    const bool FBar;
    int64_t FTotal = 0;
    int64_t FDone = 0;
    int64_t FFailed = 0;
};

}  // namespace quilmo::cli
