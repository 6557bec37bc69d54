// The colours the shipped plug-ins hand to the host: sRGB patches put into Display P3 and Adobe
// RGB numbers and files of every format made with their profiles by the formats' own tools, coded
// colours of AVIF, and pictures of high dynamic range. The host's reading of the blocks, through
// the profile into sRGB, must give the patches back.

#include <gtest/gtest.h>
#include <lcms2.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "color/color_fixtures.h"
#include "format_encoders.h"
#include "format_tools.h"
#include "plugins/heif/heif_reader.h"
#include "plugins/jxl/jxl_reader.h"
#include "plugins/tiff/tiff_reader.h"
#include "plugins/webp/webp_reader.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

constexpr int32_t kPatchSide = 16;

// The patches side by side, each in numbers made by numbers.
template <typename TNumbers>
TSamplePicture PatchPicture(int count, uint32_t maxValue, TNumbers numbers)
{
    std::vector<std::array<uint16_t, 3>> patches;
    for (int patch = 0; patch < count; ++patch) patches.push_back(numbers(patch));
    TSamplePicture picture{count * kPatchSide, kPatchSide, 3, maxValue, {}};
    for (int32_t y = 0; y < kPatchSide; ++y)
        for (int32_t x = 0; x < picture.Width; ++x)
            for (uint16_t value : patches[static_cast<size_t>(x / kPatchSide)]) picture.Samples.push_back(value);
    return picture;
}

TSamplePicture PatchesIn(const TBytes& profile)
{
    return PatchPicture(static_cast<int>(kPatches.size()), 255, [&](int patch) {
        const TRgb rgb = FromSRGB(kPatches[static_cast<size_t>(patch)], profile);
        return std::array<uint16_t, 3>{uint16_t(rgb.R), uint16_t(rgb.G), uint16_t(rgb.B)};
    });
}

TRgb RgbOf(TColor colour) { return {ColorRed(colour), ColorGreen(colour), ColorBlue(colour)}; }

// The middle of each patch, shown in sRGB.
std::vector<TRgb> ShownPatches(const TBitmap& bitmap, const TPluginColours& colours, int count)
{
    std::vector<TRgb> shown;
    for (int32_t patch = 0; patch < count; ++patch)
        shown.push_back(RgbOf(colours.ShownInSRGB(bitmap, patch * kPatchSide + kPatchSide / 2, kPatchSide / 2)));
    return shown;
}

void ExpectPatchesShown(spi::TDecodeFunction decode, const TBytes& file, int tolerance = 4)
{
    TBitmap bitmap;
    TPluginColours colours;
    ASSERT_EQ(DecodeInto(decode, file, bitmap, colours), 0);
    const std::vector<TRgb> shown = ShownPatches(bitmap, colours, static_cast<int>(kPatches.size()));
    for (size_t i = 0; i < kPatches.size(); ++i) EXPECT_TRUE(Near(shown[i], kPatches[i], tolerance)) << "patch " << i;
}

struct TToolFile {
    const char* Name;
    spi::TDecodeFunction Decode;
    TBytes File;
    const char* Reference;  // the reference decoder, none where it would change the numbers
};

// Light relative to 203 cd/m² of the sRGB colour in BT.2020's primaries.
std::array<double, 3> Bt2020Light(TRgb colour)
{
    const cmsCIExyY d65{0.3127, 0.3290, 1};
    const cmsCIExyYTRIPLE primaries{{0.708, 0.292, 1}, {0.170, 0.797, 1}, {0.131, 0.046, 1}};
    cmsToneCurve* linear = cmsBuildGamma(nullptr, 1.0);
    cmsToneCurve* curves[3] = {linear, linear, linear};
    cmsHPROFILE bt2020 = cmsCreateRGBProfile(&d65, &primaries, curves);
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM transform = cmsCreateTransform(srgb, TYPE_RGB_8, bt2020, TYPE_RGB_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
    const uint8_t pixel[3] = {uint8_t(colour.R), uint8_t(colour.G), uint8_t(colour.B)};
    std::array<double, 3> light{};
    cmsDoTransform(transform, pixel, light.data(), 1);
    cmsDeleteTransform(transform);
    cmsCloseProfile(srgb);
    cmsCloseProfile(bt2020);
    cmsFreeToneCurve(linear);
    return light;
}

// SMPTE ST 2084's signal for light relative to 203 cd/m².
double PqSignal(double light)
{
    const double y = std::pow(light * 203 / 10000, 2610.0 / 16384);
    return std::pow((3424.0 / 4096 + 2413.0 / 128 * y) / (1 + 2392.0 / 128 * y), 2523.0 / 32);
}

// HLG's signals for display light relative to 203 cd/m² on a display of 1000 cd/m² (the
// display transform of BT.2100 undone, then the HLG curve).
std::array<double, 3> HlgSignals(const std::array<double, 3>& light)
{
    const double displayY = (0.2627 * light[0] + 0.6780 * light[1] + 0.0593 * light[2]) * 203 / 1000;
    const double sceneY = std::pow(displayY, 1 / 1.2);
    std::array<double, 3> signals{};
    for (int c = 0; c < 3; ++c) {
        const double scene = sceneY > 0 ? light[c] * 203 / 1000 / std::pow(sceneY, 0.2) : 0;
        signals[c] = scene <= 1.0 / 12 ? std::sqrt(3 * scene) : 0.17883277 * std::log(12 * scene - 0.28466892) + 0.55991073;
    }
    return signals;
}

}  // namespace

