// The colour library: profiles known by their colours, the rule of a join's colours, and
// transforms that convert as lcms does.

#include <gtest/gtest.h>
#include <lcms2.h>

#include <cmath>

#include "color/color_transform.h"
#include "color/dib_color_space.h"
#include "color/join_color_space.h"
#include "color/profile_building.h"
#include "color_fixtures.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

constexpr TPrimaries kP3Primaries{{0.3127, 0.3290}, {0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}};

TColorProfile Profile(const TBytes& bytes) { return TColorProfile::FromICC(bytes); }

// sRGB as the common IEC 61966-2.1 profiles describe it: a version 2 profile whose curve is a
// table of 1024 points.
TBytes TabulatedSRGB()
{
    std::vector<cmsUInt16Number> table(1024);
    for (size_t i = 0; i < table.size(); ++i) {
        const double v = double(i) / 1023;
        const double linear = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        table[i] = cmsUInt16Number(std::lround(linear * 65535));
    }
    cmsToneCurve* curve = cmsBuildTabulatedToneCurve16(nullptr, cmsUInt32Number(table.size()), table.data());
    cmsToneCurve* curves[3] = {curve, curve, curve};
    const cmsCIExyY d65{0.3127, 0.3290, 1};
    const cmsCIExyYTRIPLE primaries{{0.64, 0.33, 1}, {0.30, 0.60, 1}, {0.15, 0.06, 1}};
    cmsHPROFILE profile = cmsCreateRGBProfile(&d65, &primaries, curves);
    cmsSetProfileVersion(profile, 2.1);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    TBytes bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    cmsFreeToneCurve(curve);
    return bytes;
}

TBytes GreyProfile()
{
    cmsToneCurve* curve = cmsBuildGamma(nullptr, 1.8);
    cmsHPROFILE profile = cmsCreateGrayProfile(cmsD50_xyY(), curve);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    TBytes bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    cmsFreeToneCurve(curve);
    return bytes;
}

// The same profile written an hour later.
TBytes Later(TBytes profile)
{
    profile[24 + 7] ^= 1;
    return profile;
}

TDIBColorSpace OfType(uint32_t type)
{
    TDIBColorSpace colours;
    colours.CSType = type;
    return colours;
}

TRgb Apply(const TColorTransform& transform, TRgb colour)
{
    uint8_t pixel[3] = {uint8_t(colour.B), uint8_t(colour.G), uint8_t(colour.R)};
    transform.Apply(pixel, pixel, 1);
    return {pixel[2], pixel[1], pixel[0]};
}

}  // namespace

TEST(ColorProfile, SRGBIsKnownByItsColours)
{
    EXPECT_TRUE(TColorProfile().IsSRGB());
    EXPECT_TRUE(Profile(SRGBProfile()).IsSRGB());
    EXPECT_TRUE(Profile(TabulatedSRGB()).IsSRGB());
    EXPECT_TRUE(ProfileFromPrimaries(kSRGBPrimaries, kSRGBCurve).IsSRGB());
    EXPECT_EQ(Profile(TabulatedSRGB()), TColorProfile());
    // Close to sRGB is not sRGB.
    EXPECT_FALSE(ProfileFromPrimaries(kSRGBPrimaries, GammaCurve(2.2)).IsSRGB());
    EXPECT_FALSE(Profile(DisplayP3Profile()).IsSRGB());
    EXPECT_FALSE(Profile(AdobeRgbProfile()).IsSRGB());
}

TEST(ColorProfile, ProfilesAreEqualByTheirColoursNotTheirBytes)
{
    const TColorProfile p3 = Profile(DisplayP3Profile());
    EXPECT_EQ(p3, Profile(Later(DisplayP3Profile())));
    EXPECT_EQ(p3, ProfileFromPrimaries(kP3Primaries, kSRGBCurve));
    EXPECT_FALSE(p3 == Profile(AdobeRgbProfile()));
    EXPECT_FALSE(p3 == TColorProfile());
    EXPECT_FALSE(p3 == ProfileFromPrimaries(kP3Primaries, kRec709Curve));
    EXPECT_TRUE(p3.IsJoinable());
}

