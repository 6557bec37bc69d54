#pragma once
// The resamplers of TBigBitmap. Each scales Bitmap in place to NewWidth x NewHeight (both at
// least 1); the object keeps its identity and is left unchanged when an error propagates.
// The enlargers leave a picture that is not 24-bit, or already has the size, untouched and
// report Progress(0, 100, 3) up to sixteen times (fewer the larger Count, the number of
// pictures the caller scales in a row); the reducers report Progress(0, 100, Amount) up to
// four times, the silent ones never.

#include <cstdint>

#include "resample/resample.h"

namespace quilmo {

void BigResizeBilinear(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight, int32_t Count,
                       const TProgressProc& Progress);
void BigResizeCubic(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight,
                    TCubicKernel Kernel, int32_t Count, const TProgressProc& Progress);
void BigResizeLanczos(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight, int32_t Count,
                      const TProgressProc& Progress);
void BigReduce(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight, int32_t Amount,
               const TProgressProc& Progress);
void BigReduceSilent(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight);

// The SSE2 paths (the plain paths where the compiler has no SSE2).
void BigResizeBilinearSSE2(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight,
                           int32_t Count, const TProgressProc& Progress);
void BigResizeCubicSSE2(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight,
                        TCubicKernel Kernel, int32_t Count, const TProgressProc& Progress);
void BigReduceSSE2(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight, int32_t Amount,
                   const TProgressProc& Progress);
void BigReduceSilentSSE2(TBigBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight);

}  // namespace quilmo
