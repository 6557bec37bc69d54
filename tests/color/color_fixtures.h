#pragma once
// Pictures in the colours phones and cameras label theirs with: profiles made with lcms, sRGB
// colours converted into them as lcms converts them, files that carry them, and the reading of a
// file as a colour-managed viewer reads it.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quilmo::test {

using TBytes = std::vector<uint8_t>;

struct TRgb {
    int R = 0, G = 0, B = 0;
    friend bool operator==(const TRgb&, const TRgb&) = default;
};

// sRGB colours the tests carry through: a red, a green, a blue and a skin tone, none at the edge
// of sRGB's gamut, where a level of JPEG's error in wider colours is many levels of sRGB.
inline const std::vector<TRgb> kPatches{{220, 40, 40}, {40, 180, 80}, {50, 70, 200}, {230, 180, 140}};

// Display P3 (P3 primaries, D65, sRGB's curve), Adobe RGB (1998) and lcms's own sRGB.
TBytes DisplayP3Profile();
TBytes AdobeRgbProfile();
TBytes SRGBProfile();
// A printer's CMYK profile (tables to L*a*b* only) whose inks tint other channels than the usual
// ones: cyan takes away blue, magenta red, yellow green.
TBytes CmykProfile();

// colour from one profile's colours into another's as lcms converts 8-bit pixels (relative
// colorimetric, black point compensation); an empty profile is sRGB.
TRgb Convert(TRgb colour, const TBytes& from, const TBytes& to);
std::vector<TRgb> Convert(const std::vector<TRgb>& colours, const TBytes& from, const TBytes& to);
inline TRgb FromSRGB(TRgb colour, const TBytes& profile) { return Convert(colour, {}, profile); }
inline TRgb ToSRGB(TRgb colour, const TBytes& profile) { return Convert(colour, profile, {}); }

// Files of a 16 x 8 picture of one colour, its numbers as given, carrying profile (none when
// empty): JPEG (APP2, quality 100), PNG (iCCP), BMP (V5 header, the profile after the pixels).
TBytes JpegFile(TRgb numbers, const TBytes& profile);
TBytes PngFile(TRgb numbers, const TBytes& profile);
TBytes BmpFile(TRgb numbers, const TBytes& profile);
// png with a chunk of type and data added right after its header.
TBytes WithPngChunk(TBytes png, const char* type, const TBytes& data);
// A CMYK JPEG (Adobe's inverted inks, as Adobe's programs write them) of a 16 x 8 picture of
// inks (0 no ink, 255 full ink: cyan, magenta, yellow, black), carrying profile.
TBytes CmykJpegFile(const std::array<uint8_t, 4>& inks, const TBytes& profile);
// inks as lcms shows them through profile in sRGB (perceptual, black point compensation).
TRgb InksToSRGB(const std::array<uint8_t, 4>& inks, const TBytes& profile);

void WriteFile(const std::filesystem::path& path, const TBytes& bytes);

// A picture file as a viewer gets it: 24-bit pixels and the embedded profile (none when the file
// carries none). JPEG, PNG, WebP and BMP by the name.
struct TDecoded {
    int32_t Width = 0;
    int32_t Height = 0;
    TBytes Rgb;  // top row first
    TBytes Profile;

    TRgb At(int32_t x, int32_t y) const;
    // The pixel as a colour-managed viewer shows it: through the profile into sRGB.
    TRgb Shown(int32_t x, int32_t y) const { return ToSRGB(At(x, y), Profile); }
};
TDecoded DecodeFile(const std::filesystem::path& path);

// Every channel within tolerance levels of the other's.
::testing::AssertionResult Near(TRgb actual, TRgb expected, int tolerance);

}  // namespace quilmo::test
