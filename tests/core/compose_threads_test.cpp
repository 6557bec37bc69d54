// A join shared among threads: the same bytes on any number of them, reports on the calling
// thread, rows told final that are final (also while a picture is set up meanwhile), and the
// error of the earliest picture that fails.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <thread>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "core/composition.h"
#include "support/picture_checks.h"
#include "support/work_threads_scope.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

// Pictures of different shapes, one of them 8-bit, large enough to be shared out.
std::vector<std::unique_ptr<TBigBitmap>> MixedPictures()
{
    std::vector<std::unique_ptr<TBigBitmap>> pictures;
    for (const auto& [width, height] : {std::pair{300, 200}, {150, 260}, {400, 100}, {90, 90}, {260, 150}}) {
        auto picture = std::make_unique<TBigBitmap>();
        FillPattern(*picture, width, height);
        pictures.push_back(std::move(picture));
    }
    TBigBitmap& indexed = *pictures[1];
    TBigBitmap eightBit;
    eightBit.SetBitmaps(indexed.GetWidth(), indexed.GetHeight(), bbpf8bit);
    TPalette palette(256);
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
    eightBit.SetPalette(palette);
    for (int32_t y = 0; y < eightBit.GetHeight(); ++y)
        for (int32_t x = 0; x < eightBit.GetWidth(); ++x) eightBit.GetScanline(y)[x] = uint8_t(x * 3 + y);
    indexed.TakeOver(eightBit);
    return pictures;
}

// What each row held when it was told final; it must not change afterwards.
class TToldRows {
public:
    explicit TToldRows(TBigBitmap& joined) : FJoined(joined) {}

    void Tell(int32_t rows)
    {
        EXPECT_GT(rows, int32_t(FRows.size()));
        for (int32_t y = int32_t(FRows.size()); y < rows; ++y) {
            const uint8_t* row = FJoined.GetScanline(y);
            FRows.emplace_back(row, row + FJoined.GetWidth() * 3);
        }
    }

    void ExpectAllStillFinal() const
    {
        EXPECT_EQ(int32_t(FRows.size()), FJoined.GetHeight());
        for (size_t y = 0; y < FRows.size(); ++y)
            EXPECT_EQ(0, std::memcmp(FRows[y].data(), FJoined.GetScanline(int32_t(y)), FRows[y].size())) << "row " << y;
    }

private:
    TBigBitmap& FJoined;
    std::vector<std::vector<uint8_t>> FRows;
};

struct TJoinRun {
    std::vector<uint8_t> Bytes;
    std::vector<int32_t> Steps;
    std::vector<size_t> Placed;
};

TJoinRun Join(int threads, const TJoinSettings& settings)
{
    const TWorkThreadsScope scope(threads);
    const auto pictures = MixedPictures();
    std::vector<TGraphic*> list;
    for (const auto& picture : pictures) list.push_back(picture.get());
    TPictureList source(list);
    const std::thread::id caller = std::this_thread::get_id();
    TJoinRun run;
    TBigBitmap joined;
    TToldRows told(joined);
    TJoinHooks hooks;
    hooks.RowsDone = [&](int32_t rows) { told.Tell(rows); };
    hooks.Placed = [&](size_t i) {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        run.Placed.push_back(i);
    };
    const TProgressProc progress = [&](int16_t, int16_t, int32_t step) {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        run.Steps.push_back(step);
        return 0;
    };
    ComposeJoined(source, settings, {}, progress, joined, hooks);
    told.ExpectAllStillFinal();
    run.Bytes = PixelBytes(joined);
    return run;
}

TEST(ComposeThreads, EveryThreadCountGivesTheSameJoin)
{
    struct TCase {
        const char* Name;
        TJoinDirection Direction;
        TResampleMethod Method;
        int32_t Wrap;
        bool Frame;
    };
    const TCase cases[] = {
        {"side by side, bicubic", jdHorizontal, rmBicubic, 0, false},
        {"stacked, Lanczos, framed", jdVertical, rmLanczos, 0, true},
        {"original size, wrapped, framed", jdHorizontal, rmOriginal, 2, true},
        {"stacked, bilinear, wrapped", jdVertical, rmBilinear, 3, false},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        TJoinSettings settings;
        settings.Direction = test.Direction;
        settings.Method = test.Method;
        settings.Wrap = test.Wrap;
        settings.Gap = 2;
        settings.JoinColor = RGBColor(10, 20, 30);
        settings.FrameOn = test.Frame;
        settings.FrameRect = {3, 5, 7, 11};
        const TJoinRun one = Join(1, settings);
        const TJoinRun four = Join(4, settings);
        EXPECT_EQ(one.Bytes, four.Bytes);
        EXPECT_EQ(one.Steps, four.Steps);
        EXPECT_EQ(four.Placed, (std::vector<size_t>{0, 1, 2, 3, 4}));
    }
}

