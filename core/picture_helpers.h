#pragma once
// Small helpers for the pictures the joining code builds: blank canvases of a size and colour,
// rectangle offsets and the fit of a picture into the view.

#include <cstdint>

#include "bigbitmap/geometry.h"

namespace quilmo {

class TBigBitmap;
class TBitmap;

struct TSize {
    int32_t Width = 0;
    int32_t Height = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// A 24-bit picture of width x height painted in color; the old picture is discarded.
void SetupBigBitmap(TBigBitmap& bitmap, int32_t width, int32_t height, TColor color);
void SetupBigBitmapWhite(TBigBitmap& bitmap, int32_t width, int32_t height);
// The same with frame.Left + frame.Right added to the width and frame.Top + frame.Bottom to the
// height; sums beyond 32 bits raise EIntOverflow.
void SetupBigBitmapFramed(TBigBitmap& bitmap, int32_t width, int32_t height, const TRect& frame,
                          TColor color);
// The size SetupBigBitmapFramed gives, with the same overflow errors.
TSize FramedSize(int32_t width, int32_t height, const TRect& frame);

void SetupBitmap(TBitmap& bitmap, int32_t width, int32_t height, TColor color);
void SetupBitmapWhite(TBitmap& bitmap, int32_t width, int32_t height);

// r moved by the left/top of o; raises EIntOverflow instead of wrapping.
TRect OffsetRectBy(const TRect& r, const TRect& o);

// The largest size with the picture's proportions (in 1/128 steps) that fits the view.
// Raises EIntOverflow when a product leaves 32 bits, EDivByZero for an empty view or picture.
TSize FitSize(int32_t viewWidth, int32_t viewHeight, int32_t pictureWidth, int32_t pictureHeight);

}  // namespace quilmo
