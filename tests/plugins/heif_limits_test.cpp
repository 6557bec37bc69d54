// The HEIF plug-in refuses, from the sizes a file declares, what would take more memory or work
// than the pixel limit allows: grids and overlays larger than the picture, coded streams
// larger than their items, tiles used over and over, references that go round in a circle.

#include <gtest/gtest.h>

#include <algorithm>

#include "format_encoders.h"
#include "heif_boxes.h"
#include "plugins/heif/heif_reader.h"
#include "plugins/spi_codes.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

int32_t Decode(const TBytes& file)
{
    spi::TDibBlocks blocks;
    return spi::DecodeHeif(file.data(), file.size(), blocks);
}

// A 32 x 24 grid of one tile, whose alpha is a grid of one overlay of the given size.
TBytes AlphaOverlayOf(uint32_t width, uint32_t height)
{
    return HeifFile(2, {{.Id = 1, .Width = 64, .Height = 64},
                        {.Id = 2, .Type = "grid", .Width = 32, .Height = 24, .Data = GridData(1, 1, 32, 24), .Inputs = {1}},
                        {.Id = 3, .Type = "iovl", .Width = 64, .Height = 64, .Data = OverlayData(width, height)},
                        {.Id = 4, .Type = "grid", .Width = 32, .Height = 24, .Data = GridData(1, 1, 32, 24),
                         .Inputs = {3}, .AlphaFor = 2}});
}

// The ispe property of the given size made to say 16 x 16 instead.
TBytes WithSmallerIspe(TBytes file, uint8_t width, uint8_t height)
{
    const TBytes ispe = {'i', 's', 'p', 'e', 0, 0, 0, 0, 0, 0, 0, width, 0, 0, 0, height};
    const auto at = std::search(file.begin(), file.end(), ispe.begin(), ispe.end());
    EXPECT_NE(at, file.end());
    if (at != file.end()) at[11] = at[15] = 16;
    return file;
}

}  // namespace

TEST(HeifLimits, AGridOrOverlayLargerThanThePictureIsRefusedFromItsHeader)
{
    // Over four gigabytes of alpha overlay for a picture of 32 x 24.
    ExpectRefusedEarly(spi::DecodeHeif, AlphaOverlayOf(30000, 30000));
    EXPECT_NE(Decode(AlphaOverlayOf(60, 60)), spi::kOutOfMemory);  // no coded tile to decode

    ExpectRefusedEarly(spi::DecodeHeif,
                            HeifFile(1, {{.Id = 1, .Type = "iovl", .Width = 32, .Height = 24,
                                          .Data = OverlayData(20000, 20000)}}));
    ExpectRefusedEarly(spi::DecodeHeif,
                            HeifFile(2, {{.Id = 1, .Width = 64, .Height = 64},
                                         {.Id = 2, .Type = "grid", .Width = 32, .Height = 24,
                                          .Data = GridData(1, 1, 30000, 30000), .Inputs = {1}}}));
}

TEST(HeifLimits, ACodedStreamIsTakenAtTheSizeItDeclares)
{
    // libheif's 64 x 48 picture is a grid of one 64 x 64 tile; the tile's HEVC stream, not its
    // ispe property, says how much its decoder takes.
    if (!heif_have_encoder_for_format(heif_compression_HEVC)) GTEST_SKIP() << "no HEVC encoder here";
    const TBytes heic = WithSmallerIspe(EncodeHeif(MakeSamplePicture(64, 48, 3)), 64, 64);
    {
        const TPluginPixelLimit limit(64 * 64 - 1);
        ExpectRefusedEarly(spi::DecodeHeif, heic);
    }
    {
        const TPluginPixelLimit limit(64 * 64);
        EXPECT_EQ(Decode(heic), 0);
    }

    // An AV1 picture of 64 x 48 said to be 16 x 16.
    if (!heif_have_encoder_for_format(heif_compression_AV1)) GTEST_SKIP() << "no AV1 encoder here";
    const TBytes avif =
        WithSmallerIspe(EncodeHeif(MakeSamplePicture(64, 48, 3), {.Compression = heif_compression_AV1}), 64, 48);
    {
        const TPluginPixelLimit limit(64 * 48 - 1);
        ExpectRefusedEarly(spi::DecodeHeif, avif);
    }
    // Read at the size its stream gives, as libheif decodes it.
    TBitmap bitmap;
    ASSERT_EQ(DecodeInto(spi::DecodeHeif, avif, bitmap), 0);
    EXPECT_EQ(bitmap.GetWidth(), 64);
    EXPECT_EQ(bitmap.GetHeight(), 48);
}

TEST(HeifLimits, TilesUsedOverAndOverOrInACircleAreRefused)
{
    // One tile of 64 x 64 used for every tile of a row on a canvas of 64 x 64.
    const auto grid = [](uint8_t columns) {
        return HeifFile(2, {{.Id = 1, .Width = 64, .Height = 64},
                            {.Id = 2, .Type = "grid", .Width = 64, .Height = 64, .Data = GridData(1, columns, 64, 64),
                             .Inputs = std::vector<uint32_t>(columns, 1)}});
    };
    const TPluginPixelLimit limit(64 * 64);
    // Four pictures at the limit may be decoded for one; the fifth tile is one too many.
    EXPECT_EQ(Decode(grid(4)), spi::kBrokenData);  // the tile has no stream to decode
    EXPECT_EQ(Decode(grid(5)), spi::kOutOfMemory);

    const TBytes circle = HeifFile(1, {{.Id = 1, .Type = "grid", .Width = 64, .Height = 64,
                                        .Data = GridData(1, 1, 64, 64), .Inputs = {1}}});
    EXPECT_EQ(Decode(circle), spi::kBrokenData);
}
