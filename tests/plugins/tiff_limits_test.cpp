// The TIFF plug-in refuses, from what a file declares, what would take more memory than the
// picture: a size above the pixel limit, a tile far larger than the picture, directory entries
// whose values add up to more than the file.

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>

#include "plugins/tiff/tiff_reader.h"
#include "sample_pictures.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

struct TTiffEntry {
    uint16_t Tag;
    uint16_t Type;  // 3 short, 4 long, 7 undefined bytes
    uint32_t Count;
    uint32_t Value;  // or where the values are
};

void PutLE(TBytes& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A little-endian TIFF file: its header, data from offset 8 on, then one directory.
TBytes TiffFile(std::vector<TTiffEntry> entries, const TBytes& data)
{
    std::sort(entries.begin(), entries.end(), [](const TTiffEntry& a, const TTiffEntry& b) { return a.Tag < b.Tag; });
    TBytes file = {'I', 'I', 42, 0};
    PutLE(file, static_cast<uint32_t>(8 + data.size()), 4);
    file.insert(file.end(), data.begin(), data.end());
    PutLE(file, static_cast<uint32_t>(entries.size()), 2);
    for (const TTiffEntry& entry : entries) {
        PutLE(file, entry.Tag, 2);
        PutLE(file, entry.Type, 2);
        PutLE(file, entry.Count, 4);
        PutLE(file, entry.Value, 4);
    }
    PutLE(file, 0, 4);  // no next directory
    return file;
}

// A grey picture of width x height, 8 bits, stored in one strip of the data's first bytes.
std::vector<TTiffEntry> GreyPicture(uint32_t width, uint32_t height)
{
    return {{256, 4, 1, width}, {257, 4, 1, height}, {258, 3, 1, 8}, {259, 3, 1, 1}, {262, 3, 1, 1},
            {273, 4, 1, 8},     {277, 3, 1, 1},      {278, 4, 1, height}, {279, 4, 1, width * height}};
}

// bytes zero bytes, deflated.
TBytes DeflatedZeros(size_t bytes)
{
    z_stream stream{};
    deflateInit(&stream, Z_BEST_SPEED);
    const TBytes zeros(1 << 20, 0);
    TBytes out(1 << 16);
    TBytes deflated;
    for (size_t left = bytes; ; ) {
        const size_t piece = std::min(left, zeros.size());
        left -= piece;
        stream.next_in = const_cast<uint8_t*>(zeros.data());
        stream.avail_in = static_cast<uInt>(piece);
        do {
            stream.next_out = out.data();
            stream.avail_out = static_cast<uInt>(out.size());
            deflate(&stream, left == 0 ? Z_FINISH : Z_NO_FLUSH);
            deflated.insert(deflated.end(), out.data(), stream.next_out);
        } while (stream.avail_out == 0);
        if (left == 0) break;
    }
    deflateEnd(&stream);
    return deflated;
}

}  // namespace

TEST(TiffLimits, APictureAboveThePixelLimitIsRefusedFromItsHeader)
{
    ExpectRefusedEarly(spi::DecodeTiff, TiffFile(GreyPicture(100000, 100000), TBytes(64, 0)));
}

TEST(TiffLimits, ATileFarLargerThanThePictureIsRefused)
{
    // A 16 x 16 picture of four-bit greys in one tile of 16384 x 16384: 128 MiB decoded.
    const uint32_t side = 16384;
    const TBytes tile = DeflatedZeros(size_t{side} * side / 2);
    const TBytes file = TiffFile({{256, 4, 1, 16}, {257, 4, 1, 16}, {258, 3, 1, 4}, {259, 3, 1, 8}, {262, 3, 1, 1},
                                  {277, 3, 1, 1}, {322, 4, 1, side}, {323, 4, 1, side}, {324, 4, 1, 8},
                                  {325, 4, 1, static_cast<uint32_t>(tile.size())}},
                                 tile);
    ExpectRefusedEarly(spi::DecodeTiff, file, spi::kBrokenData);
}

TEST(TiffLimits, DirectoryEntriesThatAddUpToMoreThanTheFileAreRefused)
{
    // 2000 entries each pointing at the same 64 KiB: 125 MiB for libtiff to read in.
    const TBytes values(1 << 16, 0x55);
    std::vector<TTiffEntry> entries = GreyPicture(16, 16);
    for (uint16_t i = 0; i < 2000; ++i) entries.push_back({static_cast<uint16_t>(40000 + i), 7, 1 << 16, 8});
    const TBytes file = TiffFile(entries, values);
    ExpectRefusedEarly(spi::DecodeTiff, file, spi::kBrokenData);

    // The same bytes named once by each of a few entries are read.
    entries.resize(GreyPicture(16, 16).size() + 1);
    spi::TDibBlocks blocks;
    const TBytes fits = TiffFile(entries, values);
    EXPECT_EQ(spi::DecodeTiff(fits.data(), fits.size(), blocks), 0);
}
