#pragma once
// Where each picture of a join goes and the size it is drawn at: integer work on sizes only, kept
// apart from the pixels so that pictures can be read and scaled in any order once it is done.

#include <optional>
#include <span>
#include <vector>

#include "bigbitmap/geometry.h"
#include "join_settings.h"
#include "picture_helpers.h"

namespace quilmo {

struct TJoinLayout {
    // Each picture's rectangle in the joined picture, frame not counted; its size is the size
    // the picture is drawn at.
    std::vector<TRect> Placements;
    // The joined picture without the frame.
    TSize Size;
};

// The layout of pictures of sizes (all positive) in order under settings: direction, method,
// gap, wrap and alignment; the frame counts only for the size check.
// One line (wrap 0) is computed in 32 bits and raises EIntOverflow where a sum or product
// leaves them. Wrapped lines are computed in 64 bits, and a joined picture whose size, frame
// included, does not fit 32 bits is refused with EBigBitmapError before anything is allocated.
TJoinLayout LayOutJoin(std::span<const TSize> sizes, const TJoinSettings& settings);

// The layout of pictures already drawn at their sizes, in a new order or with a new gap, so
// that they can be moved instead of drawn again; nothing where the rule would give them other
// sizes (wrapped lines of resampled pictures).
std::optional<TJoinLayout> LayOutDrawn(std::span<const TSize> drawnSizes,
                                       const TJoinSettings& settings);

}  // namespace quilmo