TEST_F(FormatToolFiles, ProfilesGoWithThePicturesOfEveryFormat)
{
    for (const TBytes& profile : {DisplayP3Profile(), AdobeRgbProfile()}) {
        const TSamplePicture numbers = PatchesIn(profile);
        WritePng("in.png", numbers, profile);
        Write("profile.icc", profile);
        const TToolFile files[] = {
            {"x.heic", spi::DecodeHeif, Make("heif-enc -L in.png -o x.heic", "x.heic"), "heif-convert"},
            {"x.avif", spi::DecodeHeif, Make("avifenc -l in.png x.avif", "x.avif"), "avifdec"},
            {"x.webp", spi::DecodeWebp,
             Make("cwebp -lossless in.png -o plain.webp && webpmux -set icc profile.icc plain.webp -o x.webp", "x.webp"),
             "dwebp"},
            {"x.jxl", spi::DecodeJxl, Make("cjxl -d 0 in.png x.jxl", "x.jxl"), "djxl"},
            // Coded as XYB: libjxl decides the colours of its output.
            {"lossy.jxl", spi::DecodeJxl, Make("cjxl -d 0.1 in.png lossy.jxl", "lossy.jxl"), nullptr},
            {"x.tif", spi::DecodeTiff, EncodeTiff(numbers, {.Icc = profile}), nullptr},
        };
        for (const TToolFile& file : files) {
            SCOPED_TRACE(file.Name);
            ExpectPatchesShown(file.Decode, file.File);
            if (!file.Reference) continue;
            // The numbers as the reference decoder gives them.
            TBitmap bitmap;
            ASSERT_EQ(DecodeInto(file.Decode, file.File, bitmap), 0);
            const TSamplePicture reference = ReferenceDecode(file.Reference, file.Name, file.File);
            ExpectColours(bitmap, reference.Width, ExpectedColours(reference), 2);
        }
    }
}

TEST_F(FormatToolFiles, CodedColoursOfAvifAndPicturesWithoutColours)
{
    // Display P3 said by code: its primaries, D65 and the sRGB curve.
    WritePng("p3.png", PatchesIn(DisplayP3Profile()));
    ExpectPatchesShown(spi::DecodeHeif, Make("avifenc -l --cicp 12/13/0 p3.png p3.avif", "p3.avif"));

    // sRGB, by code or by saying nothing, makes the blocks of a picture without colours.
    WritePng("srgb.png", PatchesIn({}));
    const TToolFile files[] = {{"srgb.avif", spi::DecodeHeif, Make("avifenc -l srgb.png srgb.avif", "srgb.avif"), nullptr},
                               {"srgb.webp", spi::DecodeWebp, Make("cwebp -lossless srgb.png -o srgb.webp", "srgb.webp"), nullptr}};
    for (const TToolFile& file : files) {
        SCOPED_TRACE(file.Name);
        TBitmap bitmap;
        TPluginColours colours;
        ASSERT_EQ(DecodeInto(file.Decode, file.File, bitmap, colours), 0);
        EXPECT_EQ(colours.InfoSize, 40u);
        ExpectColours(bitmap, bitmap.GetWidth(), ExpectedColours(PatchesIn({})));
    }
}

TEST_F(FormatToolFiles, PqAndHlgPicturesAreMappedToStandardRange)
{
    // The patches, then highlights: white at 203 cd/m², twice as bright, and the format's peak.
    const double peak[] = {10000.0 / 203, 1000.0 / 203};
    for (const int transfer : {16, 18}) {
        SCOPED_TRACE(transfer);
        const bool pq = transfer == 16;
        const TSamplePicture picture = PatchPicture(static_cast<int>(kPatches.size()) + 3, 65535, [&](int patch) {
            std::array<double, 3> light;
            if (patch < static_cast<int>(kPatches.size()))
                light = Bt2020Light(kPatches[static_cast<size_t>(patch)]);
            else
                light.fill(std::array{1.0, 2.0, peak[pq ? 0 : 1]}[static_cast<size_t>(patch) - kPatches.size()]);
            const std::array<double, 3> signals = pq ? std::array{PqSignal(light[0]), PqSignal(light[1]), PqSignal(light[2])}
                                                     : HlgSignals(light);
            std::array<uint16_t, 3> samples{};
            for (int c = 0; c < 3; ++c) samples[c] = static_cast<uint16_t>(std::lround(std::clamp(signals[c], 0.0, 1.0) * 65535));
            return samples;
        });
        WritePng("hdr.png", picture);
        const TBytes avif = Make("avifenc -l -d 12 --cicp 9/" + std::to_string(transfer) + "/0 hdr.png hdr.avif", "hdr.avif");
        ExpectPatchesShown(spi::DecodeHeif, avif);

        // Highlights are rolled off toward white, not cut: brighter stays brighter up to the peak.
        TBitmap bitmap;
        TPluginColours colours;
        ASSERT_EQ(DecodeInto(spi::DecodeHeif, avif, bitmap, colours), 0);
        const std::vector<TRgb> shown = ShownPatches(bitmap, colours, static_cast<int>(kPatches.size()) + 3);
        const TRgb white = shown[kPatches.size()], bright = shown[kPatches.size() + 1], brightest = shown.back();
        EXPECT_GE(white.G, 235);
        EXPECT_LT(white.G, bright.G);
        EXPECT_LT(bright.G, brightest.G);
        EXPECT_TRUE(Near(brightest, {255, 255, 255}, 1));
    }
}
