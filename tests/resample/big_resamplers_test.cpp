#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <thread>
#include <utility>

#include "bigbitmap/errors.h"
#include "picture_data.h"
#include "resample/big_resamplers.h"
#include "support/picture_checks.h"
#include "support/work_threads_scope.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

struct TProgressLog {
    std::vector<int32_t> Steps;
    TProgressProc Proc()
    {
        return [this](int16_t position, int16_t max, int32_t step) {
            EXPECT_EQ(position, 0);
            EXPECT_EQ(max, 100);
            Steps.push_back(step);
            return 0;
        };
    }
};

using TBigResize = std::function<void(TBigBitmap&, int32_t, int32_t, const TProgressProc&)>;

struct TNamedResize {
    const char* Name;
    TBigResize Resize;
};

std::vector<TNamedResize> Enlargers()
{
    return {
        {"bilinear", [](TBigBitmap& b, int32_t w, int32_t h, const TProgressProc& p) { BigResizeBilinear(b, w, h, 1, p); }},
        {"bilinear SSE2", [](TBigBitmap& b, int32_t w, int32_t h, const TProgressProc& p) { BigResizeBilinearSSE2(b, w, h, 1, p); }},
        {"bicubic", [](TBigBitmap& b, int32_t w, int32_t h, const TProgressProc& p) { BigResizeCubic(b, w, h, ckBicubic, 1, p); }},
        {"Lagrange", [](TBigBitmap& b, int32_t w, int32_t h, const TProgressProc& p) { BigResizeCubic(b, w, h, ckLagrange, 1, p); }},
        {"bicubic SSE2", [](TBigBitmap& b, int32_t w, int32_t h, const TProgressProc& p) { BigResizeCubicSSE2(b, w, h, ckBicubic, 1, p); }},
        {"Lagrange SSE2", [](TBigBitmap& b, int32_t w, int32_t h, const TProgressProc& p) { BigResizeCubicSSE2(b, w, h, ckLagrange, 1, p); }},
        {"Lanczos", [](TBigBitmap& b, int32_t w, int32_t h, const TProgressProc& p) { BigResizeLanczos(b, w, h, 1, p); }},
    };
}

std::vector<TNamedResize> Reducers()
{
    return {
        {"box", [](TBigBitmap& b, int32_t w, int32_t h, const TProgressProc& p) { BigReduce(b, w, h, 10, p); }},
        {"box SSE2", [](TBigBitmap& b, int32_t w, int32_t h, const TProgressProc& p) { BigReduceSSE2(b, w, h, 10, p); }},
        {"box silent", [](TBigBitmap& b, int32_t w, int32_t h, const TProgressProc&) { BigReduceSilent(b, w, h); }},
        {"box silent SSE2", [](TBigBitmap& b, int32_t w, int32_t h, const TProgressProc&) { BigReduceSilentSSE2(b, w, h); }},
    };
}

TPixels Resized(const TNamedResize& member, const TPixels& source, int32_t width, int32_t height)
{
    TBigBitmap bitmap;
    Load(bitmap, source);
    member.Resize(bitmap, width, height, {});
    return PixelsOf(bitmap);
}

TPixels Row(std::vector<uint8_t> grey)
{
    TPixels pixels = Uniform(int32_t(grey.size()), 1, 0);
    for (size_t x = 0; x < grey.size(); ++x)
        for (int c = 0; c < 3; ++c) pixels.At(int32_t(x), 0, c) = grey[x];
    return pixels;
}

std::vector<uint8_t> Greys(const TPixels& pixels)
{
    std::vector<uint8_t> greys;
    for (int32_t x = 0; x < pixels.Width; ++x) greys.push_back(pixels.At(x, 0, 1));
    return greys;
}

// pixels with the columns from first to last (exclusive) in one colour.
TPixels WithPlainColumns(TPixels pixels, int32_t first, int32_t last)
{
    for (int32_t y = 0; y < pixels.Height; ++y)
        for (int32_t x = first; x < last; ++x)
            for (int c = 0; c < 3; ++c) pixels.At(x, y, c) = uint8_t(60 + 40 * c);
    return pixels;
}

TPixels SideBySide(const TPixels& left, const TPixels& right)
{
    TPixels whole = Uniform(left.Width + right.Width, left.Height, 0);
    const size_t leftRow = size_t(left.Width) * 3, rightRow = size_t(right.Width) * 3;
    for (int32_t y = 0; y < whole.Height; ++y) {
        uint8_t* row = whole.Bytes.data() + y * (leftRow + rightRow);
        std::copy_n(left.Bytes.data() + y * leftRow, leftRow, row);
        std::copy_n(right.Bytes.data() + y * rightRow, rightRow, row + leftRow);
    }
    return whole;
}

}  // namespace