// Stacked pictures of which the second is read while rows are told final: picture 0 is read only
// once the reading of picture 1 has begun, and that reading ends only once more rows are told
// final, which reads the state of every picture, picture 1's too. The steps wait for one
// another through relaxed atomics, which order nothing in memory, so ThreadSanitizer sees any
// state of picture 1 set up outside the lock that the rows told final are read under.
class TInterleavedSource : public TJoinSource {
public:
    explicit TInterleavedSource(std::span<TGraphic* const> pictures) : FList(pictures) {}
    size_t Count() const override { return FList.Count(); }
    TSize SizeOf(size_t i) override { return FList.SizeOf(i); }
    TColorProfile ProfileOf(size_t i) override { return FList.ProfileOf(i); }
    void Read(size_t i, TJoinPicture& picture) override
    {
        // On one thread picture 0 is drawn before picture 1 is read.
        if (WorkThreads() > 1 && i == 0) AwaitRelaxed([&] { return FReadingSecond.load(std::memory_order_relaxed); });
        if (WorkThreads() > 1 && i == 1) {
            const int32_t told = Told.load(std::memory_order_relaxed);
            FReadingSecond.store(true, std::memory_order_relaxed);
            AwaitRelaxed([&] { return Told.load(std::memory_order_relaxed) != told; });
        }
        FList.Read(i, picture);
    }

    std::atomic<int32_t> Told{0};

private:
    static void AwaitRelaxed(const std::function<bool()>& done)
    {
        while (!done()) std::this_thread::yield();
    }

    TPictureList FList;
    std::atomic<bool> FReadingSecond{false};
};

TEST(ComposeThreads, RowsToldFinalWhileAPictureIsSetUpStayFinal)
{
    for (const int threads : {1, 4}) {
        const TWorkThreadsScope scope(threads);
        std::vector<std::unique_ptr<TBigBitmap>> pictures;
        std::vector<TGraphic*> list;
        for (int i = 0; i < 3; ++i) {
            pictures.push_back(std::make_unique<TBigBitmap>());
            FillPattern(*pictures.back(), 300, 400);
            list.push_back(pictures.back().get());
        }
        TJoinSettings settings;
        settings.Direction = jdVertical;
        settings.Gap = 1;
        TInterleavedSource source(list);
        TBigBitmap joined;
        TToldRows told(joined);
        TJoinHooks hooks;
        hooks.RowsDone = [&](int32_t rows) {
            told.Tell(rows);
            source.Told.store(rows, std::memory_order_relaxed);
        };
        ComposeJoined(source, settings, {}, {}, joined, hooks);
        told.ExpectAllStillFinal();
        TPictureList plain(list);
        TBigBitmap expected;
        ComposeJoined(plain, settings, {}, {}, expected);
        EXPECT_EQ(PixelBytes(joined), PixelBytes(expected));
    }
}

// Pictures 1 and 3 cannot be read; picture 3 fails at once, picture 1 only after a while.
class TFailingSource : public TJoinSource {
public:
    size_t Count() const override { return 5; }
    TSize SizeOf(size_t) override { return {200, 200}; }
    TColorProfile ProfileOf(size_t) override { return {}; }
    void Read(size_t i, TJoinPicture& picture) override
    {
        if (i == 1) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            throw std::runtime_error("picture 1");
        }
        if (i == 3) throw std::runtime_error("picture 3");
        SetupBigBitmapWhite(picture.Copy, 200, 200);
        picture.Pixels = &picture.Copy;
    }
};

TEST(ComposeThreads, TheEarliestPictureThatFailsIsTheOneReported)
{
    for (const int threads : {1, 4}) {
        const TWorkThreadsScope scope(threads);
        TFailingSource source;
        TBigBitmap joined;
        ExpectError<std::runtime_error>([&] { ComposeJoined(source, {}, {}, {}, joined); }, "picture 1");
    }
}

}  // namespace
