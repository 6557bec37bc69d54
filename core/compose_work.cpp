#include "compose_work.h"

#include <algorithm>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/errors.h"
#include "color/color_transform.h"
#include "compose_schedule.h"
#include "composition.h"
#include "final_rows.h"
#include "join_settings.h"
#include "resample/row_resampler.h"
#include "resample/work_threads.h"

namespace quilmo {

namespace {

// Rows of a picture one task scales: small enough to share a picture among threads, large
// enough that handing them out costs little.
constexpr int32_t kBandRows = 16;
// Rows of the joined picture one fill task covers.
constexpr int32_t kFillRows = 64;
// Below this many joined pixels a second thread costs more than it saves.
constexpr int64_t kPixelsPerThread = 1 << 16;

// The rows of area, which lies inside rows.
TPixelRows PartOf(const TPixelRows& rows, const TRect& area)
{
    TPixelRows part{area.Width(), area.Height(), {}};
    for (int32_t y = area.Top; y < area.Bottom; ++y) part.Rows.push_back(rows.Rows[y] + int64_t{area.Left} * 3);
    return part;
}

// The pixels of one picture on their way into the joined picture: set up by the thread that
// reads it, then only read by the threads that scale its bands.
struct TPart {
    TRect Place;  // in the joined picture, frame included
    TJoinPicture Picture;
    TPixelRows From;
    TPixelRows To;
    // None: the rows are copied as they are.
    std::unique_ptr<TRowResampler> Resampler;
    // None: the picture's colours are the joined picture's.
    std::shared_ptr<const TColorTransform> Convert;
};

// How a picture read is drawn: in bands ending at these rows, with reports before those.
struct TBandPlan {
    std::vector<int32_t> BandEnds;
    std::vector<int32_t> ReportRows;
};

// The error a join raises: the first that happened, unless an earlier picture fails later (pictures
// are read in order, so one before a failed picture may still fail and then is the one to report).
struct TFirstError {
    std::exception_ptr Error;
    std::optional<size_t> Picture;  // none: the fill failed

    void Offer(std::exception_ptr error, std::optional<size_t> picture)
    {
        if (!Error || (picture && Picture && *picture < *Picture)) {
            Error = std::move(error);
            Picture = picture;
        }
    }
};

// What a part lets go of once it is drawn; released after the lock is left.
struct TReleased {
    std::unique_ptr<TRowResampler> Resampler;
    std::shared_ptr<const TColorTransform> Convert;
    TBigBitmap Copy;
};

class TComposeWork {
public:
    TComposeWork(TJoinSource& source, std::span<const TRect> places, const TJoinSettings& settings,
                 const TColorProfile& space, TBigBitmap& joined, const TProgressProc& progress,
                 const TJoinHooks& hooks, int threads)
        : FSource(source),
          FSettings(settings),
          FSpace(space),
          FJoined(joined),
          FProgress(progress),
          FHooks(hooks),
          FParts(places.size()),
          // One picture held per thread at most.
          FSchedule(static_cast<size_t>((joined.GetHeight() + kFillRows - 1) / kFillRows), places.size(),
                    static_cast<size_t>(threads)),
          FFinalRows(joined.GetHeight(), kFillRows, places, hooks.RowsDone)
    {
        for (size_t i = 0; i < places.size(); ++i) {
            FParts[i].Place = places[i];
            FProfiles.push_back(source.ProfileOf(i));
        }
        // Where no picture lies, in columns of each row band: the places sorted from the left.
        FSortedPlaces.assign(places.begin(), places.end());
        std::sort(FSortedPlaces.begin(), FSortedPlaces.end(),
                  [](const TRect& a, const TRect& b) { return a.Left < b.Left; });
        const TColor joinColour = ConvertColor(settings.JoinColor, space);
        const uint8_t colour[3] = {ColorBlue(joinColour), ColorGreen(joinColour), ColorRed(joinColour)};
        FColourRow.resize(static_cast<size_t>(joined.GetWidth()) * 3);
        for (size_t k = 0; k < FColourRow.size(); ++k) FColourRow[k] = colour[k % 3];
    }

