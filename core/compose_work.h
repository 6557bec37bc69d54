#pragma once
// The pixel work of one join shared among threads: the areas no picture covers are filled, the
// pictures are read (several at once, at most one per thread) and each is scaled or copied
// straight into its place in row bands that any thread may take, its colours converted there
// when they are not the joined picture's. With one thread the order is
// that of a single worker: the fill, then each picture read, scaled and placed in turn.

#include <cstdint>
#include <span>

#include "bigbitmap/geometry.h"
#include "resample/resample.h"

namespace quilmo {

class TBigBitmap;
class TColorProfile;
class TJoinSource;
struct TJoinHooks;
struct TJoinSettings;

// joined (sized, frame included, its pixels not yet set) receives the pictures of source at
// places (frame included) and the join colour everywhere else, all in the colours of space.
// progress hears of each enlargement and hooks of the rows done and the pictures placed, as
// ComposeJoined says. Raises the error of the earliest picture that failed.
void ComposePixels(TJoinSource& source, std::span<const TRect> places, const TJoinSettings& settings,
                   const TColorProfile& space, TBigBitmap& joined, const TProgressProc& progress,
                   const TJoinHooks& hooks);

}  // namespace quilmo
