#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "picture_data.h"
#include "resample/big_resamplers.h"
#include "resample/bitmap_resamplers.h"
#include "resample/frame.h"
#include "resample/pixel_rows.h"
#include "resample/resamplers.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

using TBigMember = std::function<void(TBigBitmap&, int32_t, int32_t)>;
using TStandardMember = std::function<void(TBitmap&, int32_t, int32_t)>;

TPixels ThroughBig(const TBigMember& member, const TPixels& source, int32_t width, int32_t height)
{
    TBigBitmap bitmap;
    Load(bitmap, source);
    member(bitmap, width, height);
    return PixelsOf(bitmap);
}

TPixels ThroughStandard(const TStandardMember& member, const TPixels& source, int32_t width,
                        int32_t height)
{
    TBitmap bitmap;
    Load(bitmap, source);
    member(bitmap, width, height);
    return PixelsOf(bitmap);
}

struct TSize {
    int32_t Width;
    int32_t Height;
};

// Source and target sizes of the random pictures: ratios above and below 1, odd and even.
const std::pair<TSize, TSize> kEnlargements[] = {
    {{100, 50}, {200, 100}}, {{13, 7}, {31, 17}}, {{40, 30}, {97, 61}}, {{17, 9}, {18, 40}}, {{3, 2}, {50, 3}},
};
const std::pair<TSize, TSize> kReductions[] = {
    {{200, 100}, {100, 50}}, {{31, 17}, {13, 7}}, {{97, 61}, {40, 30}}, {{50, 9}, {7, 9}}, {{23, 19}, {1, 1}},
};

struct TTwin {
    const char* Name;
    TBigMember Big;
    TStandardMember Standard;
};

TBigMember Big(void (*member)(TBigBitmap&, int32_t, int32_t, int32_t, const TProgressProc&))
{
    return [member](TBigBitmap& b, int32_t w, int32_t h) { member(b, w, h, 1, {}); };
}

TBigMember BigCubic(void (*member)(TBigBitmap&, int32_t, int32_t, TCubicKernel, int32_t, const TProgressProc&),
                    TCubicKernel kernel)
{
    return [member, kernel](TBigBitmap& b, int32_t w, int32_t h) { member(b, w, h, kernel, 1, {}); };
}

TStandardMember StandardCubic(void (*member)(TBitmap&, int32_t, int32_t, TCubicKernel), TCubicKernel kernel)
{
    return [member, kernel](TBitmap& b, int32_t w, int32_t h) { member(b, w, h, kernel); };
}

// Pairs that compute exactly the same pixels.
std::vector<TTwin> IdenticalEnlargers()
{
    return {
        {"bilinear", Big(BigResizeBilinear), ResizeBilinear},
        {"bilinear SSE2", Big(BigResizeBilinearSSE2), ResizeBilinearSSE2},
        {"bicubic", BigCubic(BigResizeCubic, ckBicubic), StandardCubic(ResizeCubic, ckBicubic)},
        {"bicubic SSE2", BigCubic(BigResizeCubicSSE2, ckBicubic), StandardCubic(ResizeCubicSSE2, ckBicubic)},
        {"Lagrange SSE2", BigCubic(BigResizeCubicSSE2, ckLagrange), StandardCubic(ResizeCubicSSE2, ckLagrange)},
        {"Lanczos", Big(BigResizeLanczos), ResizeLanczos},
    };
}

std::vector<TTwin> IdenticalReducers()
{
    return {
        {"box", [](TBigBitmap& b, int32_t w, int32_t h) { BigReduce(b, w, h, 10, {}); }, Reduce},
        {"box silent", BigReduceSilent, Reduce},
        {"box SSE2", [](TBigBitmap& b, int32_t w, int32_t h) { BigReduceSSE2(b, w, h, 10, {}); }, ReduceSSE2},
        {"box silent SSE2", BigReduceSilentSSE2, ReduceSSE2},
    };
}

