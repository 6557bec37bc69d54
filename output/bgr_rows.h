#pragma once
// The rows of a big bitmap as 24-bit blue, green, red, whatever its pixel format, for the
// encoders: 24-bit rows are handed out where they lie, indexed ones are converted through the
// palette into scratch memory.

#include <cstdint>
#include <functional>
#include <vector>

#include "bigbitmap/big_bitmap.h"

namespace quilmo {

// Returns once rows 0..rows-1 of a picture still being made are final; raises to abandon the
// writing.
using TRowGate = std::function<void(int32_t rows)>;

class TBGRRows {
public:
    // A gate makes each row wait until it is final.
    explicit TBGRRows(TBigBitmap& picture, TRowGate gate = {});

    // Row y (0 = top); valid until the next call.
    const uint8_t* Row(int32_t y);

private:
    TBigBitmap& FPicture;
    TRowGate FGate;
    TPixelFormat FFormat;
    TPalette FPalette;
    std::vector<uint8_t> FScratch;
};

}  // namespace quilmo
