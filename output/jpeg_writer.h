#pragma once
// A big bitmap written as a JPEG file through libjpeg.

#include <cstdint>

#include "bgr_rows.h"
#include "color/color_profile.h"

namespace quilmo {

class TBigBitmap;
class TJpegCompressor;
class TStream;

struct TJpegSaveOptions {
    int Quality = 85;  // 10 to 100
    bool Progressive = false;
};

// The widest and highest picture a JPEG file holds.
inline constexpr int32_t kMaxJpegSide = 65500;

// Raises EWriteError for a picture wider or higher than a JPEG file holds.
void CheckJpegSize(int32_t width, int32_t height);

// A profile other than sRGB written into APP2 markers, once the compressor has begun its file.
void WriteIccProfile(TJpegCompressor& compressor, const TColorProfile& profile);

// Colour JPEG of picture, which must not be empty nor larger than CheckJpegSize allows. The encoder starts from libjpeg's defaults,
// then takes the floating-point DCT, the quality with baseline-compatible tables, and simple
// progression when asked. A profile other than sRGB goes into APP2 markers. Raises EWriteError
// (or the stream's error) on failure. With a gate, each row is taken once it is final.
void WriteJpeg(TBigBitmap& picture, TStream& stream, const TJpegSaveOptions& options,
               const TColorProfile& profile = {}, const TRowGate& gate = {});

}  // namespace quilmo
