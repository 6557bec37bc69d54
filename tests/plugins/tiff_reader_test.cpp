// The TIFF plug-in's decoder on pictures libtiff writes: the sample layouts, depths, alpha kinds,
// orientations and colours it promises, and damaged files.

#include <gtest/gtest.h>
#include <lcms2.h>

#include <cmath>

#include "bigbitmap/pixel_limit.h"
#include "color/color_fixtures.h"
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

namespace {

cmsCIELab LabOf(TRgb colour)
{
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM transform = cmsCreateTransform(srgb, TYPE_RGB_8, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
    const uint8_t pixel[3] = {uint8_t(colour.R), uint8_t(colour.G), uint8_t(colour.B)};
    cmsCIELab result;
    cmsDoTransform(transform, pixel, &result, 1);
    cmsDeleteTransform(transform);
    cmsCloseProfile(lab);
    cmsCloseProfile(srgb);
    return result;
}

// L*a*b* relative to D65, as ImageMagick writes it, straight from sRGB's definition.
cmsCIELab D65LabOf(TRgb colour)
{
    const auto linear = [](int level) {
        const double v = level / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const double r = linear(colour.R), g = linear(colour.G), b = linear(colour.B);
    const cmsCIEXYZ xyz{0.4124 * r + 0.3576 * g + 0.1805 * b, 0.2126 * r + 0.7152 * g + 0.0722 * b,
                        0.0193 * r + 0.1192 * g + 0.9505 * b};
    const cmsCIEXYZ d65{0.95047, 1.0, 1.08883};
    cmsCIELab lab;
    cmsXYZ2Lab(&d65, &lab, &xyz);
    return lab;
}

std::vector<TColor> ColoursOf(const std::vector<TRgb>& colours)
{
    std::vector<TColor> result;
    for (const TRgb& c : colours) result.push_back(RGBColor(uint8_t(c.R), uint8_t(c.G), uint8_t(c.B)));
    return result;
}

}  // namespace

TEST(TiffReader, LabSamplesComeOutInSRGB)
{
    struct TEncoding {
        const char* Name;
        uint16_t Photometric, Bits;
        uint16_t (*Sample)(double value, int channel);  // L*, a* or b* as stored
        bool D65 = false;  // relative to D65, which the WhitePoint tag says, not to D50
    };
    const TEncoding encodings[] = {
        {"cielab8", PHOTOMETRIC_CIELAB, 8,
         [](double v, int c) { return c == 0 ? uint16_t(std::lround(v * 2.55)) : uint16_t(uint8_t(int8_t(std::lround(v)))); }},
        {"cielab16", PHOTOMETRIC_CIELAB, 16,
         [](double v, int c) { return c == 0 ? uint16_t(std::lround(v * 655.35)) : uint16_t(int16_t(std::lround(v * 256))); }},
        {"icclab8", PHOTOMETRIC_ICCLAB, 8, [](double v, int c) { return uint16_t(std::lround(c == 0 ? v * 2.55 : v + 128)); }},
        {"icclab16", PHOTOMETRIC_ICCLAB, 16,
         [](double v, int c) { return uint16_t(std::lround(c == 0 ? v * 655.35 : (v + 128) * 256)); }},
        {"itulab8", PHOTOMETRIC_ITULAB, 8,
         [](double v, int c) { return uint16_t(std::lround(c == 0 ? v * 2.55 : c == 1 ? (v + 85) * 1.5 : (v + 75) * 1.275)); }},
        {"cielab16_d65", PHOTOMETRIC_CIELAB, 16,
         [](double v, int c) { return c == 0 ? uint16_t(std::lround(v * 655.35)) : uint16_t(int16_t(std::lround(v * 256))); },
         true},
    };
    for (const TEncoding& encoding : encodings) {
        TSamplePicture picture{static_cast<int32_t>(kPatches.size()), 1, 3, encoding.Bits == 8 ? 255u : 65535u, {}};
        for (const TRgb& patch : kPatches) {
            const cmsCIELab lab = encoding.D65 ? D65LabOf(patch) : LabOf(patch);
            for (int c = 0; c < 3; ++c) picture.Samples.push_back(encoding.Sample(c == 0 ? lab.L : c == 1 ? lab.a : lab.b, c));
        }
        const std::array<float, 2> white = encoding.D65 ? std::array{0.3127f, 0.3290f} : std::array{0.0f, 0.0f};
        ExpectDecodes(encoding.Name, picture,
                      {.Photometric = encoding.Photometric, .Bits = encoding.Bits, .WhitePoint = white},
                      ColoursOf(kPatches), 2);
    }
    // L* alone is grey: 50 is sRGB's 119.
    ExpectDecodes("cielab_lightness", TSamplePicture{1, 1, 1, 255, {128}}, {.Photometric = PHOTOMETRIC_CIELAB},
                  {0x777777}, 1);
}

TEST(TiffReader, SixteenBitInksWithAndWithoutTheirProfile)
{
    // Cyan, half magenta, yellow with a little black, black.
    const TSamplePicture inks{4, 1, 4, 65535, {65535, 0, 0, 0, 0, 32896, 0, 0, 0, 0, 65535, 12850, 0, 0, 0, 65535}};
    // Without a profile, the inks of 8 bits through the plain formula, as 8-bit files are read.
    ExpectDecodes("cmyk16", inks, {.Photometric = PHOTOMETRIC_SEPARATED, .Bits = 16},
                  {0xFFFF00, 0xFF7FFF, 0x00CDCD, 0x000000});
    const TBytes profile = CmykProfile();
    std::vector<TRgb> shown;
    for (size_t i = 0; i < inks.Samples.size(); i += 4) {
        std::array<uint8_t, 4> ink{};
        for (int c = 0; c < 4; ++c) ink[c] = static_cast<uint8_t>((inks.Samples[i + c] * 255 + 32767) / 65535);
        shown.push_back(InksToSRGB(ink, profile));
    }
    ExpectDecodes("cmyk16_profile", inks, {.Photometric = PHOTOMETRIC_SEPARATED, .Bits = 16, .Icc = profile},
                  ColoursOf(shown), 2);
}

TEST(TiffReader, WideSamplesAreScaledAndOthersRefusedAsNotRead)
{
    const auto rows = [](auto... values) {
        TBytes bytes;
        for (auto value : {values...}) {
            const auto* raw = reinterpret_cast<const uint8_t*>(&value);
            bytes.insert(bytes.end(), raw, raw + sizeof(value));
        }
        return bytes;
    };
    TBitmap bitmap;
    // 32-bit integers give their high byte.
    const TTiffLayout rgb32{.Bits = 32};
    ASSERT_EQ(Decode(EncodeTiffRows(2, 1, 3, rgb32, rows(0x12345678u, 0xFF000000u, 0x00FFFFFFu, 0u, 0x80000000u, 0xFFFFFFFFu)),
                     bitmap),
              0);
    ExpectColours(bitmap, 2, {0x00FF12, 0xFF8000});
    // Floating-point samples run from 0 to 1; what lies outside, and NaN, is clamped.
    const std::vector<TColor> grey = {0x000000, 0x000000, 0x808080, 0xFFFFFF, 0xFFFFFF, 0x000000};
    const TTiffLayout float32{.Photometric = PHOTOMETRIC_MINISBLACK, .Bits = 32, .Format = SAMPLEFORMAT_IEEEFP};
    ASSERT_EQ(Decode(EncodeTiffRows(6, 1, 1, float32, rows(-0.5f, 0.0f, 0.5f, 1.0f, 1.5f, NAN)), bitmap), 0);
    ExpectColours(bitmap, 6, grey);
    const TTiffLayout float64{.Photometric = PHOTOMETRIC_MINISBLACK, .Bits = 64, .Format = SAMPLEFORMAT_IEEEFP};
    ASSERT_EQ(Decode(EncodeTiffRows(6, 1, 1, float64, rows(-0.5, 0.0, 0.5, 1.0, 1.5, double(NAN))), bitmap), 0);
    ExpectColours(bitmap, 6, grey);
    // Half floats: -2, 0, 0.5, 1, 1.5, NaN.
    const TTiffLayout half{.Photometric = PHOTOMETRIC_MINISBLACK, .Bits = 16, .Format = SAMPLEFORMAT_IEEEFP};
    ASSERT_EQ(Decode(EncodeTiffRows(6, 1, 1, half, rows(uint16_t(0xC000), uint16_t(0), uint16_t(0x3800), uint16_t(0x3C00),
                                                          uint16_t(0x3E00), uint16_t(0x7E00))),
                     bitmap),
              0);
    ExpectColours(bitmap, 6, grey);

    // Wide samples are held to the bytes of four 16-bit samples a pixel at the limit: 4 x 2 pixels
    // of three doubles count as 24 pixels.
    const TBytes doubles = EncodeTiffRows(4, 2, 3, {.Bits = 64, .Format = SAMPLEFORMAT_IEEEFP}, TBytes(4 * 2 * 3 * 8, 0));
    {
        const TPluginPixelLimit limit(23);
        EXPECT_EQ(Decode(doubles, bitmap), spi::kOutOfMemory);
    }
    {
        const TPluginPixelLimit limit(24);
        EXPECT_EQ(Decode(doubles, bitmap), 0);
    }

    // Signed integers are read by nobody, and the reason says so.
    const TTiffLayout signed16{.Photometric = PHOTOMETRIC_MINISBLACK, .Bits = 16, .Format = SAMPLEFORMAT_INT};
    EXPECT_EQ(Decode(EncodeTiffRows(2, 1, 1, signed16, rows(int16_t(-5), int16_t(300))), bitmap), spi::kNotImplemented);
}
