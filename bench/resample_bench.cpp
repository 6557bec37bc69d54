// Every resampler at the sizes that matter: a 2x enlargement of 1600 x 1200 and a 4x reduction
// of 4000 x 3000. Each iteration scales a fresh copy of the same noisy picture.

#include <benchmark/benchmark.h>

#include <cstring>
#include <functional>
#include <map>
#include <random>

#include "bigbitmap/big_bitmap.h"
#include "resample/big_resamplers.h"
#include "resample/bitmap_resamplers.h"

using namespace quilmo;

namespace {

constexpr int32_t kSmallWidth = 1600, kSmallHeight = 1200;
constexpr int32_t kLargeWidth = 4000, kLargeHeight = 3000;

// Noise over a gradient, so that neither a flat nor a pure-noise picture is measured.
void Paint(uint8_t* row, int32_t width, int32_t y, std::mt19937& random)
{
    for (int32_t x = 0; x < width * 3; ++x) row[x] = static_cast<uint8_t>(x / 7 + y / 5 + random() % 32);
}

TBigBitmap& BigSource(int32_t width, int32_t height)
{
    static std::map<std::pair<int32_t, int32_t>, TBigBitmap> pictures;
    TBigBitmap& picture = pictures[{width, height}];
    if (picture.GetEmpty()) {
        std::mt19937 random(1);
        picture.SetBitmaps(width, height, bbpf24bit);
        for (int32_t y = 0; y < height; ++y) Paint(picture.GetScanline(y), width, y, random);
    }
    return picture;
}

TBitmap& StandardSource(int32_t width, int32_t height)
{
    static std::map<std::pair<int32_t, int32_t>, TBitmap> pictures;
    TBitmap& picture = pictures[{width, height}];
    if (picture.GetEmpty()) {
        std::mt19937 random(1);
        picture.SetSize(width, height);
        for (int32_t y = 0; y < height; ++y) Paint(picture.ScanLine(y), width, y, random);
    }
    return picture;
}

template <class Bitmap, class Source>
void Run(benchmark::State& state, Source& source, const std::function<void(Bitmap&)>& resize)
{
    for (auto _ : state) {
        state.PauseTiming();
        Bitmap bitmap;
        bitmap.Assign(&source);
        state.ResumeTiming();
        resize(bitmap);
        benchmark::DoNotOptimize(bitmap.GetWidth());
    }
}

void Enlarge(benchmark::State& state, const std::function<void(TBigBitmap&)>& resize)
{
    Run<TBigBitmap>(state, BigSource(kSmallWidth, kSmallHeight), resize);
}

void Shrink(benchmark::State& state, const std::function<void(TBigBitmap&)>& resize)
{
    Run<TBigBitmap>(state, BigSource(kLargeWidth, kLargeHeight), resize);
}

void EnlargeStandard(benchmark::State& state, const std::function<void(TBitmap&)>& resize)
{
    Run<TBitmap>(state, StandardSource(kSmallWidth, kSmallHeight), resize);
}

void ShrinkStandard(benchmark::State& state, const std::function<void(TBitmap&)>& resize)
{
    Run<TBitmap>(state, StandardSource(kLargeWidth, kLargeHeight), resize);
}

constexpr int32_t kW2 = 2 * kSmallWidth, kH2 = 2 * kSmallHeight;
constexpr int32_t kW4 = kLargeWidth / 4, kH4 = kLargeHeight / 4;

}  // namespace

#define RESAMPLE_BENCH(name, runner, call)                                     \
    BENCHMARK_CAPTURE(runner, name, [](auto& b) { call; })                       \
        ->Unit(benchmark::kMillisecond)                                         \
        ->MeasureProcessCPUTime()\
        ->UseRealTime()

RESAMPLE_BENCH(BigResizeBilinear, Enlarge, BigResizeBilinear(b, kW2, kH2, 1, {}));
RESAMPLE_BENCH(BigResizeBilinearSSE2, Enlarge, BigResizeBilinearSSE2(b, kW2, kH2, 1, {}));
RESAMPLE_BENCH(BigResizeCubic_Bicubic, Enlarge, BigResizeCubic(b, kW2, kH2, ckBicubic, 1, {}));
RESAMPLE_BENCH(BigResizeCubicSSE2_Bicubic, Enlarge, BigResizeCubicSSE2(b, kW2, kH2, ckBicubic, 1, {}));
RESAMPLE_BENCH(BigResizeCubic_Lagrange, Enlarge, BigResizeCubic(b, kW2, kH2, ckLagrange, 1, {}));
RESAMPLE_BENCH(BigResizeCubicSSE2_Lagrange, Enlarge, BigResizeCubicSSE2(b, kW2, kH2, ckLagrange, 1, {}));
RESAMPLE_BENCH(BigResizeLanczos, Enlarge, BigResizeLanczos(b, kW2, kH2, 1, {}));
// An uneven ratio, where every destination column has weights of its own.
RESAMPLE_BENCH(BigResizeLanczos_Uneven, Enlarge, BigResizeLanczos(b, kW2 - 199, kH2 - 149, 1, {}));
RESAMPLE_BENCH(BigReduce, Shrink, BigReduce(b, kW4, kH4, 10, {}));
RESAMPLE_BENCH(BigReduceSSE2, Shrink, BigReduceSSE2(b, kW4, kH4, 10, {}));
RESAMPLE_BENCH(BigReduceSilent, Shrink, BigReduceSilent(b, kW4, kH4));
RESAMPLE_BENCH(BigReduceSilentSSE2, Shrink, BigReduceSilentSSE2(b, kW4, kH4));

RESAMPLE_BENCH(ResizeBilinear, EnlargeStandard, ResizeBilinear(b, kW2, kH2));
RESAMPLE_BENCH(ResizeBilinearSSE2, EnlargeStandard, ResizeBilinearSSE2(b, kW2, kH2));
RESAMPLE_BENCH(ResizeCubic_Bicubic, EnlargeStandard, ResizeCubic(b, kW2, kH2, ckBicubic));
RESAMPLE_BENCH(ResizeCubicSSE2_Bicubic, EnlargeStandard, ResizeCubicSSE2(b, kW2, kH2, ckBicubic));
RESAMPLE_BENCH(ResizeLanczos, EnlargeStandard, ResizeLanczos(b, kW2, kH2));
RESAMPLE_BENCH(Reduce, ShrinkStandard, Reduce(b, kW4, kH4));
RESAMPLE_BENCH(ReduceSSE2, ShrinkStandard, ReduceSSE2(b, kW4, kH4));
