#pragma once
// A resampler as the frames drive it: one destination row at a time, from a fixed source.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "resample/pixel_rows.h"
#include "resample/resample.h"

namespace quilmo {

// Working memory a thread keeps from one destination row to the next (source rows converted
// for the SSE2 loops, for instance).
class TRowWork {
public:
    virtual ~TRowWork() = default;
};

class TRowResampler {
public:
    virtual ~TRowResampler() = default;
    // The working memory of one thread; none unless the resampler needs some.
    virtual std::unique_ptr<TRowWork> NewWork() const { return nullptr; }
    // About how many source pixels one destination pixel reads: the work the rows are shared
    // out among threads by.
    virtual int64_t SourcePixelsPerPixel() const { return 1; }
    // Writes destination row y (3 bytes per pixel) into out. Reads only the source and work,
    // so different rows may be computed at the same time with different work.
    virtual void ComputeRow(int32_t y, uint8_t* out, TRowWork* work) const = 0;
};

// Builds the resampler of one call for a source and the target size.
using TResamplerMaker =
    std::function<std::unique_ptr<TRowResampler>(const TPixelRows& source, int32_t newWidth,
                                                 int32_t newHeight)>;

// The big-bitmap enlarger of method (rmBilinear..rmLanczos), on the SSE2 path when useSSE2 is
// set: what BigEnlarge computes, as row work.
TResamplerMaker BigEnlargerMaker(TResampleMethod method, bool useSSE2);

// How a call reports: Progress(0, 100, Amount) before row y whenever y reaches the next
// multiple of Step (once, before row 0, when Step is 0).
struct TProgressPlan {
    int32_t Step = 0;
    int32_t Amount = 0;
    const TProgressProc* Progress = nullptr;  // none: the call never reports
};

// Enlargers report by 3, more often the fewer pictures the caller scales in a row.
TProgressPlan EnlargerProgress(int32_t count, int32_t newHeight, const TProgressProc& progress);
// Box reducers report by amount, four times per picture.
TProgressPlan ReducerProgress(int32_t amount, int32_t newHeight, const TProgressProc& progress);

// The rows before which a plan reports, in order (row 0 only when Step is 0).
std::vector<int32_t> ReportRows(int32_t height, int32_t step);
// Where groups of at most rowsPerGroup rows end, also at every report row, so that a report
// can follow exactly the groups before it.
std::vector<int32_t> RowGroupEnds(int32_t height, const std::vector<int32_t>& reportRows,
                                  int32_t rowsPerGroup);

// Computes every row of dest. Rows between two progress calls may run on several threads; the
// progress calls are made from the calling thread, in row order.
void ComputeRows(const TRowResampler& resampler, const TPixelRows& dest, const TProgressPlan& plan);

}  // namespace quilmo
