#include <algorithm>
#include <memory>
#include <vector>

#include "resample/row_resampler.h"
#include "resample/work_threads.h"

namespace quilmo {

namespace {

// Below this many source pixels read a second thread costs more than it saves.
constexpr int64_t kPixelsPerThread = 1 << 16;
// Rows a worker takes at a time.
constexpr int32_t kRowsPerGrab = 4;

}  // namespace

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

std::vector<int32_t> RowGroupEnds(int32_t height, const std::vector<int32_t>& reportRows,
                                  int32_t rowsPerGroup)
{
    std::vector<int32_t> ends;
    int32_t start = 0;
    for (size_t k = 0; start < height; ++k) {
        const int32_t stop = k < reportRows.size() ? reportRows[k] : height;
        for (int32_t end = start; end < stop;) {
            end = std::min(end + rowsPerGroup, stop);
            ends.push_back(end);
        }
        start = stop;
    }
    return ends;
}

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
    const std::vector<int32_t> reportRows = reports ? ReportRows(dest.Height, plan.Step) : std::vector<int32_t>{};
    const std::vector<int32_t> ends = RowGroupEnds(dest.Height, reportRows, kRowsPerGrab);
    size_t reported = 0;
    const auto reportUpTo = [&](int32_t row) {
        for (; reported < reportRows.size() && reportRows[reported] <= row; ++reported)
            (*plan.Progress)(0, 100, plan.Amount);
    };
    reportUpTo(0);
    const int64_t work = int64_t{dest.Height} * dest.Width * resampler.SourcePixelsPerPixel();
    RunTasks(
        ThreadsFor(work, kPixelsPerThread), static_cast<int64_t>(ends.size()),
        [&] {
            std::shared_ptr<TRowWork> rowWork = resampler.NewWork();
            return [&, rowWork](int64_t group) {
                const int32_t end = ends[static_cast<size_t>(group)];
                for (int32_t y = group == 0 ? 0 : ends[static_cast<size_t>(group) - 1]; y < end; ++y)
                    resampler.ComputeRow(y, dest.Rows[y], rowWork.get());
            };
        },
        [&](int64_t group) { reportUpTo(ends[static_cast<size_t>(group)]); });
}

}  // namespace quilmo