TEST(BigEnlargers, SameSizeChangesNothingAndReportsNothing)
{
    const TPixels source = RandomPixels(6, 4, 1);
    for (const TNamedResize& member : Enlargers()) {
        TBigBitmap bitmap;
        Load(bitmap, source);
        const uint8_t* row = bitmap.GetScanline(0);
        TProgressLog log;
        member.Resize(bitmap, 6, 4, log.Proc());
        EXPECT_EQ(bitmap.GetScanline(0), row) << member.Name;
        EXPECT_EQ(PixelsOf(bitmap).Bytes, source.Bytes) << member.Name;
        EXPECT_TRUE(log.Steps.empty()) << member.Name;
    }
}

TEST(BigEnlargers, LeaveNonTwentyFourBitPicturesAlone)
{
    for (const TNamedResize& member : Enlargers()) {
        TBigBitmap bitmap;
        bitmap.SetBitmaps(5, 5, bbpf8bit);
        TProgressLog log;
        member.Resize(bitmap, 10, 10, log.Proc());
        EXPECT_EQ(bitmap.PixelFormat(), bbpf8bit) << member.Name;
        EXPECT_EQ(bitmap.GetWidth(), 5) << member.Name;
        EXPECT_TRUE(log.Steps.empty()) << member.Name;
    }
}

TEST(BigResamplers, OnePixelFillsAnyTarget)
{
    TPixels source = Uniform(1, 1, 0);
    source.At(0, 0, 0) = 17;
    source.At(0, 0, 1) = 130;
    source.At(0, 0, 2) = 251;
    std::vector<TNamedResize> members = Enlargers();
    for (const TNamedResize& reducer : Reducers()) members.push_back(reducer);
    for (const TNamedResize& member : members) {
        const TPixels result = Resized(member, source, 5, 3);
        ASSERT_EQ(result.Width, 5) << member.Name;
        ASSERT_EQ(result.Height, 3) << member.Name;
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 5; ++x)
                for (int c = 0; c < 3; ++c)
                    EXPECT_EQ(result.At(x, y, c), source.At(0, 0, c)) << member.Name << " " << x << "," << y;
    }
}

TEST(BigEnlargers, BilinearBlendsWithoutHalfPixelOffset)
{
    for (const TNamedResize& member : {Enlargers()[0], Enlargers()[1]})
        EXPECT_EQ(Greys(Resized(member, Row({0, 255}), 4, 1)), (std::vector<uint8_t>{0, 128, 255, 255})) << member.Name;
}

TEST(BigEnlargers, CubicRoundsTheMiddleOfAnEdgeUpAndKeepsExactPositions)
{
    // Position 1.5 lies halfway up the edge: 127.5 before rounding.
    for (const TNamedResize& member : {Enlargers()[2], Enlargers()[4]})
        EXPECT_EQ(Greys(Resized(member, Row({0, 0, 255, 255}), 8, 1))[3], 128) << member.Name;

    // Doubling puts every even destination pixel on a source pixel.
    const TPixels source = RandomPixels(9, 7, 2);
    for (const TNamedResize& member : Enlargers()) {
        if (std::string(member.Name).find("bic") == std::string::npos &&
            std::string(member.Name).find("Lag") == std::string::npos)
            continue;
        const TPixels result = Resized(member, source, 18, 14);
        for (int32_t y = 0; y < 7; ++y)
            for (int32_t x = 0; x < 9; ++x)
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(result.At(2 * x, 2 * y, c), source.At(x, y, c)) << member.Name;
    }
    // The two kernels differ only between the source positions.
    const TPixels bicubic = Resized(Enlargers()[2], source, 18, 14);
    const TPixels lagrange = Resized(Enlargers()[3], source, 18, 14);
    EXPECT_GT(Compare(bicubic, lagrange).Channels, 0);
}

TEST(BigEnlargers, TapsPastTheLastColumnReadTheBasePixel)
{
    // Destination 5 lies at 2.5: its tap at 4 reads pixel 2, not the bright edge pixel 3.
    // Destination 7 lies at 3.5: its taps at 4 and 5 read pixel 3.
    const TPixels source = Row({10, 10, 10, 200});
    struct TCase {
        TNamedResize Member;
        uint8_t At5;
        uint8_t At7;
    };
    const std::vector<TNamedResize> members = Enlargers();
    const TCase cases[] = {
        {members[0], 105, 200}, {members[1], 105, 200},  // bilinear
        {members[2], 129, 224}, {members[4], 129, 224},  // -1.25 + 6.25 + 125 - 1.25; -1.25 + 225
        {members[3], 117, 212}, {members[5], 117, 212},  // -0.625 + 5.625 + 112.5 - 0.625; ...
    };
    for (const TCase& test : cases) {
        const std::vector<uint8_t> greys = Greys(Resized(test.Member, source, 8, 1));
        EXPECT_EQ(greys[5], test.At5) << test.Member.Name;
        EXPECT_EQ(greys[7], test.At7) << test.Member.Name;
    }
}