// Differences of the SSE2 paths, over all pictures of a test: single steps in rare channels.
struct TTally {
    int64_t Differing = 0;
    int64_t Channels = 0;
    int MaxStep = 0;

    void Add(const TPixels& a, const TPixels& b)
    {
        const TDifference difference = Compare(a, b);
        Differing += difference.Channels;
        Channels += int64_t(a.Bytes.size());
        MaxStep = std::max(MaxStep, difference.MaxStep);
    }
    void ExpectRareSingleSteps(const char* what) const
    {
        EXPECT_LE(MaxStep, 1) << what;
        EXPECT_LT(Differing * 1000, Channels) << what;
    }
};

}  // namespace

TEST(Twins, BigAndStandardMembersGiveTheSamePixels)
{
    uint32_t seed = 10;
    for (const auto& [from, to] : kEnlargements) {
        const TPixels source = RandomPixels(from.Width, from.Height, ++seed);
        for (const TTwin& twin : IdenticalEnlargers())
            EXPECT_EQ(ThroughBig(twin.Big, source, to.Width, to.Height).Bytes,
                      ThroughStandard(twin.Standard, source, to.Width, to.Height).Bytes)
                << twin.Name << " " << from.Width << "x" << from.Height;
    }
    for (const auto& [from, to] : kReductions) {
        const TPixels source = RandomPixels(from.Width, from.Height, ++seed);
        for (const TTwin& twin : IdenticalReducers())
            EXPECT_EQ(ThroughBig(twin.Big, source, to.Width, to.Height).Bytes,
                      ThroughStandard(twin.Standard, source, to.Width, to.Height).Bytes)
                << twin.Name << " " << from.Width << "x" << from.Height;
    }
}

TEST(Twins, PlainLagrangeDiffersOnlyByTheDecimalSixth)
{
    // The decimal -1/6 breaks exact halves (frequent at whole ratios) the other way: one step.
    uint32_t seed = 30;
    for (const auto& [from, to] : kEnlargements) {
        const TPixels source = RandomPixels(from.Width, from.Height, ++seed);
        const TPixels big = ThroughBig(BigCubic(BigResizeCubic, ckLagrange), source, to.Width, to.Height);
        const TPixels standard = ThroughStandard(StandardCubic(ResizeCubic, ckLagrange), source, to.Width, to.Height);
        const TDifference difference = Compare(big, standard);
        EXPECT_LE(difference.MaxStep, 1);
        if (to.Width == 2 * from.Width) {
            EXPECT_GT(difference.Channels, 0);
        }
    }
}

TEST(Twins, SSE2PathsStayWithinOneOfThePlainPaths)
{
    struct TPair {
        const char* Name;
        TStandardMember Plain;
        TStandardMember SSE2;
        TTally Tally;
    };
    TPair pairs[] = {
        {"bilinear", ResizeBilinear, ResizeBilinearSSE2, {}},
        {"bicubic", StandardCubic(ResizeCubic, ckBicubic), StandardCubic(ResizeCubicSSE2, ckBicubic), {}},
        {"Lagrange", StandardCubic(ResizeCubic, ckLagrange), StandardCubic(ResizeCubicSSE2, ckLagrange), {}},
        {"box", Reduce, ReduceSSE2, {}},
    };
    std::mt19937 random(90);
    for (int picture = 0; picture < 16; ++picture) {
        const int32_t width = 1 + random() % 70, height = 1 + random() % 70;
        const TPixels source = RandomPixels(width, height, random());
        const TSize larger{width + 1 + int32_t(random() % 90), height + int32_t(random() % 90)};
        const TSize smaller{1 + int32_t(random() % width), 1 + int32_t(random() % height)};
        for (TPair& pair : pairs) {
            const TSize to = &pair == &pairs[3] ? smaller : larger;
            pair.Tally.Add(ThroughStandard(pair.Plain, source, to.Width, to.Height),
                           ThroughStandard(pair.SSE2, source, to.Width, to.Height));
        }
    }
    for (const TPair& pair : pairs) pair.Tally.ExpectRareSingleSteps(pair.Name);
}

