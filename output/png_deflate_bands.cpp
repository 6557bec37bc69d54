#include "png_deflate_bands.h"

#include <zlib.h>

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "bigbitmap/errors.h"
#include "png_row_filter.h"
#include "resample/work_threads.h"
#include "write_failure.h"

namespace quilmo {

namespace {

// libpng's defaults: level 6, a 32 KiB window, the strategy for filtered data.
constexpr int kLevel = 6;
constexpr int kWindowBits = 15;
constexpr int kMemLevel = 8;
constexpr int kStrategy = Z_FILTERED;
constexpr size_t kDictionaryBytes = size_t{1} << kWindowBits;
// The zlib header for that window and level.
constexpr uint8_t kZlibHeader[] = {0x78, 0x9C};
// Output room added at least at a time while deflating.
constexpr size_t kOutputStep = size_t{16} << 10;
// Bands a thread may deflate ahead of the one being written.
constexpr int kBandsAheadPerThread = 2;

// Where the bands of a picture begin and end: whole rows.
class TBandLayout {
public:
    TBandLayout(int32_t width, int32_t height, size_t bandBytes)
        : FRowBytes(1 + size_t{3} * static_cast<size_t>(width)),
          FHeight(height),
          FRowsPerBand(static_cast<int32_t>(std::clamp<size_t>(bandBytes / FRowBytes, 1, static_cast<size_t>(height))))
    {
    }

    size_t RowBytes() const { return FRowBytes; }
    int64_t Count() const { return (int64_t{FHeight} + FRowsPerBand - 1) / FRowsPerBand; }
    int32_t First(int64_t band) const { return static_cast<int32_t>(band * FRowsPerBand); }
    int32_t End(int64_t band) const { return static_cast<int32_t>(std::min<int64_t>((band + 1) * FRowsPerBand, FHeight)); }
    // The first row whose filtered bytes fall in the dictionary of band.
    int32_t DictionaryStart(int64_t band) const
    {
        const auto rows = static_cast<int32_t>((kDictionaryBytes + FRowBytes - 1) / FRowBytes);
        return std::max(First(band) - rows, 0);
    }
    // The filtered bytes of band.
    z_off_t Bytes(int64_t band) const { return static_cast<z_off_t>(End(band) - First(band)) * static_cast<z_off_t>(FRowBytes); }

private:
    size_t FRowBytes;
    int32_t FHeight;
    int32_t FRowsPerBand;
};

// A deflated band and the Adler-32 checksum of its filtered bytes.
struct TBand {
    std::vector<uint8_t> Bytes;
    uLong Adler = 0;
};

// The bands deflated but not yet written wait in a ring of slots; a thread waits before it
// deflates a band whose slot still holds an earlier band. After a failure every waiting thread
// gives up with the same error.
class TBandRing {
public:
    explicit TBandRing(size_t slots) : FSlots(slots) {}

    TBand& Take(int64_t band)
    {
        std::unique_lock lock(FMutex);
        FChanged.wait(lock, [&] { return FError || band < FWritten + Size(); });
        if (FError) std::rethrow_exception(FError);
        return Slot(band);
    }
    // For the writing thread, once band is deflated.
    TBand& Slot(int64_t band) { return FSlots[static_cast<size_t>(band % Size())]; }
    void Written(int64_t bands)
    {
        const std::lock_guard lock(FMutex);
        FWritten = bands;
        FChanged.notify_all();
    }
    void Fail(std::exception_ptr error)
    {
        const std::lock_guard lock(FMutex);
        if (!FError) FError = error;
        FChanged.notify_all();
    }

private:
    int64_t Size() const { return static_cast<int64_t>(FSlots.size()); }

    std::vector<TBand> FSlots;
    std::mutex FMutex;
    std::condition_variable FChanged;
    int64_t FWritten = 0;
    std::exception_ptr FError;
};

// One thread's rows, filtered; rows in order cost one read each.
class TFilteredRows {
public:
    TFilteredRows(TPngRowReader reader, size_t rowBytes)
        : FRead(std::move(reader)), FRow(rowBytes - 1), FAbove(rowBytes - 1), FFiltered(rowBytes)
    {
    }