    void Run(int threads)
    {
        RunWorkers(threads, [this](TRelay& relay) { Work(relay); });
        if (FError.Error) std::rethrow_exception(FError.Error);
    }

private:
    void Work(TRelay& relay)
    {
        // Working memory of the resampler of the picture this worker last scaled.
        const TPart* workPart = nullptr;
        std::unique_ptr<TRowWork> rowWork;
        std::unique_lock lock(FMutex);
        for (;;) {
            const TComposeTask task = FSchedule.Next();
            if (task.Kind == TComposeTask::Stop) break;
            if (task.Kind == TComposeTask::Wait) {
                FChanged.wait(lock);
                continue;
            }
            TPart* part = task.Kind == TComposeTask::Fill ? nullptr : &FParts[task.Index];
            std::unique_ptr<TReleased> released;
            lock.unlock();
            try {
                TBandPlan plan;
                if (task.Kind == TComposeTask::Fill) {
                    FillGroup(static_cast<int32_t>(task.Index));
                } else if (task.Kind == TComposeTask::Read) {
                    plan = Read(task.Index);
                } else {
                    if (workPart != part) {
                        rowWork = part->Resampler ? part->Resampler->NewWork() : nullptr;
                        workPart = part;
                    }
                    ComputeBand(*part, task.Band, rowWork.get());
                }
                lock.lock();
                // Every change of the schedule is made here, under the lock, where the rows told
                // final read it.
                if (task.Kind == TComposeTask::Fill)
                    FSchedule.FillDone(task.Index);
                else if (task.Kind == TComposeTask::Read)
                    FSchedule.PictureRead(task.Index, std::move(plan.BandEnds), std::move(plan.ReportRows));
                else
                    released = BandDone(task.Index, task.Band.Index, relay);
                FFinalRows.Update(FSchedule.FillsInOrder(), FSchedule.Pictures());
            } catch (...) {
                if (!lock.owns_lock()) lock.lock();
                FError.Offer(std::current_exception(), part ? std::optional(task.Index) : std::nullopt);
                FSchedule.Stop();
            }
            FChanged.notify_all();
            if (released) {
                lock.unlock();
                released.reset();
                lock.lock();
            }
        }
        FChanged.notify_all();
    }

    void FillGroup(int32_t group)
    {
        const int32_t first = group * kFillRows;
        const int32_t last = std::min(first + kFillRows, FJoined.GetHeight());
        for (int32_t y = first; y < last; ++y) {
            uint8_t* row = FJoined.GetScanline(y);
            int32_t x = 0;
            for (const TRect& place : FSortedPlaces) {
                if (y < place.Top || y >= place.Bottom) continue;
                FillSpan(row, x, place.Left);
                x = std::max(x, place.Right);
            }
            FillSpan(row, x, FJoined.GetWidth());
        }
    }

    void FillSpan(uint8_t* row, int32_t from, int32_t to) const
    {
        if (to > from)
            std::memcpy(row + int64_t{from} * 3, FColourRow.data(), static_cast<size_t>(to - from) * 3);
    }