TEST(BigReducers, AverageBoxesSlightlyBelowTheExactMean)
{
    TPixels checker = Uniform(4, 4, 200);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 2; ++x)
            for (int c = 0; c < 3; ++c) checker.At(x, y, c) = (x + y) % 2 ? 255 : 0;
    for (const TNamedResize& member : Reducers()) {
        const TPixels result = Resized(member, checker, 2, 2);
        EXPECT_EQ(result.At(0, 0, 0), 127) << member.Name;  // 127.5 decided downwards
        EXPECT_EQ(result.At(1, 0, 1), 200) << member.Name;
        EXPECT_EQ(result.At(1, 1, 2), 200) << member.Name;
    }
}

TEST(BigReducers, NonIntegerRatioSharesTheMiddlePixel)
{
    // 5 -> 2: pixel 0 covers 0, 1 and half of 2; pixel 1 the other half of 2, then 3 and 4.
    for (const TNamedResize& member : Reducers()) {
        EXPECT_EQ(Greys(Resized(member, Row({0, 0, 250, 0, 0}), 2, 1)), (std::vector<uint8_t>{50, 50})) << member.Name;
        EXPECT_EQ(Greys(Resized(member, Row({100, 0, 0, 0, 0}), 2, 1)), (std::vector<uint8_t>{40, 0})) << member.Name;
        EXPECT_EQ(Greys(Resized(member, Row({0, 0, 0, 0, 100}), 2, 1)), (std::vector<uint8_t>{0, 40})) << member.Name;
    }
}

TEST(BigReducers, SameSizeReproducesThePicture)
{
    const TPixels source = RandomPixels(7, 5, 3);
    for (const TNamedResize& member : Reducers())
        EXPECT_EQ(Resized(member, source, 7, 5).Bytes, source.Bytes) << member.Name;
}

TEST(BigReducers, ReadIndexedPicturesAsTwentyFourBits)
{
    TBigBitmap bitmap;
    bitmap.SetBitmaps(4, 4, bbpf8bit);
    TPalette palette(256, {10, 20, 30, 0});
    bitmap.SetPalette(palette);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 4; ++x) bitmap.GetScanline(y)[x] = 7;
    BigReduceSSE2(bitmap, 2, 2, 10, {});
    ASSERT_EQ(bitmap.PixelFormat(), bbpf24bit);
    EXPECT_EQ(ColourAt(bitmap, 1, 1), RGBColor(10, 20, 30));
}

TEST(BigResamplers, ProgressIsReportedAsOftenAsTheTargetHeightSays)
{
    struct TCase {
        const char* Name;
        int32_t Height;
        std::function<void(TBigBitmap&, int32_t, const TProgressProc&)> Resize;
        std::vector<int32_t> Steps;
    };
    auto bilinear = [](int32_t count) {
        return [count](TBigBitmap& b, int32_t h, const TProgressProc& p) { BigResizeBilinear(b, 3, h, count, p); };
    };
    auto reduce = [](TBigBitmap& b, int32_t h, const TProgressProc& p) { BigReduce(b, 2, h, 10, p); };
    auto reduceSSE2 = [](TBigBitmap& b, int32_t h, const TProgressProc& p) { BigReduceSSE2(b, 2, h, 12, p); };
    const TCase cases[] = {
        {"reduce 100", 100, reduce, std::vector<int32_t>(3, 10)},
        {"reduce SSE2 8", 8, reduceSSE2, std::vector<int32_t>(3, 12)},
        {"reduce 9", 9, reduce, std::vector<int32_t>(4, 10)},
        {"reduce 3", 3, reduce, std::vector<int32_t>(1, 10)},
        {"bilinear 160, one picture", 160, bilinear(1), std::vector<int32_t>(15, 3)},
        {"bilinear 161, two pictures", 161, bilinear(2), std::vector<int32_t>(8, 3)},
        {"bilinear 160, six pictures", 160, bilinear(6), std::vector<int32_t>(3, 3)},
        {"bilinear 15, one picture", 15, bilinear(1), std::vector<int32_t>(1, 3)},
        {"Lanczos 32", 32, [](TBigBitmap& b, int32_t h, const TProgressProc& p) { BigResizeLanczos(b, 3, h, 1, p); }, std::vector<int32_t>(15, 3)},
        {"cubic SSE2 40", 40, [](TBigBitmap& b, int32_t h, const TProgressProc& p) { BigResizeCubicSSE2(b, 3, h, ckLagrange, 3, p); }, std::vector<int32_t>(3, 3)},
    };
    for (const TCase& test : cases) {
        TBigBitmap bitmap;
        Load(bitmap, RandomPixels(4, 200, 4));
        TProgressLog log;
        test.Resize(bitmap, test.Height, log.Proc());
        EXPECT_EQ(log.Steps, test.Steps) << test.Name;
        EXPECT_EQ(bitmap.GetHeight(), test.Height) << test.Name;
    }
}

