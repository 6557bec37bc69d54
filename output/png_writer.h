#pragma once
// A big bitmap written as a PNG file through libpng.

#include "bgr_rows.h"
#include "color/color_profile.h"

namespace quilmo {

class TBigBitmap;
class TStream;

// 8-bit RGB PNG of picture, which must not be empty, not interlaced, its rows filtered and
// deflated at zlib's level 6 on the work threads (the same bytes for any thread count); a profile
// other than sRGB goes into an iCCP chunk. Raises EWriteError (or the stream's error) on
// failure. With a gate, each row is taken once it is final.
void WritePng(TBigBitmap& picture, TStream& stream, const TColorProfile& profile = {},
              const TRowGate& gate = {});

}  // namespace quilmo