    // Sets picture i's pixels up; returns how it is drawn, which the schedule takes under the lock.
    TBandPlan Read(size_t i)
    {
        TPart& part = FParts[i];
        FSource.Read(i, part.Picture);
        TBigBitmap& picture = *part.Picture.Pixels;
        if (picture.PixelFormat() != bbpf24bit) throw EConvertError("A picture was not converted to 24 bits");
        part.From = RowsOf(picture);
        if (!part.Picture.Area.IsEmpty()) part.From = PartOf(part.From, part.Picture.Area);
        const int32_t width = part.Place.Width();
        const int32_t height = part.Place.Height();
        const bool sameSize = part.From.Width == width && part.From.Height == height;
        if (FSettings.Method == rmOriginal && !sameSize)
            throw EConvertError("A picture changed its size while it was converted");
        part.Convert = ColorTransform(FProfiles[i], FSpace);
        part.To = {width, height, {}};
        part.To.Rows.resize(static_cast<size_t>(height));
        for (int32_t y = 0; y < height; ++y)
            part.To.Rows[y] = FJoined.GetScanline(part.Place.Top + y) + int64_t{part.Place.Left} * 3;
        TBandPlan plan;
        // A picture that has its size already is drawn as it is, without reports.
        if (!sameSize) {
            CheckRowLengths(part.From.Width, width);
            part.Resampler = BigEnlargerMaker(FSettings.Method, FSettings.FUseSSE2)(part.From, width, height);
            if (FProgress) {
                const auto count = static_cast<int32_t>(std::min<size_t>(FParts.size(), INT32_MAX));
                plan.ReportRows = ReportRows(height, EnlargerProgress(count, height, FProgress).Step);
            }
        }
        plan.BandEnds = RowGroupEnds(height, plan.ReportRows, kBandRows);
        return plan;
    }

    static void ComputeBand(TPart& part, const TPictureStates::TBand& band, TRowWork* work)
    {
        const auto rowBytes = static_cast<size_t>(part.To.Width) * 3;
        for (int32_t y = band.FirstRow; y < band.EndRow; ++y) {
            if (part.Resampler) {
                part.Resampler->ComputeRow(y, part.To.Rows[y], work);
                if (part.Convert) part.Convert->Apply(part.To.Rows[y], part.To.Rows[y], part.To.Width);
            } else if (part.Convert) {
                part.Convert->Apply(part.From.Rows[y], part.To.Rows[y], part.To.Width);
            } else {
                std::memcpy(part.To.Rows[y], part.From.Rows[y], rowBytes);
            }
        }
    }

    // Under the lock; returns what a part that is now drawn lets go of.
    std::unique_ptr<TReleased> BandDone(size_t i, size_t band, TRelay& relay)
    {
        const size_t drawnBefore = FSchedule.DrawnInOrder();
        const TBandDone done = FSchedule.BandDone(i, band);
        for (size_t k = 0; k < done.Reports; ++k) relay.Post([this] { FProgress(0, 100, 3); });
        if (FHooks.Placed)
            for (size_t placed = drawnBefore; placed < FSchedule.DrawnInOrder(); ++placed)
                relay.Post([this, placed] { FHooks.Placed(placed); });
        if (!done.Drawn) return nullptr;
        TPart& part = FParts[i];
        auto released = std::make_unique<TReleased>();
        released->Resampler = std::move(part.Resampler);
        released->Convert = std::move(part.Convert);
        released->Copy.TakeOver(part.Picture.Copy);
        part.Picture.Pixels = nullptr;
        return released;
    }

    TJoinSource& FSource;
    const TJoinSettings& FSettings;
    const TColorProfile& FSpace;
    std::vector<TColorProfile> FProfiles;
    TBigBitmap& FJoined;
    const TProgressProc& FProgress;
    const TJoinHooks& FHooks;
    std::vector<TPart> FParts;
    std::vector<TRect> FSortedPlaces;
    std::vector<uint8_t> FColourRow;

    // Shared among the workers, under FMutex.
    std::mutex FMutex;
    std::condition_variable FChanged;
    TComposeSchedule FSchedule;
    TFinalRows FFinalRows;
    TFirstError FError;
};

}  // namespace

void ComposePixels(TJoinSource& source, std::span<const TRect> places, const TJoinSettings& settings,
                   const TColorProfile& space, TBigBitmap& joined, const TProgressProc& progress,
                   const TJoinHooks& hooks)
{
    const int threads = ThreadsFor(int64_t{joined.GetWidth()} * joined.GetHeight(), kPixelsPerThread);
    TComposeWork(source, places, settings, space, joined, progress, hooks, threads).Run(threads);
}

}  // namespace quilmo