TEST(ColorProfile, WhatLcmsCannotUseIsSRGB)
{
    TBytes cut = DisplayP3Profile();
    cut.resize(cut.size() / 2);
    TBytes garbage(600, 0x5A);
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);  // an abstract profile, of no picture
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(lab, nullptr, &size);
    TBytes abstract(size);
    cmsSaveProfileToMem(lab, abstract.data(), &size);
    cmsCloseProfile(lab);
    // A colour space and a class no signature names.
    TBytes unnamed = DisplayP3Profile();
    std::fill_n(unnamed.begin() + 12, 8, 0xFE);
    for (const TBytes& bytes : {cut, garbage, abstract, unnamed, TBytes()}) {
        const TColorProfile profile = Profile(bytes);
        EXPECT_TRUE(profile.IsSRGB());
        EXPECT_TRUE(profile.Bytes().empty());
    }
    // Coded primaries that describe no colours.
    EXPECT_TRUE(ProfileFromPrimaries({{0.3, 0.3}, {0.2, 0.2}, {0.4, 0.4}, {0.5, 0.5}}, kSRGBCurve).IsSRGB());
    EXPECT_TRUE(ProfileFromPrimaries(kP3Primaries, GammaCurve(0)).IsSRGB());
    EXPECT_TRUE(ProfileFromPrimaries({{0.3127, 0}, {0.68, 0.32}, {0.265, 0.69}, {0.15, 0.06}}, kSRGBCurve).IsSRGB());
}

TEST(JoinedColorSpace, TheProfileTaggedPicturesShareElseSRGB)
{
    const TColorProfile p3 = Profile(DisplayP3Profile());
    const TColorProfile p3Later = Profile(Later(DisplayP3Profile()));
    const TColorProfile adobe = Profile(AdobeRgbProfile());
    const TColorProfile srgb = Profile(SRGBProfile());
    const TColorProfile grey = Profile(GreyProfile());
    const auto joined = [](std::vector<TColorProfile> pictures, TColorSpaceChoice choice) {
        return JoinedColorSpace(pictures, choice);
    };
    const TColorSpaceChoice automatic = TColorSpaceChoice::Auto;
    EXPECT_EQ(joined({p3, TColorProfile(), p3Later, srgb}, automatic), p3);
    EXPECT_FALSE(joined({p3, TColorProfile(), p3Later}, automatic).Bytes().empty());
    EXPECT_TRUE(joined({p3, adobe}, automatic).IsSRGB());
    EXPECT_TRUE(joined({TColorProfile(), srgb}, automatic).IsSRGB());
    EXPECT_TRUE(joined({}, automatic).IsSRGB());
    EXPECT_TRUE(joined({p3, p3Later}, TColorSpaceChoice::SRGB).IsSRGB());
    // Grey pictures are shown in colour: their profile cannot be the joined picture's.
    EXPECT_TRUE(joined({grey}, automatic).IsSRGB());
}

