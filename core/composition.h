#pragma once
// Joining pictures into one, and rearranging a joined picture without touching its pixels'
// scale: the work behind a build, a reversal and a gap change.

#include <functional>
#include <span>
#include <vector>

#include "bigbitmap/geometry.h"
#include "join_settings.h"
#include "picture_helpers.h"
#include "resample/resample.h"

namespace quilmo {

class TBigBitmap;
class TGraphic;

// Join pictures in order into joined (24 bits, frame included), enlarging them to the tallest
// height (horizontal) or widest width (vertical) unless the method keeps the original size.
// placements receives each picture's rectangle without the frame. Progress is reported as
// (0, 100, 3) once the joined picture exists, then by the resamplers. On failure joined and
// placements may hold partial results; the pictures are never changed.
void ComposeJoined(std::span<TGraphic* const> pictures, const TJoinSettings& settings,
                   const TProgressProc& progress, TBigBitmap& joined, std::span<TRect> placements);

// Where pictures placed at placements (in that order) go when the order is reversed: the new
// rectangle of the picture at placements[n - 1 - j] is the j-th result.
std::vector<TRect> ReversedPlacements(std::span<const TRect> placements, TJoinDirection direction,
                                      int32_t gapPixels);
// The placements moved apart by delta pixels per neighbour along the join axis.
std::vector<TRect> RespacedPlacements(std::span<const TRect> placements, TJoinDirection direction,
                                      int32_t delta);

// Build output (width x height in color) from the parts of joined at from[k] copied to to[k],
// both measured without frame. afterCopy(k) runs after each part.
void RearrangeJoined(TBigBitmap& joined, std::span<const TRect> from, std::span<const TRect> to,
                     const TRect& frame, TColor color, TSize size,
                     const std::function<void(size_t)>& afterCopy, TBigBitmap& output);

}  // namespace quilmo
