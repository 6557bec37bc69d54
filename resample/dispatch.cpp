// The one place that turns a method and the SSE2 switch into a resampler.

#include "resample/big_resamplers.h"
#include "resample/bitmap_resamplers.h"
#include "resample/frame.h"
#include "resample/resamplers.h"

namespace quilmo {

void BigEnlarge(TBigBitmap& bitmap, int32_t newWidth, int32_t newHeight, TResampleMethod method,
                bool useSSE2, int32_t count, const TProgressProc& progress)
{
    switch (method) {
    case rmOriginal:
        return;
    case rmBilinear:
        if (useSSE2)
            BigResizeBilinearSSE2(bitmap, newWidth, newHeight, count, progress);
        else
            BigResizeBilinear(bitmap, newWidth, newHeight, count, progress);
        return;
    case rmBicubic:
    case rmLagrange: {
        const TCubicKernel kernel = method == rmBicubic ? ckBicubic : ckLagrange;
        if (useSSE2)
            BigResizeCubicSSE2(bitmap, newWidth, newHeight, kernel, count, progress);
        else
            BigResizeCubic(bitmap, newWidth, newHeight, kernel, count, progress);
        return;
    }
    case rmLanczos:
        BigResizeLanczos(bitmap, newWidth, newHeight, count, progress);
        return;
    }
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
