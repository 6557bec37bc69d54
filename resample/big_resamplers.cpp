#include "resample/big_resamplers.h"

#include "resample/frame.h"
#include "resample/resamplers.h"

namespace quilmo {

void BigResizeBilinear(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight, int32_t Count,
                       const TProgressProc& Progress)
{
    EnlargeFrame(Bitmap, NewWidth, NewHeight, NewBilinear,
                 EnlargerProgress(Count, NewHeight, Progress));
}

void BigResizeCubic(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight,
                    TCubicKernel Kernel, int32_t Count, const TProgressProc& Progress)
{
    EnlargeFrame(Bitmap, NewWidth, NewHeight, CubicMaker(Kernel, kDecimalMinusSixth),
                 EnlargerProgress(Count, NewHeight, Progress));
}

void BigResizeLanczos(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight, int32_t Count,
                      const TProgressProc& Progress)
{
    EnlargeFrame(Bitmap, NewWidth, NewHeight, NewLanczos,
                 EnlargerProgress(Count, NewHeight, Progress));
}

void BigReduce(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight, int32_t Amount,
               const TProgressProc& Progress)
{
    ReduceFrame(Bitmap, NewWidth, NewHeight, NewBoxAverage,
                ReducerProgress(Amount, NewHeight, Progress));
}

void BigReduceSilent(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight)
{
    ReduceFrame(Bitmap, NewWidth, NewHeight, NewBoxAverage, {});
}

void BigResizeBilinearSSE2(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight,
                           int32_t Count, const TProgressProc& Progress)
{
    EnlargeFrame(Bitmap, NewWidth, NewHeight, NewBilinearSSE2,
                 EnlargerProgress(Count, NewHeight, Progress));
}

void BigResizeCubicSSE2(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight,
                        TCubicKernel Kernel, int32_t Count, const TProgressProc& Progress)
{
    EnlargeFrame(Bitmap, NewWidth, NewHeight, CubicSSE2Maker(Kernel),
                 EnlargerProgress(Count, NewHeight, Progress));
}

void BigReduceSSE2(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight, int32_t Amount,
                   const TProgressProc& Progress)
{
    ReduceFrame(Bitmap, NewWidth, NewHeight, NewBoxAverageSSE2,
                ReducerProgress(Amount, NewHeight, Progress));
}

void BigReduceSilentSSE2(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight)
{
    ReduceFrame(Bitmap, NewWidth, NewHeight, NewBoxAverageSSE2, {});
}

}  // namespace quilmo
