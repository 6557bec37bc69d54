#include "picture_helpers.h"

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/big_bitmap_canvas.h"
#include "bigbitmap/bitmap.h"
#include "checked_math.h"

namespace quilmo {

void SetupBigBitmap(TBigBitmap& bitmap, int32_t width, int32_t height, TColor color)
{
    bitmap.SetBitmaps(width, height, bbpf24bit);
    // New bands are white already; painting white again would only cost time.
    if (color == clWhite) return;
    bitmap.Canvas().BrushColor = color;
    bitmap.Canvas().FillRect({0, 0, width, height});
}

void SetupBigBitmapWhite(TBigBitmap& bitmap, int32_t width, int32_t height)
{
    SetupBigBitmap(bitmap, width, height, clWhite);
}

void SetupBigBitmapFramed(TBigBitmap& bitmap, int32_t width, int32_t height, const TRect& frame,
                          TColor color)
{
    const TSize framed = FramedSize(width, height, frame);
    SetupBigBitmap(bitmap, framed.Width, framed.Height, color);
}

TSize FramedSize(int32_t width, int32_t height, const TRect& frame)
{
    return {CheckedAdd(CheckedAdd(width, frame.Left), frame.Right),
            CheckedAdd(CheckedAdd(height, frame.Top), frame.Bottom)};
}

void SetupBitmap(TBitmap& bitmap, int32_t width, int32_t height, TColor color)
{
    // Emptied first so that resizing neither converts nor keeps old pixels; new ones are white.
    bitmap.Assign(nullptr);
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    if (color == clWhite) return;
    bitmap.Canvas().BrushColor = color;
    bitmap.Canvas().FillRect({0, 0, width, height});
}

void SetupBitmapWhite(TBitmap& bitmap, int32_t width, int32_t height)
{
    SetupBitmap(bitmap, width, height, clWhite);
}

TRect OffsetRectBy(const TRect& r, const TRect& o)
{
    return {CheckedAdd(r.Left, o.Left), CheckedAdd(r.Top, o.Top), CheckedAdd(r.Right, o.Left),
            CheckedAdd(r.Bottom, o.Top)};
}

TSize FitSize(int32_t viewWidth, int32_t viewHeight, int32_t pictureWidth, int32_t pictureHeight)
{
    const int32_t ratio = CheckedDiv(CheckedMul(pictureWidth, 128), pictureHeight);
    const int32_t viewRatio = CheckedDiv(CheckedMul(viewWidth, 128), viewHeight);
    if (ratio > viewRatio) return {viewWidth, CheckedDiv(CheckedMul(viewWidth, 128), ratio)};
    return {CheckedMul(viewHeight, ratio) / 128, viewHeight};
}

}  // namespace quilmo
