#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "resample/row_resampler.h"

namespace quilmo {

namespace {

// Below this many source pixels read a second thread costs more than it saves.
constexpr int64_t kPixelsPerThread = 1 << 16;
// Rows a worker takes at a time.
constexpr int32_t kRowsPerGrab = 4;

int WorkerCount(int64_t pixels)
{
    const auto cores = static_cast<int64_t>(std::max(1u, std::thread::hardware_concurrency()));
    return static_cast<int>(std::clamp<int64_t>(pixels / kPixelsPerThread, 1, cores));
}

void ComputeRowRange(const TRowResampler& resampler, const TPixelRows& dest, int32_t first,
                     int32_t last)
{
    const int workers =
        WorkerCount(int64_t{last - first} * dest.Width * resampler.SourcePixelsPerPixel());
    std::atomic<int32_t> next{first};
    auto compute = [&] {
        const std::unique_ptr<TRowWork> work = resampler.NewWork();
        for (int32_t start; (start = next.fetch_add(kRowsPerGrab)) < last;)
            for (int32_t y = start; y < std::min(start + kRowsPerGrab, last); ++y)
                resampler.ComputeRow(y, dest.Rows[y], work.get());
    };
    std::vector<std::jthread> helpers;
    for (int i = 1; i < workers; ++i) helpers.emplace_back(compute);
    compute();
}

// The rows before which a progress call is made, in order.
std::vector<int32_t> ReportRows(int32_t height, int32_t step)
{
    std::vector<int32_t> rows;
    int32_t next = step;
    for (int32_t y = 0; y < height; ++y) {
        if (y != next) continue;
        rows.push_back(y);
        next += step;
    }
    return rows;
}

}  // namespace

TProgressPlan EnlargerProgress(int32_t count, int32_t newHeight, const TProgressProc& progress)
{
    const int shift = count == 1 ? 4 : count == 2 ? 3 : 2;
    return {newHeight >> shift, 3, &progress};
}

TProgressPlan ReducerProgress(int32_t amount, int32_t newHeight, const TProgressProc& progress)
{
    return {newHeight / 4, amount, &progress};
}

void ComputeRows(const TRowResampler& resampler, const TPixelRows& dest, const TProgressPlan& plan)
{
    const bool reports = plan.Progress && *plan.Progress;
    int32_t done = 0;
    if (reports) {
        for (int32_t row : ReportRows(dest.Height, plan.Step)) {
            ComputeRowRange(resampler, dest, done, row);
            (*plan.Progress)(0, 100, plan.Amount);
            done = row;
        }
    }
    ComputeRowRange(resampler, dest, done, dest.Height);
}

}  // namespace quilmo
