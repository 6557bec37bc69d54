#pragma once
// A big bitmap written as a PNG file through libpng.

namespace quilmo {

class TBigBitmap;
class TStream;

// 8-bit RGB PNG of picture, which must not be empty, not interlaced, with libpng's default
// compression. Raises EWriteError (or the stream's error) on failure.
void WritePng(TBigBitmap& picture, TStream& stream);

}  // namespace quilmo
