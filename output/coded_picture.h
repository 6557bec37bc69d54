#pragma once
// A baseline JPEG picture read as far as its Huffman symbols and no further: each block's DC
// value and the AC symbols with their extra bits, as they are to be coded again with other
// tables. Only the plainest files are taken (one interleaved scan of every component, or one
// component of one block per MCU; baseline Huffman coding; the symbols as libjpeg would code
// the same blocks); for anything else, damaged data included, there is no coded picture and
// the caller reads the blocks through libjpeg.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "huffman_tables.h"
#include "input/jpeg_error.h"

namespace quilmo {

class TJpegReader;

struct TCodedComponent {
    int Across = 1;         // blocks of an MCU
    int Down = 1;
    int32_t Width = 0;      // blocks that hold the picture
    int32_t Height = 0;
    TSymbolCounts Ac{};     // the AC symbols of its blocks that hold the picture
};

struct TCodedPicture {
    std::vector<TCodedComponent> Components;
    int32_t McusAcross = 0;
    int32_t McusDown = 0;
    int BlocksPerMcu = 0;
    // Every block in the scan's order: its DC value, and where its AC symbols begin (each
    // with its extra bits); the end of the last block besides.
    std::vector<int16_t> Dc;
    std::vector<size_t> BlockStarts;
    std::vector<uint8_t> Symbols;
    std::vector<uint16_t> Bits;
};

// Whether the picture of a header libjpeg has read is of the plainest kind, as far as its header
// tells: ReadCodedPicture may then take it, unless its data prove otherwise.
bool HasPlainScan(const jpeg_decompress_struct& info);

// The symbols of the picture reader has read the header of, bytes being its file.
std::optional<TCodedPicture> ReadCodedPicture(TJpegReader& reader, std::span<const uint8_t> bytes);

}  // namespace quilmo
