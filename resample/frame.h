#pragma once
// What one call does around the pixel loops, for either kind of bitmap: the shortcuts of the
// enlargers, the destination, the reducers' 24-bit source, and handing the result to the
// caller's object. The caller's bitmap changes only at the very end, so an error on the way
// leaves it as it was; every temporary is released on every way out.

#include <cstdint>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/bitmap.h"
#include "resample/row_resampler.h"

namespace quilmo {

bool Is24Bit(const TBigBitmap& bitmap);
bool Is24Bit(const TBitmap& bitmap);
// A 24-bit picture of that size to compute into.
void MakeDestination(TBigBitmap& dest, int32_t width, int32_t height);
void MakeDestination(TBitmap& dest, int32_t width, int32_t height);
// The caller's object becomes the result.
void Receive(TBigBitmap& bitmap, TBigBitmap& result);
void Receive(TBitmap& bitmap, TBitmap& result);
// copy becomes source converted to 24 bits.
void Make24BitCopy(TBigBitmap& copy, TBigBitmap& source);
void Make24BitCopy(TBitmap& copy, TBitmap& source);

template <class Bitmap>
void ResampleFrom(Bitmap& bitmap, Bitmap& source, int32_t newWidth, int32_t newHeight,
                  const TResamplerMaker& make, const TProgressPlan& plan)
{
    CheckRowLengths(source.GetWidth(), newWidth);
    Bitmap dest;
    MakeDestination(dest, newWidth, newHeight);
    const TPixelRows from = RowsOf(source);
    const TPixelRows to = RowsOf(dest);
    ComputeRows(*make(from, newWidth, newHeight), to, plan);
    Receive(bitmap, dest);
}

// Enlargers leave alone what is not 24-bit, what is empty and what already has the size.
template <class Bitmap>
void EnlargeFrame(Bitmap& bitmap, int32_t newWidth, int32_t newHeight,
                  const TResamplerMaker& make, const TProgressPlan& plan)
{
    if (!Is24Bit(bitmap) || bitmap.GetEmpty()) return;
    if (bitmap.GetWidth() == newWidth && bitmap.GetHeight() == newHeight) return;
    ResampleFrom(bitmap, bitmap, newWidth, newHeight, make, plan);
}

// Reducers take any format (reading it as 24 bits) and recompute even at the same size.
template <class Bitmap>
void ReduceFrame(Bitmap& bitmap, int32_t newWidth, int32_t newHeight,
                 const TResamplerMaker& make, const TProgressPlan& plan)
{
    if (bitmap.GetEmpty()) return;
    if (Is24Bit(bitmap)) {
        ResampleFrom(bitmap, bitmap, newWidth, newHeight, make, plan);
        return;
    }
    Bitmap copy;
    Make24BitCopy(copy, bitmap);
    ResampleFrom(bitmap, copy, newWidth, newHeight, make, plan);
}

}  // namespace quilmo
