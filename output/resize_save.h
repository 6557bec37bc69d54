#pragma once
// Saving the joined picture at another size: the proportional size boxes and the resampling
// that comes before the file is written.

#include <cstdint>
#include <optional>

#include "core/picture_helpers.h"
#include "resample/resample.h"

namespace quilmo {

class TBigBitmap;

// The size boxes take whole numbers in this range, so every text they hold can be read.
inline constexpr int32_t kMinSaveSide = 1;
inline constexpr int32_t kMaxSaveSide = 65535;

// The other side for a typed side that keeps the picture's proportions: typed x other / side,
// rounded to the nearest whole number (halves to even), kept within the boxes' range.
int32_t ProportionalSide(int32_t typed, int32_t side, int32_t other);

// result becomes joined at target: enlarged with method when the width grows (no method: the
// joined picture's own size), otherwise reduced with the box average. joined is not changed.
void ResizeForSave(TBigBitmap& joined, TSize target, std::optional<TResampleMethod> method,
                   bool useSSE2, const TProgressProc& progress, TBigBitmap& result);

}  // namespace quilmo
