#pragma once
// A big bitmap written as a WebP file through libwebp.

#include <cstdint>

namespace quilmo {

class TBigBitmap;
class TColorProfile;
class TStream;

// WebP holds pictures of up to this many pixels a side.
inline constexpr int32_t kMaxWebpSide = 16383;

// Raises EWriteError naming the size when a picture of width x height does not fit WebP.
void CheckWebpSize(int32_t width, int32_t height);

// WebP of picture, which must not be empty: lossy at quality (10 to 99), lossless at 100; a
// profile other than sRGB goes into an ICCP chunk. Raises EWriteError (or the stream's error) on
// failure, the size's before anything is written.
void WriteWebp(TBigBitmap& picture, TStream& stream, int quality, const TColorProfile& profile);

}  // namespace quilmo
