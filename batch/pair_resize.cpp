#include "pair_resize.h"

#include <algorithm>

#include "bigbitmap/bitmap.h"
#include "bigbitmap/errors.h"

namespace quilmo {

namespace {

// side * other / own, truncated, at least 1.
int32_t Proportional(int32_t side, int32_t other, int32_t own)
{
    const int64_t value = std::max<int64_t>(int64_t{side} * other / own, 1);
    if (value > INT32_MAX) throw EIntOverflow();
    return static_cast<int32_t>(value);
}

}  // namespace

TSize ResizeTarget(const TBatchResize& resize, int32_t width, int32_t height)
{
    TSize target{resize.Width, resize.Height};
    if (resize.KeepHeight && !resize.KeepWidth)
        target.Width = Proportional(width, resize.Height, height);
    if (resize.KeepWidth && !resize.KeepHeight)
        target.Height = Proportional(resize.Width, height, width);
    return target;
}

void ResizeResult(TBitmap& result, const TBatchResize& resize, bool useSSE2)
{
    const TSize target = ResizeTarget(resize, result.GetWidth(), result.GetHeight());
    if (target.Width < result.GetWidth())
        ReduceBy(result, target.Width, target.Height, useSSE2);
    else
        Enlarge(result, target.Width, target.Height, resize.Method, useSSE2);
}

}  // namespace quilmo
