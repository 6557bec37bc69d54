#pragma once
// The rows of a big bitmap as 24-bit blue, green, red, whatever its pixel format, for the
// encoders: 24-bit rows are handed out where they lie, indexed ones are converted through the
// palette into scratch memory.

#include <cstdint>
#include <vector>

#include "bigbitmap/big_bitmap.h"

namespace quilmo {

class TBGRRows {
public:
    explicit TBGRRows(TBigBitmap& picture);

    // Row y (0 = top); valid until the next call.
    const uint8_t* Row(int32_t y);

private:
    TBigBitmap& FPicture;
    TPixelFormat FFormat;
    TPalette FPalette;
    std::vector<uint8_t> FScratch;
};

}  // namespace quilmo
