#pragma once
// A big bitmap written as an uncompressed BMP file, whose colours are always sRGB.

namespace quilmo {

class TBigBitmap;
class TColorProfile;
class TStream;

// The picture's own BMP stream when profile is sRGB; otherwise a 24-bit BMP whose rows are
// converted from profile's colours into sRGB on their way out (the picture is not changed).
void WriteBmp(TBigBitmap& picture, TStream& stream, const TColorProfile& profile);

}  // namespace quilmo
