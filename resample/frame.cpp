#include "resample/frame.h"

namespace quilmo {

bool Is24Bit(const TBigBitmap& bitmap) { return bitmap.PixelFormat() == bbpf24bit; }

bool Is24Bit(const TBitmap& bitmap) { return bitmap.PixelFormat() == pf24bit; }

void MakeDestination(TBigBitmap& dest, int32_t width, int32_t height)
{
    dest.Allocate(width, height, bbpf24bit);
}

void MakeDestination(TBitmap& dest, int32_t width, int32_t height)
{
    dest.SetPixelFormat(pf24bit);
    dest.SetSize(width, height);
}

void Receive(TBigBitmap& bitmap, TBigBitmap& result)
{
    // The same picture an assignment would give, without copying the pixels once more.
    bitmap.TakeOver(result);
}

void Receive(TBitmap& bitmap, TBitmap& result)
{
    // The same picture an assignment would give, without copying the pixels once more.
    bitmap.TakeOver(result);
}

void Make24BitCopy(TBigBitmap& copy, TBigBitmap& source)
{
    // Through a standard bitmap, which converts every format to 24 bits.
    TBitmap standard;
    standard.Assign(&source);
    copy.Assign(&standard);
}

void Make24BitCopy(TBitmap& copy, TBitmap& source)
{
    copy.Assign(&source);
    copy.SetPixelFormat(pf24bit);
}

}  // namespace quilmo
