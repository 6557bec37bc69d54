#include "pixel_rows.h"

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/bitmap.h"

namespace quilmo {

TPixelRows RowsOf(TBigBitmap& bitmap)
{
    if (bitmap.GetEmpty()) return {};
    TPixelRows rows{bitmap.GetWidth(), bitmap.GetHeight(), {}};
    rows.Rows.resize(static_cast<size_t>(rows.Height));
    for (int32_t y = 0; y < rows.Height; ++y) rows.Rows[y] = bitmap.GetScanline(y);
    return rows;
}

TPixelRows RowsOf(TBitmap& bitmap)
{
    if (bitmap.GetEmpty()) return {};
    TPixelRows rows{bitmap.GetWidth(), bitmap.GetHeight(), {}};
    rows.Rows.resize(static_cast<size_t>(rows.Height));
    for (int32_t y = 0; y < rows.Height; ++y) rows.Rows[y] = bitmap.ScanLine(y);
    return rows;
}

void CheckRowLengths(int32_t sourceWidth, int32_t newWidth)
{
    if (sourceWidth > kMaxRowPixels || newWidth > kMaxRowPixels) throw ERangeError();
}

}  // namespace quilmo
