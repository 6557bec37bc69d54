#include "resample/bitmap_resamplers.h"

#include "resample/frame.h"
#include "resample/resamplers.h"

namespace quilmo {

void ResizeBilinear(TBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight)
{
    EnlargeFrame(Bitmap, NewWidth, NewHeight, NewBilinear, {});
}

void ResizeCubic(TBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight, TCubicKernel Kernel)
{
    EnlargeFrame(Bitmap, NewWidth, NewHeight, CubicMaker(Kernel, kMinusSixth), {});
}

void ResizeLanczos(TBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight)
{
    EnlargeFrame(Bitmap, NewWidth, NewHeight, NewLanczos, {});
}

void Reduce(TBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight)
{
    ReduceFrame(Bitmap, NewWidth, NewHeight, NewBoxAverage, {});
}

void ResizeBilinearSSE2(TBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight)
{
    EnlargeFrame(Bitmap, NewWidth, NewHeight, NewBilinearSSE2, {});
}

void ResizeCubicSSE2(TBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight, TCubicKernel Kernel)
{
    EnlargeFrame(Bitmap, NewWidth, NewHeight, CubicSSE2Maker(Kernel), {});
}

void ReduceSSE2(TBitmap& Bitmap, int32_t NewWidth, int32_t NewHeight)
{
    ReduceFrame(Bitmap, NewWidth, NewHeight, NewBoxAverageSSE2, {});
}

}  // namespace quilmo
