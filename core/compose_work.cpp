#include "compose_work.h"

#include <algorithm>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/errors.h"
#include "color/color_transform.h"
#include "composition.h"
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

// One picture on its way into the joined picture.
struct TPart {
    enum TState { Waiting, Reading, Ready, Finished };

    TRect Place;  // in the joined picture, frame included
    TState State = Waiting;
    TJoinPicture Picture;
    TPixelRows From;
    TPixelRows To;
    // None: the rows are copied as they are.
    std::unique_ptr<TRowResampler> Resampler;
    // None: the picture's colours are the joined picture's.
    std::shared_ptr<const TColorTransform> Convert;
    std::vector<int32_t> Reports;   // rows before which the enlarger reports
    std::vector<int32_t> BandEnds;  // picture rows
    size_t NextBand = 0;
    TDoneInOrder Bands;  // under the lock, from Ready on
    size_t Reported = 0;

    // The first joined row this picture may still write.
    int32_t FirstOpenRow() const
    {
        if (State == Finished) return INT32_MAX;
        return Place.Top + RowsInOrder();
    }

    // The rows of the bands done from the first on.
    int32_t RowsInOrder() const
    {
        return Bands.Leading() == 0 ? 0 : BandEnds[Bands.Leading() - 1];
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
                 const TJoinHooks& hooks)
        : FSource(source),
          FSettings(settings),
          FSpace(space),
          FJoined(joined),
          FProgress(progress),
          FHooks(hooks),
          FParts(places.size()),
          FFillGroups((joined.GetHeight() + kFillRows - 1) / kFillRows),
          FFills(static_cast<size_t>(FFillGroups))
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

    void Run()
    {
        const int threads = ThreadsFor(int64_t{FJoined.GetWidth()} * FJoined.GetHeight(), kPixelsPerThread);
        // One picture held per thread at most.
        FMaxHeld = static_cast<size_t>(threads);
        RunWorkers(threads, [this](TRelay& relay) { Work(relay); });
        if (FError.Error) std::rethrow_exception(FError.Error);
    }

private:
    struct TTask {
        enum TKind { Fill, Read, Scale, Wait, Stop } Kind = Stop;
        size_t Index = 0;  // fill group or part
        size_t Band = 0;
    };

    // Under the lock: what a worker does next.
    TTask NextTask()
    {
        if (FError.Error) return {TTask::Stop};
        if (FNextFill < FFillGroups) return {TTask::Fill, static_cast<size_t>(FNextFill++)};
        for (size_t i = 0; i < FParts.size(); ++i) {
            TPart& part = FParts[i];
            if (part.State == TPart::Ready && part.NextBand < part.BandEnds.size())
                return {TTask::Scale, i, part.NextBand++};
        }
        if (FNextRead < FParts.size() && FHeld < FMaxHeld) {
            ++FHeld;
            FParts[FNextRead].State = TPart::Reading;
            return {TTask::Read, FNextRead++};
        }
        if (FFinished == FParts.size() && FFills.AllDone()) return {TTask::Stop};
        return {TTask::Wait};
    }

