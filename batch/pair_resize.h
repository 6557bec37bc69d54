#pragma once
// "リサイズ保存": every batch result brought to one size before it is saved or printed.

#include <cstdint>

#include "core/picture_helpers.h"
#include "run_settings.h"

namespace quilmo {

class TBitmap;

// The size a result of width x height is brought to: the size of resize, with the height
// following the proportions under "幅固定" alone and the width under "高さ固定" alone. A side
// the proportions make smaller than one pixel is one pixel; EIntOverflow when one leaves
// 32 bits.
TSize ResizeTarget(const TBatchResize& resize, int32_t width, int32_t height);

// result brought to its ResizeTarget: reduced with the box average when it gets narrower,
// otherwise enlarged with resize.Method (nothing when that is rmOriginal).
void ResizeResult(TBitmap& result, const TBatchResize& resize, bool useSSE2);

}  // namespace quilmo
