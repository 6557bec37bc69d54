#include "resize_save.h"

#include <algorithm>
#include <cmath>

#include "bigbitmap/big_bitmap.h"

namespace quilmo {

namespace {

// What the reducer hands to every progress report while a picture is saved at another size.
constexpr int32_t kReduceAmount = 9;

}  // namespace

int32_t ProportionalSide(int32_t typed, int32_t side, int32_t other)
{
    // In 64 bits: a tall picture times a large typed width passes 32 bits.
    const long double exact = static_cast<long double>(int64_t{typed} * other) / side;
    const long double rounded = std::nearbyint(exact);  // halves to even
    return static_cast<int32_t>(std::clamp<long double>(rounded, kMinSaveSide, kMaxSaveSide));
}

void ResizeForSave(TBigBitmap& joined, TSize target, std::optional<TResampleMethod> method,
                   bool useSSE2, const TProgressProc& progress, TBigBitmap& result)
{
    if (target.Width > joined.GetWidth()) {
        result.SetPixelFormat(bbpf24bit);
        result.Assign(&joined);
        if (method)
            BigEnlarge(result, target.Width, target.Height, *method, useSSE2, 1, progress);
        return;
    }
    BigReduceInto(result, joined, target.Width, target.Height, useSSE2, kReduceAmount, progress);
}

}  // namespace quilmo