TEST(Twins, SSE2CubicSumsGiveTheSamePixelsWithEveryInstructionSet)
{
    const std::pair<TPixels, std::pair<int32_t, int32_t>> cases[] = {
        {RandomPixels(40, 30, 11), {80, 60}},
        {RandomPixels(13, 7, 12), {31, 17}},
        {RandomPixels(64, 48, 13), {257, 101}},
        {RandomPixels(1, 1, 14), {5, 3}},
    };
    for (const TCubicKernel kernel : {ckBicubic, ckLagrange}) {
        for (const auto& [source, size] : cases) {
            std::vector<std::vector<uint8_t>> results;
            for (const TVectorSums sums : AvailableVectorSums()) {
                TBitmap bitmap;
                Load(bitmap, source);
                EnlargeFrame(bitmap, size.first, size.second, CubicSSE2Maker(kernel, sums), {});
                results.push_back(PixelsOf(bitmap).Bytes);
            }
            for (const auto& result : results) EXPECT_EQ(result, results.front()) << size.first << "x" << size.second;
        }
    }
}

TEST(Twins, RowsAcrossBandsReadTheRightBand)
{
    // 1600 x 1800 at 24 bits needs two bands of the big bitmap.
    const TPixels source = RandomPixels(1600, 1800, 70);
    TBigBitmap probe;
    Load(probe, source);
    ASSERT_GT(probe.BandCount(), 1);
    EXPECT_EQ(ThroughBig(BigReduceSilentSSE2, source, 300, 350).Bytes, ThroughStandard(ReduceSSE2, source, 300, 350).Bytes);
    EXPECT_EQ(ThroughBig(Big(BigResizeBilinear), source, 40, 1900).Bytes,
              ThroughStandard(ResizeBilinear, source, 40, 1900).Bytes);
}

TEST(StandardResamplers, EnlargersLeaveIndexedBitmapsAloneReducersConvertThem)
{
    TBitmap bitmap;
    bitmap.Allocate(3, 3, pf8bit);
    TPalette palette(256, {40, 50, 60, 0});
    bitmap.SetPalette(palette);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 3; ++x) bitmap.ScanLine(y)[x] = 1;
    ResizeLanczos(bitmap, 6, 6);
    ResizeCubicSSE2(bitmap, 6, 6, ckBicubic);
    EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
    EXPECT_EQ(bitmap.GetWidth(), 3);
    Reduce(bitmap, 2, 2);
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    EXPECT_EQ(bitmap.GetWidth(), 2);
    EXPECT_EQ(ColourAt(bitmap, 1, 1), RGBColor(40, 50, 60));
}

TEST(StandardResamplers, ReducingToOnePixelGivesTheMean)
{
    TPixels source = Uniform(3, 3, 0);
    const uint8_t greys[9] = {10, 200, 30, 40, 55, 60, 70, 80, 91};  // mean 70.67
    for (int32_t i = 0; i < 9; ++i)
        for (int c = 0; c < 3; ++c) source.At(i % 3, i / 3, c) = uint8_t(greys[i] + c);
    for (const TStandardMember& reducer : {TStandardMember(Reduce), TStandardMember(ReduceSSE2)}) {
        const TPixels result = ThroughStandard(reducer, source, 1, 1);
        EXPECT_EQ(result.At(0, 0, 0), 71);
        EXPECT_EQ(result.At(0, 0, 1), 72);
        EXPECT_EQ(result.At(0, 0, 2), 73);
    }
}

TEST(StandardResamplers, RowsLongerThanTheEngineAddressesAreARangeError)
{
    const TPixels source = RandomPixels(2, 2, 80);
    TBitmap bitmap;
    Load(bitmap, source);
    ExpectError<ERangeError>([&] { ResizeBilinear(bitmap, kMaxRowPixels + 1, 1); }, "Range check error");
    EXPECT_EQ(PixelsOf(bitmap).Bytes, source.Bytes);
}
