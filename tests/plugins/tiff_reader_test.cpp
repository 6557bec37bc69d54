// The TIFF plug-in's decoder on pictures libtiff writes: the sample layouts, depths, alpha kinds
// and orientations it promises, and damaged files.

#include <gtest/gtest.h>

#include "bigbitmap/pixel_limit.h"
#include "format_encoders.h"
#include "plugins/spi_export.h"
#include "plugins/tiff/tiff_reader.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

int32_t Decode(const TBytes& file, TBitmap& bitmap) { return DecodeInto(spi::DecodeTiff, file, bitmap); }

void ExpectDecodes(const char* caseName, const TSamplePicture& picture, const TTiffLayout& layout,
                   const std::vector<TColor>& colours, int tolerance = 0)
{
    SCOPED_TRACE(caseName);
    TBitmap bitmap;
    ASSERT_EQ(Decode(EncodeTiff(picture, layout), bitmap), 0);
    const bool turned = layout.Orientation >= 5;
    ExpectColours(bitmap, turned ? picture.Height : picture.Width, colours, tolerance);
}

}  // namespace

TEST(TiffReader, EveryOrientationStandsUpright)
{
    const TSamplePicture picture = MakeSamplePicture(5, 3, 3);
    for (uint16_t orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const std::string name = "rgb8_orientation" + std::to_string(orientation);
        ExpectDecodes(name.c_str(), picture, {.Orientation = orientation}, ExpectedColours(picture, orientation));
    }
    // The layouts libtiff converts are turned the same way.
    TSamplePicture grey = MakeSamplePicture(5, 3, 1, 15);
    ExpectDecodes("grey4_orientation6", grey, {.Photometric = PHOTOMETRIC_MINISBLACK, .Bits = 4, .Orientation = 6},
                  ExpectedColours(grey, 6));
}

TEST(TiffReader, SixteenBitSamplesAreRounded)
{
    const TSamplePicture rgb = MakeSamplePicture(6, 4, 3, 65535);
    ExpectDecodes("rgb16", rgb, {.Bits = 16, .Compression = COMPRESSION_LZW}, ExpectedColours(rgb));
    // A level of 255 / 65535 is 1, not the 0 of its high byte.
    TSamplePicture dark{1, 1, 1, 65535, {255}};
    ExpectDecodes("grey16_dark", dark, {.Photometric = PHOTOMETRIC_MINISBLACK, .Bits = 16}, {0x010101});
}

TEST(TiffReader, TilesPlanesAndAlpha)
{
    // Grey with unassociated alpha in planes and tiles that overhang the picture.
    const TSamplePicture greyAlpha = MakeSamplePicture(20, 18, 2, 65535);
    ExpectDecodes("grey_alpha16_tiles", greyAlpha,
                  {.Photometric = PHOTOMETRIC_MINISBLACK, .Bits = 16, .Planar = PLANARCONFIG_SEPARATE, .Tile = 16},
                  ExpectedColours(greyAlpha), 1);

    // Associated alpha: the colours are stored premultiplied.
    TSamplePicture premultiplied = MakeSamplePicture(7, 5, 4);
    for (size_t i = 0; i < premultiplied.Samples.size(); i += 4)
        for (int c = 0; c < 3; ++c)
            premultiplied.Samples[i + c] = static_cast<uint16_t>(premultiplied.Samples[i + c] * premultiplied.Samples[i + 3] / 255);
    ExpectDecodes("rgba8_associated", premultiplied,
                  {.Compression = COMPRESSION_ADOBE_DEFLATE, .Alpha = EXTRASAMPLE_ASSOCALPHA, .Tile = 16, .Big = true},
                  ExpectedColours(premultiplied, 1, true));

    const TSamplePicture rgb = MakeSamplePicture(9, 5, 3);
    ExpectDecodes("rgb8_planes", rgb, {.Planar = PLANARCONFIG_SEPARATE, .Orientation = 8}, ExpectedColours(rgb, 8));
}

TEST(TiffReader, PaletteBilevelAndCmyk)
{
    // Index i of a 4-bit palette is red 17 * i, green 255 - 17 * i, blue 0.
    std::vector<uint16_t> map(48, 0);
    for (uint16_t i = 0; i < 16; ++i) {
        map[i] = static_cast<uint16_t>(17 * i * 257);
        map[16 + i] = static_cast<uint16_t>((255 - 17 * i) * 257);
    }
    const TSamplePicture indices{4, 2, 1, 15, {0, 1, 2, 3, 15, 14, 13, 12}};
    std::vector<TColor> paletteColours;
    for (uint16_t index : indices.Samples) paletteColours.push_back(17u * index | (255u - 17 * index) << 8);
    ExpectDecodes("palette4", indices, {.Photometric = PHOTOMETRIC_PALETTE, .Bits = 4, .ColourMap = map},
                  paletteColours);

    const TSamplePicture bits{10, 1, 1, 1, {1, 0, 0, 1, 1, 1, 0, 1, 0, 0}};
    std::vector<TColor> bilevel;  // 0 is white
    for (uint16_t bit : bits.Samples) bilevel.push_back(bit ? 0x000000 : 0xFFFFFF);
    ExpectDecodes("bilevel", bits, {.Photometric = PHOTOMETRIC_MINISWHITE, .Bits = 1}, bilevel);

    // Cyan, magenta, yellow, black.
    const TSamplePicture inks{4, 1, 4, 255, {255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255}};
    ExpectDecodes("cmyk", inks, {.Photometric = PHOTOMETRIC_SEPARATED}, {0xFFFF00, 0xFF00FF, 0x00FFFF, 0x000000});
}

TEST(TiffReader, RefusesWhatItCannotRead)
{
    TBitmap bitmap;
    EXPECT_EQ(Decode({'I', 'I', 0, 0, 8, 0, 0, 0}, bitmap), 2);
    // A directory that promises pixels which are not there.
    TBytes file = EncodeTiff(MakeSamplePicture(8, 8, 3), {});
    EXPECT_EQ(Decode(file, bitmap), 0);
    EXPECT_EQ(Decode(TBytes(file.begin(), file.begin() + 100), bitmap), 3);
    ExpectDamageHandled(spi::DecodeTiff, file);
    // Above the pixel limit the picture is refused from its header.
    QuilmoSetPixelLimit(63);
    EXPECT_EQ(Decode(file, bitmap), 4);
    QuilmoSetPixelLimit(64);
    EXPECT_EQ(Decode(file, bitmap), 0);
    QuilmoSetPixelLimit(kDefaultMaxPicturePixels);
    ExpectDamageHandled(spi::DecodeTiff, EncodeTiff(MakeSamplePicture(20, 18, 2, 65535),
                                                    {.Photometric = PHOTOMETRIC_MINISBLACK, .Bits = 16,
                                                     .Compression = COMPRESSION_LZW, .Tile = 16}));
}
