#pragma once
// Builds BMP files byte by byte for tests, including ones no careful writer would produce.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace quilmo::test {

using TBytes = std::vector<uint8_t>;

struct TBmpSpec {
    int32_t Width = 1;
    int32_t Height = 1;
    uint16_t Bits = 24;
    uint32_t Compression = 0;
    uint32_t HeaderSize = 40;               // 40 or more; masks go to bytes 40..51 when larger
    uint32_t ColoursUsed = 0;
    std::vector<uint32_t> Masks;            // red, green, blue (alpha): after a 40-byte header or inside a longer one
    std::vector<std::array<uint8_t, 3>> Colours;  // red, green, blue
    TBytes Pixels;                          // stored exactly as given
    std::optional<uint32_t> FileSize;       // defaults to the true size
    std::optional<uint32_t> DataOffset;     // defaults to right after the colours
};

TBytes MakeBmp(const TBmpSpec& spec);

// An OS/2 bitmap with a 12-byte core header and 3-byte colour entries.
TBytes MakeCoreBmp(uint16_t width, uint16_t height, uint16_t bits,
                   const std::vector<std::array<uint8_t, 3>>& colours, const TBytes& pixels);

// Rows of stride bytes, each filled by fill(row, x) for x < bytesPerRow and zero padded.
TBytes MakeRows(int64_t stride, int32_t rows, int64_t bytesPerRow, uint8_t (*fill)(int32_t, int64_t));

// Little-endian fields read back from bytes.
uint32_t ReadLE32(const TBytes& bytes, size_t offset);

}  // namespace quilmo::test