TEST(BigResamplers, FailureLeavesThePictureAsItWas)
{
    const TPixels source = RandomPixels(8, 40, 6);
    TBigBitmap bitmap;
    Load(bitmap, source);
    int calls = 0;
    const TProgressProc failing = [&](int16_t, int16_t, int32_t) -> int32_t {
        if (++calls == 2) throw std::runtime_error("stopped");
        return 0;
    };
    EXPECT_THROW(BigResizeCubic(bitmap, 16, 80, ckBicubic, 1, failing), std::runtime_error);
    EXPECT_EQ(PixelsOf(bitmap).Bytes, source.Bytes);
    ExpectError<EBigBitmapError>([&] { BigReduce(bitmap, 2796203, 2, 10, {}); },
                                 "TBigBitmap.SetBitmaps: Too Big Width or Too Many Pixel Bits");
    EXPECT_EQ(PixelsOf(bitmap).Bytes, source.Bytes);
}

TEST(BigResamplers, AThirtyThousandWidePictureGivesWhatItsHalvesGive)
{
    // Next to the seam both halves are one colour, so a half's taps past its edge (which read
    // its edge pixels) read what the whole picture holds there. Bands hold 93 rows of 30000
    // pixels, 46 of 60000 and 186 of 15000: the results must not depend on that.
    const int32_t half = 15000;
    const auto expectHalves = [&](const TNamedResize& member, int32_t height, int32_t newHalf, int32_t newHeight) {
        SCOPED_TRACE(member.Name);
        const TPixels left = WithPlainColumns(RandomPixels(half, height, 1), half - 4, half);
        const TPixels right = WithPlainColumns(RandomPixels(half, height, 2), 0, 4);
        const TPixels joined =
            SideBySide(Resized(member, left, newHalf, newHeight), Resized(member, right, newHalf, newHeight));
        EXPECT_EQ(Compare(Resized(member, SideBySide(left, right), 2 * newHalf, newHeight), joined).Channels, 0);
    };
    // Doubled to 60000 x 48: bands of 46 and 2 rows against the halves' single band.
    for (const TNamedResize& enlarger : Enlargers()) expectHalves(enlarger, 24, 2 * half, 48);
    // Halved from three bands against the halves' two.
    for (const TNamedResize& reducer : Reducers()) expectHalves(reducer, 200, half / 2, 100);
}

TEST(BigResamplers, EveryThreadCountGivesTheSameBytesAndReportsOnTheCallingThread)
{
    // Large enough that the rows are shared out among the threads.
    const TPixels small = RandomPixels(240, 170, 8);
    const TPixels large = RandomPixels(900, 640, 9);
    const std::thread::id caller = std::this_thread::get_id();
    const auto run = [&](const TNamedResize& member, int threads, const TPixels& source, int32_t width,
                         int32_t height) {
        const TWorkThreadsScope scope(threads);
        TBigBitmap bitmap;
        Load(bitmap, source);
        std::vector<int32_t> steps;
        member.Resize(bitmap, width, height, [&](int16_t, int16_t, int32_t step) {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            steps.push_back(step);
            return 0;
        });
        return std::pair(PixelsOf(bitmap).Bytes, steps);
    };
    for (const TNamedResize& enlarger : Enlargers()) {
        SCOPED_TRACE(enlarger.Name);
        EXPECT_EQ(run(enlarger, 1, small, 1000, 703), run(enlarger, 4, small, 1000, 703));
    }
    for (const TNamedResize& reducer : Reducers()) {
        SCOPED_TRACE(reducer.Name);
        EXPECT_EQ(run(reducer, 1, large, 301, 199), run(reducer, 4, large, 301, 199));
    }
}
