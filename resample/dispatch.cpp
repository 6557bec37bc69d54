// The one place that turns a method and the SSE2 switch into a resampler.

#include "resample/big_resamplers.h"
#include "resample/bitmap_resamplers.h"
#include "resample/frame.h"
#include "resample/resamplers.h"

namespace quilmo {

TResamplerMaker BigEnlargerMaker(TResampleMethod method, bool useSSE2)
{
    switch (method) {
    case rmOriginal:
        break;
    case rmBilinear:
        return useSSE2 ? TResamplerMaker(NewBilinearSSE2) : TResamplerMaker(NewBilinear);
    case rmBicubic:
    case rmLagrange: {
        const TCubicKernel kernel = method == rmBicubic ? ckBicubic : ckLagrange;
        return useSSE2 ? CubicSSE2Maker(kernel) : CubicMaker(kernel, kDecimalMinusSixth);
    }
    case rmLanczos:
        return NewLanczos;
    }
    return {};
}

void BigEnlarge(TBigBitmap& bitmap, int32_t newWidth, int32_t newHeight, TResampleMethod method,
                bool useSSE2, int32_t count, const TProgressProc& progress)
{
    if (method == rmOriginal) return;
    EnlargeFrame(bitmap, newWidth, newHeight, BigEnlargerMaker(method, useSSE2),
                 EnlargerProgress(count, newHeight, progress));
}

void BigReduceBy(TBigBitmap& bitmap, int32_t newWidth, int32_t newHeight, bool useSSE2,
                 int32_t amount, const TProgressProc& progress)
{
    if (useSSE2)
        BigReduceSSE2(bitmap, newWidth, newHeight, amount, progress);
    else
        BigReduce(bitmap, newWidth, newHeight, amount, progress);
}

void BigReduceQuietly(TBigBitmap& bitmap, int32_t newWidth, int32_t newHeight, bool useSSE2)
{
    if (useSSE2)
        BigReduceSilentSSE2(bitmap, newWidth, newHeight);
    else
        BigReduceSilent(bitmap, newWidth, newHeight);
}

void BigReduceInto(TBigBitmap& reduced, TBigBitmap& source, int32_t newWidth, int32_t newHeight,
                   bool useSSE2, std::optional<int32_t> amount, const TProgressProc& progress)
{
    if (!Is24Bit(source)) {
        reduced.Assign(&source);
        if (amount)
            BigReduceBy(reduced, newWidth, newHeight, useSSE2, *amount, progress);
        else
            BigReduceQuietly(reduced, newWidth, newHeight, useSSE2);
        return;
    }
    const TProgressPlan plan =
        amount ? ReducerProgress(*amount, newHeight, progress) : TProgressPlan{};
    ResampleFrom(reduced, source, newWidth, newHeight,
                 useSSE2 ? NewBoxAverageSSE2 : NewBoxAverage, plan);
}

void Enlarge(TBitmap& bitmap, int32_t newWidth, int32_t newHeight, TResampleMethod method,
             bool useSSE2)
{
    switch (method) {
    case rmOriginal:
        return;
    case rmBilinear:
        if (useSSE2)
            ResizeBilinearSSE2(bitmap, newWidth, newHeight);
        else
            ResizeBilinear(bitmap, newWidth, newHeight);
        return;
    case rmBicubic:
    case rmLagrange: {
        const TCubicKernel kernel = method == rmBicubic ? ckBicubic : ckLagrange;
        if (useSSE2)
            ResizeCubicSSE2(bitmap, newWidth, newHeight, kernel);
        else
            ResizeCubic(bitmap, newWidth, newHeight, kernel);
        return;
    }
    case rmLanczos:
        ResizeLanczos(bitmap, newWidth, newHeight);
        return;
    }
}

void ReduceBy(TBitmap& bitmap, int32_t newWidth, int32_t newHeight, bool useSSE2)
{
    if (useSSE2)
        ReduceSSE2(bitmap, newWidth, newHeight);
    else
        Reduce(bitmap, newWidth, newHeight);
}

}  // namespace quilmo
