#pragma once
// A big bitmap written as a JPEG file through libjpeg.

namespace quilmo {

class TBigBitmap;
class TStream;

struct TJpegSaveOptions {
    int Quality = 85;  // 10 to 100
    bool Progressive = false;
};

// Colour JPEG of picture, which must not be empty. The encoder starts from libjpeg's defaults,
// then takes the floating-point DCT, the quality with baseline-compatible tables, and simple
// progression when asked. Raises EWriteError (or the stream's error) on failure.
void WriteJpeg(TBigBitmap& picture, TStream& stream, const TJpegSaveOptions& options);

}  // namespace quilmo
