#include "picture_rows.h"

#include <cstring>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/bitmap.h"

namespace quilmo {

uint8_t* TBigBitmapRows::Row(int32_t y)
{
    return FBitmap.GetScanline(y);
}

TBitmapRows::TBitmapRows(TBitmap& bitmap) : FBitmap(bitmap)
{
    std::memset(bitmap.Bits(), 0xFF, static_cast<size_t>(bitmap.Stride() * bitmap.GetHeight()));
}

uint8_t* TBitmapRows::Row(int32_t y)
{
    return FBitmap.ScanLine(y);
}

}  // namespace quilmo
