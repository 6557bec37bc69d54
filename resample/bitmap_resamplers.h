#pragma once
// The resamplers of the standard bitmap: the same pixels as their big-bitmap twins, without
// progress reports. The enlargers leave a bitmap that is not 24-bit, or already has the size,
// untouched; the reducers read any format as 24 bits and give a 24-bit result.

#include <cstdint>

#include "resample/resample.h"

namespace quilmo {

void ResizeBilinear(TBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight);
void ResizeCubic(TBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight, TCubicKernel Kernel);
void ResizeLanczos(TBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight);
void Reduce(TBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight);

// The SSE2 paths (the plain paths where the compiler has no SSE2).
void ResizeBilinearSSE2(TBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight);
void ResizeCubicSSE2(TBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight, TCubicKernel Kernel);
void ReduceSSE2(TBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight);

}  // namespace quilmo
