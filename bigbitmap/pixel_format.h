#pragma once
// Pixel formats of the standard bitmap, palettes and the row arithmetic every DIB shares.

#include <cstdint>
#include <vector>

namespace quilmo {

enum TPixelFormat : uint8_t { pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

int PixelFormatBits(TPixelFormat format);
// The format of a standard bitmap with that many bits per pixel; 16 bits is 5-6-5.
TPixelFormat PixelFormatFromBits(int bits);
bool IsIndexedFormat(TPixelFormat format);

// Bytes per row: rows are padded to a multiple of 32 bits.
inline int64_t DIBStride(int bits, int64_t width) { return ((bits * width + 31) / 32) * 4; }

// One palette entry as a logical palette holds it.
struct TPaletteEntry {
    uint8_t peRed = 0;
    uint8_t peGreen = 0;
    uint8_t peBlue = 0;
    uint8_t peFlags = 0;
    friend bool operator==(const TPaletteEntry&, const TPaletteEntry&) = default;
};

using TPalette = std::vector<TPaletteEntry>;

// The palette a new bitmap of an indexed format starts with: black and white for 1 bit, the
// sixteen standard colours for 4 bits, a grey ramp for 8 bits. Its last entry is white.
TPalette DefaultPalette(TPixelFormat format);

}  // namespace quilmo
