#pragma once
// Reading and writing single pixels of any standard-bitmap format, for the drawing paths that
// convert between formats. The bulk paths (same format, 24 bits) copy rows instead.

#include <cstdint>

#include "pixel_format.h"

namespace quilmo {

struct TRGB {
    uint8_t Blue = 0;
    uint8_t Green = 0;
    uint8_t Red = 0;
};

// Paint rows of a DIB white: every pixel bit set (white in the direct formats, the last palette
// entry in the indexed ones), and the padding behind the pixels of each row zero.
void PaintWhiteRows(uint8_t* bits, int64_t stride, int64_t rows, int bitsPerPixel, int64_t width);

// The stored value of pixel x: a palette index, or the packed colour.
uint32_t ReadRawPixel(const uint8_t* row, int64_t x, TPixelFormat format);
void WriteRawPixel(uint8_t* row, int64_t x, TPixelFormat format, uint32_t value);

// The colour of a stored value. An index past the palette reads as black.
TRGB DecodePixel(uint32_t value, TPixelFormat format, const TPalette& palette);
// The stored value closest to colour: the nearest palette entry for indexed formats.
uint32_t EncodePixel(TRGB colour, TPixelFormat format, const TPalette& palette);

}  // namespace quilmo
