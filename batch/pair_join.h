#pragma once
// The batch join: two standard 24-bit bitmaps side by side or stacked into a third, the smaller
// one enlarged to the other's height or width unless the method keeps original sizes.

#include <cstdint>

#include "bigbitmap/geometry.h"
#include "core/join_settings.h"
#include "core/picture_helpers.h"
#include "resample/resample.h"

namespace quilmo {

class TBitmap;

// Where the pictures go. A pair with one picture keeps the other half (and the gap) empty.
enum TPairLayout : uint8_t {
    plHorzList2 = 0,  // side by side, list 2's picture only, on the right
    plHorzList1 = 1,  // side by side, list 1's picture only, on the left
    plHorzPair = 3,   // list 1's picture left, list 2's right
    plVertList2 = 4,  // stacked, list 2's picture only, on top
    plVertList1 = 5,  // stacked, list 1's picture only, below
    plVertPair = 6,   // list 2's picture on top, list 1's below
};

// The layout for a direction and the pictures present (at least one).
TPairLayout PairLayout(TJoinDirection direction, bool hasList1, bool hasList2);

// Where the pictures of a pair at their sizes go, and the size of the result.
struct TPairPlaces {
    TSize Size;
    TRect Left;   // list 1's picture; empty when the layout has none
    TRect Right;  // list 2's
};
// Raises EIntOverflow when a size leaves 32 bits.
TPairPlaces PlacePair(TPairLayout layout, TSize left, TSize right, int32_t gap);

// output := right (list 2's picture) and left (list 1's) joined by layout with gap pixels
// between them, on margin colour; pictures the layout does not use are ignored. A picture
// enlarged to match the other is changed in place. Raises EIntOverflow when a size leaves
// 32 bits, and the bitmaps' errors when a picture cannot be made; output is then unusable.
void JoinPair(TBitmap& right, TBitmap& left, TBitmap& output, TResampleMethod method,
              int32_t gap, TPairLayout layout, TColor margin, bool useSSE2);

}  // namespace quilmo