    void Work(TRelay& relay)
    {
        // Working memory of the resampler of the picture this worker last scaled.
        const TPart* workPart = nullptr;
        std::unique_ptr<TRowWork> rowWork;
        std::unique_lock lock(FMutex);
        for (;;) {
            const TTask task = NextTask();
            if (task.Kind == TTask::Stop) break;
            if (task.Kind == TTask::Wait) {
                FChanged.wait(lock);
                continue;
            }
            TPart* part = task.Kind == TTask::Fill ? nullptr : &FParts[task.Index];
            std::unique_ptr<TReleased> released;
            lock.unlock();
            try {
                if (task.Kind == TTask::Fill) {
                    FillGroup(static_cast<int32_t>(task.Index));
                } else if (task.Kind == TTask::Read) {
                    Read(task.Index);
                } else {
                    if (workPart != part) {
                        rowWork = part->Resampler ? part->Resampler->NewWork() : nullptr;
                        workPart = part;
                    }
                    ComputeBand(*part, task.Band, rowWork.get());
                }
                lock.lock();
                if (task.Kind == TTask::Fill)
                    FillDone(task.Index);
                else if (task.Kind == TTask::Read)
                    MarkReady(*part);
                else
                    released = BandDone(*part, task.Band, relay);
            } catch (...) {
                if (!lock.owns_lock()) lock.lock();
                // Pictures are read in order, so one before a failed picture may still fail
                // and then is the one to report.
                if (!FError.Error || (part && FError.Part && part < FError.Part))
                    FError = {std::current_exception(), part};
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

    void Read(size_t i)
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
        // A picture that has its size already is drawn as it is, without reports.
        if (!sameSize) {
            CheckRowLengths(part.From.Width, width);
            part.Resampler = BigEnlargerMaker(FSettings.Method, FSettings.FUseSSE2)(part.From, width, height);
            if (FProgress) {
                const auto count = static_cast<int32_t>(std::min<size_t>(FParts.size(), INT32_MAX));
                part.Reports = ReportRows(height, EnlargerProgress(count, height, FProgress).Step);
            }
        }
        part.BandEnds = RowGroupEnds(height, part.Reports, kBandRows);
    }

    static void ComputeBand(TPart& part, size_t band, TRowWork* work)
    {
        const int32_t first = band == 0 ? 0 : part.BandEnds[band - 1];
        const auto rowBytes = static_cast<size_t>(part.To.Width) * 3;
        for (int32_t y = first; y < part.BandEnds[band]; ++y) {
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

    // Under the lock, since the rows told final read the bands of every part.
    static void MarkReady(TPart& part)
    {
        part.Bands = TDoneInOrder(part.BandEnds.size());
        part.State = TPart::Ready;
    }

    // Under the lock.
    void FillDone(size_t group)
    {
        FFills.MarkDone(group);
        TellRowsDone();
    }

    // Under the lock; returns what a part that is now drawn lets go of.
    std::unique_ptr<TReleased> BandDone(TPart& part, size_t band, TRelay& relay)
    {
        part.Bands.MarkDone(band);
        // A report comes once the rows before it are done.
        const int32_t rowsInOrder = part.RowsInOrder();
        for (; part.Reported < part.Reports.size() && part.Reports[part.Reported] <= rowsInOrder; ++part.Reported)
            relay.Post([this] { FProgress(0, 100, 3); });
        std::unique_ptr<TReleased> released;
        if (part.Bands.AllDone()) {
            part.State = TPart::Finished;
            released = std::make_unique<TReleased>();
            released->Resampler = std::move(part.Resampler);
            released->Convert = std::move(part.Convert);
            released->Copy.TakeOver(part.Picture.Copy);
            part.Picture.Pixels = nullptr;
            --FHeld;
            ++FFinished;
            for (; FPlaced < FParts.size() && FParts[FPlaced].State == TPart::Finished; ++FPlaced)
                if (FHooks.Placed) relay.Post([this, index = FPlaced] { FHooks.Placed(index); });
        }
        TellRowsDone();
        return released;
    }

    // Under the lock.
    void TellRowsDone()
    {
        if (!FHooks.RowsDone) return;
        int32_t rows = FFills.AllDone() ? FJoined.GetHeight() : static_cast<int32_t>(FFills.Leading()) * kFillRows;
        for (const TPart& part : FParts) rows = std::min(rows, part.FirstOpenRow());
        if (rows <= FRowsTold) return;
        FRowsTold = rows;
        FHooks.RowsDone(rows);
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

    std::mutex FMutex;
    std::condition_variable FChanged;
    const int32_t FFillGroups;
    int32_t FNextFill = 0;
    TDoneInOrder FFills;
    size_t FNextRead = 0;
    size_t FHeld = 0;
    size_t FMaxHeld = 1;
    size_t FFinished = 0;
    size_t FPlaced = 0;  // pictures told of as placed, from the first on
    int32_t FRowsTold = 0;
    struct {
        std::exception_ptr Error;
        const TPart* Part = nullptr;  // none: the fill failed
    } FError;
};

}  // namespace

void ComposePixels(TJoinSource& source, std::span<const TRect> places, const TJoinSettings& settings,
                   const TColorProfile& space, TBigBitmap& joined, const TProgressProc& progress,
                   const TJoinHooks& hooks)
{
    TComposeWork(source, places, settings, space, joined, progress, hooks).Run();
}

}  // namespace quilmo