TEST(ColorTransform, ConvertsWithinALevelOfLcmsInPlaceOrNot)
{
    const TBytes p3Bytes = DisplayP3Profile();
    const TColorProfile p3 = Profile(p3Bytes);
    EXPECT_EQ(ColorTransform(p3, Profile(Later(p3Bytes))), nullptr);
    EXPECT_EQ(ColorTransform(TColorProfile(), Profile(SRGBProfile())), nullptr);
    EXPECT_EQ(ColorTransform(TColorProfile(), p3), ColorTransform(TColorProfile(), p3));  // made once
    // Every way between sRGB (lcms's, and the common profile with a table for a curve), Display
    // P3 and Adobe RGB, on a grid of colours that reaches every corner.
    const TBytes ends[] = {{}, TabulatedSRGB(), p3Bytes, AdobeRgbProfile()};
    std::vector<TRgb> grid;
    for (int r = 0; r <= 256; r += 32)
        for (int g = 0; g <= 256; g += 32)
            for (int b = 0; b <= 256; b += 32) grid.push_back({std::min(r, 255), std::min(g, 255), std::min(b, 255)});
    for (const TBytes& from : ends)
        for (const TBytes& to : ends) {
            const auto transform = ColorTransform(Profile(from), Profile(to));
            if (!transform) continue;
            const std::vector<TRgb> expected = Convert(grid, from, to);
            for (size_t i = 0; i < grid.size(); ++i)
                ASSERT_TRUE(Near(Apply(*transform, grid[i]), expected[i], 1))
                    << grid[i].R << " " << grid[i].G << " " << grid[i].B;
        }
    std::vector<uint8_t> row, converted(kPatches.size() * 3);
    const auto intoP3 = ColorTransform(TColorProfile(), p3);
    ASSERT_TRUE(intoP3);
    for (const TRgb& patch : kPatches) {
        const TColor colour = ConvertColor(RGBColor(uint8_t(patch.R), uint8_t(patch.G), uint8_t(patch.B)), p3);
        EXPECT_EQ((TRgb{ColorRed(colour), ColorGreen(colour), ColorBlue(colour)}), Apply(*intoP3, patch));
        row.insert(row.end(), {uint8_t(patch.B), uint8_t(patch.G), uint8_t(patch.R)});
    }
    intoP3->Apply(row.data(), converted.data(), kPatches.size());
    intoP3->Apply(row.data(), row.data(), kPatches.size());
    EXPECT_EQ(row, converted);
}

TEST(ColorTransform, GreyPicturesReadOneChannel)
{
    const TBytes grey = GreyProfile();
    const auto transform = ColorTransform(Profile(grey), TColorProfile());
    ASSERT_TRUE(transform);
    cmsHPROFILE source = cmsOpenProfileFromMem(grey.data(), cmsUInt32Number(grey.size()));
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM lcms = cmsCreateTransform(source, TYPE_GRAY_8, srgb, TYPE_RGB_8, INTENT_RELATIVE_COLORIMETRIC,
                                            cmsFLAGS_BLACKPOINTCOMPENSATION);
    for (const uint8_t level : {0, 40, 128, 255}) {
        uint8_t expected[3];
        cmsDoTransform(lcms, &level, expected, 1);
        EXPECT_EQ(Apply(*transform, {level, level, level}), (TRgb{expected[0], expected[1], expected[2]}));
    }
    cmsDeleteTransform(lcms);
    cmsCloseProfile(source);
    cmsCloseProfile(srgb);
}

TEST(DibColorSpace, CalibratedEndpointsAndEmbeddedProfiles)
{
    // Display P3's primaries at D65, in 2.30 fixed point, and a gamma of 2.2 in 16.16.
    const double xyz[9] = {0.4866, 0.2290, 0.0000, 0.2657, 0.6917, 0.0451, 0.1982, 0.0793, 1.0439};
    TDIBColorSpace calibrated;
    calibrated.CSType = LCS_CALIBRATED_RGB;
    for (int i = 0; i < 9; ++i) calibrated.Endpoints[i] = uint32_t(std::lround(xyz[i] * (1 << 30)));
    calibrated.Gammas = {144179, 144179, 144179};
    const TColorProfile made = ProfileOfDIB(calibrated, {});
    EXPECT_EQ(made, ProfileFromPrimaries(kP3Primaries, GammaCurve(2.2)));
    EXPECT_FALSE(made.IsSRGB());
    // Writers that leave the fields empty mean sRGB.
    EXPECT_TRUE(ProfileOfDIB(OfType(LCS_CALIBRATED_RGB), {}).IsSRGB());

    const TBytes p3 = DisplayP3Profile();
    const TDIBColorSpace embedded = OfType(PROFILE_EMBEDDED);
    EXPECT_EQ(ProfileOfDIB(embedded, p3), Profile(p3));
    EXPECT_TRUE(ProfileOfDIB(embedded, GreyProfile()).IsSRGB());
    for (const uint32_t type : {LCS_sRGB, LCS_WINDOWS_COLOR_SPACE, PROFILE_LINKED})
        EXPECT_TRUE(ProfileOfDIB(OfType(type), p3).IsSRGB()) << type;
}
