#pragma once
// Pictures as plain bytes for the resampler tests: 24-bit, blue-green-red, top row first.

#include <cstdint>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/bitmap.h"

namespace quilmo::test {

struct TPixels {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Bytes;

    uint8_t& At(int32_t x, int32_t y, int channel) { return Bytes[(size_t(y) * Width + x) * 3 + channel]; }
    uint8_t At(int32_t x, int32_t y, int channel) const
    {
        return Bytes[(size_t(y) * Width + x) * 3 + channel];
    }
};

// Every channel of every pixel set to value.
TPixels Uniform(int32_t width, int32_t height, uint8_t value);
// Noise with smooth stretches, the same for the same seed.
TPixels RandomPixels(int32_t width, int32_t height, uint32_t seed);

void Load(TBigBitmap& bitmap, const TPixels& pixels);
void Load(TBitmap& bitmap, const TPixels& pixels);
TPixels PixelsOf(TBigBitmap& bitmap);
TPixels PixelsOf(const TBitmap& bitmap);

// How many channels differ, and by how much at most.
struct TDifference {
    int64_t Channels = 0;
    int MaxStep = 0;
};
TDifference Compare(const TPixels& a, const TPixels& b);

}  // namespace quilmo::test
