#include "pixels.h"

#include <cstddef>
#include <cstring>
#include <limits>

namespace quilmo {

namespace {

uint8_t Expand5(uint32_t v) { return static_cast<uint8_t>((v << 3) | (v >> 2)); }
uint8_t Expand6(uint32_t v) { return static_cast<uint8_t>((v << 2) | (v >> 4)); }

uint32_t NearestIndex(TRGB c, const TPalette& palette)
{
    uint32_t best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = palette[i].peRed - c.Red;
        const int dg = palette[i].peGreen - c.Green;
        const int db = palette[i].peBlue - c.Blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<uint32_t>(i);
            if (distance == 0) break;
        }
    }
    return best;
}

}  // namespace

void PaintWhiteRows(uint8_t* bits, int64_t stride, int64_t rows, int bitsPerPixel, int64_t width)
{
    const int64_t pixelBits = bitsPerPixel * width;
    const int64_t whole = pixelBits / 8;
    const int rest = static_cast<int>(pixelBits % 8);
    for (int64_t r = 0; r < rows; ++r) {
        uint8_t* row = bits + r * stride;
        std::memset(row, 0xFF, static_cast<size_t>(whole));
        std::memset(row + whole, 0, static_cast<size_t>(stride - whole));
        if (rest) row[whole] = static_cast<uint8_t>(0xFF << (8 - rest));
    }
}

uint32_t ReadRawPixel(const uint8_t* row, int64_t x, TPixelFormat format)
{
    switch (format) {
    case pf1bit: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case pf4bit: return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    case pf8bit: return row[x];
    case pf15bit:
    case pf16bit: return row[2 * x] | row[2 * x + 1] << 8;
    case pf24bit: return row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16;
    case pf32bit:
        return row[4 * x] | row[4 * x + 1] << 8 | row[4 * x + 2] << 16 |
               static_cast<uint32_t>(row[4 * x + 3]) << 24;
    }
    return 0;
}

void WriteRawPixel(uint8_t* row, int64_t x, TPixelFormat format, uint32_t value)
{
    switch (format) {
    case pf1bit: {
        const int shift = 7 - static_cast<int>(x & 7);
        row[x >> 3] = static_cast<uint8_t>((row[x >> 3] & ~(1 << shift)) | (value & 1) << shift);
        break;
    }
    case pf4bit:
        if (x & 1)
            row[x >> 1] = static_cast<uint8_t>((row[x >> 1] & 0xF0) | (value & 0x0F));
        else
            row[x >> 1] = static_cast<uint8_t>((row[x >> 1] & 0x0F) | (value & 0x0F) << 4);
        break;
    case pf8bit: row[x] = static_cast<uint8_t>(value); break;
    case pf15bit:
    case pf16bit:
        row[2 * x] = static_cast<uint8_t>(value);
        row[2 * x + 1] = static_cast<uint8_t>(value >> 8);
        break;
    case pf24bit:
        row[3 * x] = static_cast<uint8_t>(value);
        row[3 * x + 1] = static_cast<uint8_t>(value >> 8);
        row[3 * x + 2] = static_cast<uint8_t>(value >> 16);
        break;
    case pf32bit:
        row[4 * x] = static_cast<uint8_t>(value);
        row[4 * x + 1] = static_cast<uint8_t>(value >> 8);
        row[4 * x + 2] = static_cast<uint8_t>(value >> 16);
        row[4 * x + 3] = static_cast<uint8_t>(value >> 24);
        break;
    }
}

TRGB DecodePixel(uint32_t value, TPixelFormat format, const TPalette& palette)
{
    switch (format) {
    case pf1bit:
    case pf4bit:
    case pf8bit:
        if (value >= palette.size()) return {};
        return {palette[value].peBlue, palette[value].peGreen, palette[value].peRed};
    case pf15bit:
        return {Expand5(value & 0x1F), Expand5((value >> 5) & 0x1F), Expand5((value >> 10) & 0x1F)};
    case pf16bit:
        return {Expand5(value & 0x1F), Expand6((value >> 5) & 0x3F), Expand5((value >> 11) & 0x1F)};
    case pf24bit:
    case pf32bit:
        return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                static_cast<uint8_t>(value >> 16)};
    }
    return {};
}

uint32_t EncodePixel(TRGB c, TPixelFormat format, const TPalette& palette)
{
    switch (format) {
    case pf1bit:
    case pf4bit:
    case pf8bit: return NearestIndex(c, palette);
    case pf15bit: return (c.Red >> 3) << 10 | (c.Green >> 3) << 5 | c.Blue >> 3;
    case pf16bit: return (c.Red >> 3) << 11 | (c.Green >> 2) << 5 | c.Blue >> 3;
    case pf24bit:
    case pf32bit: return c.Blue | c.Green << 8 | c.Red << 16;
    }
    return 0;
}

}  // namespace quilmo
