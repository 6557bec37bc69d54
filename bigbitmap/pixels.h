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

// The stored value of pixel x: a palette index, or the packed colour.
uint32_t ReadRawPixel(const uint8_t* row, int64_t x, TPixelFormat format);
void WriteRawPixel(uint8_t* row, int64_t x, TPixelFormat format, uint32_t value);

// The colour of a stored value. An index past the palette reads as black.
TRGB DecodePixel(uint32_t value, TPixelFormat format, const TPalette& palette);
// The stored value closest to colour: the nearest palette entry for indexed formats.
uint32_t EncodePixel(TRGB colour, TPixelFormat format, const TPalette& palette);

}  // namespace quilmo