    std::span<const uint8_t> Row(int32_t y)
    {
        if (y != FNext) {
            if (y == 0)
                std::fill(FAbove.begin(), FAbove.end(), uint8_t{0});
            else
                FRead(y - 1, FAbove.data());
        }
        FRead(y, FRow.data());
        FilterPngRow(FRow.data(), FAbove.data(), FRow.size(), FFiltered.data());
        std::swap(FRow, FAbove);
        FNext = y + 1;
        return FFiltered;
    }

private:
    TPngRowReader FRead;
    std::vector<uint8_t> FRow;
    std::vector<uint8_t> FAbove;
    std::vector<uint8_t> FFiltered;
    int32_t FNext = -1;
};

// One thread's deflating of bands.
class TBandDeflater {
public:
    TBandDeflater(const TPngPixels& pixels, const TBandLayout& layout)
        : FLayout(layout), FRows(pixels.NewReader(), layout.RowBytes())
    {
        // A raw stream: the bands share the one header and checksum of the joined stream.
        if (deflateInit2(&FStream, kLevel, Z_DEFLATED, -kWindowBits, kMemLevel, kStrategy) != Z_OK)
            throw std::bad_alloc();
    }
    ~TBandDeflater() { deflateEnd(&FStream); }
    TBandDeflater(const TBandDeflater&) = delete;
    TBandDeflater& operator=(const TBandDeflater&) = delete;

    void Deflate(int64_t index, TBand& band)
    {
        const int32_t first = FLayout.First(index), end = FLayout.End(index);
        deflateReset(&FStream);
        SetDictionary(FLayout.DictionaryStart(index), first);
        band.Bytes.clear();
        if (index == 0) band.Bytes.assign(std::begin(kZlibHeader), std::end(kZlibHeader));
        band.Adler = adler32(0, Z_NULL, 0);
        for (int32_t y = first; y < end; ++y) {
            const std::span<const uint8_t> row = FRows.Row(y);
            band.Adler = adler32(band.Adler, row.data(), static_cast<uInt>(row.size()));
            Run(row, band.Bytes, Z_NO_FLUSH);
        }
        // Every band but the last ends on a byte boundary without ending the stream.
        Run({}, band.Bytes, index + 1 == FLayout.Count() ? Z_FINISH : Z_SYNC_FLUSH);
    }

private:
    // The filtered rows first..end-1, at most their last 32 KiB.
    void SetDictionary(int32_t first, int32_t end)
    {
        FDictionary.clear();
        for (int32_t y = first; y < end; ++y) {
            const std::span<const uint8_t> row = FRows.Row(y);
            FDictionary.insert(FDictionary.end(), row.begin(), row.end());
        }
        const size_t bytes = std::min(FDictionary.size(), kDictionaryBytes);
        if (bytes > 0)
            deflateSetDictionary(&FStream, FDictionary.data() + FDictionary.size() - bytes, static_cast<uInt>(bytes));
    }

    void Run(std::span<const uint8_t> input, std::vector<uint8_t>& out, int flush)
    {
        FStream.next_in = const_cast<Bytef*>(input.data());
        FStream.avail_in = static_cast<uInt>(input.size());
        do {
            const size_t used = out.size();
            out.resize(used + std::max(input.size(), kOutputStep));
            FStream.next_out = out.data() + used;
            FStream.avail_out = static_cast<uInt>(out.size() - used);
            const int status = deflate(&FStream, flush);
            out.resize(out.size() - FStream.avail_out);
            if (status == Z_STREAM_ERROR)
                FailToWrite("PNG", FStream.msg ? FStream.msg : "deflate failed");
        } while (FStream.avail_out == 0);
    }

    const TBandLayout& FLayout;
    TFilteredRows FRows;
    z_stream FStream{};
    std::vector<uint8_t> FDictionary;
};

void AppendBigEndian(std::vector<uint8_t>& bytes, uLong value)
{
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<uint8_t>(value >> shift));
}

}  // namespace

void DeflatePngPixels(const TPngPixels& pixels, const std::function<void(std::span<const uint8_t>)>& write,
                      size_t bandBytes)
{
    const TBandLayout layout(pixels.Width, pixels.Height, bandBytes);
    const int64_t count = layout.Count();
    const int threads = ThreadsFor(count, 1);
    TBandRing ring(static_cast<size_t>(threads * kBandsAheadPerThread));
    uLong adler = 0;
    // Whatever fails lets the threads that wait for a slot go.
    const auto failing = [&ring](const auto& body) {
        try {
            body();
        } catch (...) {
            ring.Fail(std::current_exception());
            throw;
        }
    };
    RunTasks(
        threads, count,
        [&]() -> TTaskRunner {
            auto deflater = std::make_shared<TBandDeflater>(pixels, layout);
            return [&, deflater](int64_t band) { failing([&] { deflater->Deflate(band, ring.Take(band)); }); };
        },
        [&](int64_t index) {
            failing([&] {
                TBand& band = ring.Slot(index);
                adler = index == 0 ? band.Adler : adler32_combine(adler, band.Adler, layout.Bytes(index));
                if (index + 1 == count) AppendBigEndian(band.Bytes, adler);
                write(band.Bytes);
                ring.Written(index + 1);
            });
        });
}

}  // namespace quilmo
