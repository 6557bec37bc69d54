#pragma once
// Little CMS objects held the RAII way, and the profiles and pixel layouts the library's
// transforms are made of.

#include <lcms2.h>

#include <memory>
#include <type_traits>

namespace quilmo {

class TColorProfile;

struct TCloseProfile {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
struct TDeleteTransform {
    void operator()(void* transform) const { cmsDeleteTransform(transform); }
};
using TProfileHandle = std::unique_ptr<std::remove_pointer_t<cmsHPROFILE>, TCloseProfile>;
using TTransformHandle = std::unique_ptr<std::remove_pointer_t<cmsHTRANSFORM>, TDeleteTransform>;

// The profile lcms works with for profile: its bytes, or lcms's own sRGB for every profile that
// counts as sRGB.
TProfileHandle OpenProfile(const TColorProfile& profile);

// How pixels of a profile's colour space lie in memory: RGB as blue, green, red; grey as three
// equal bytes of which the first is read; CMYK as four bytes, 0 for no ink.
cmsUInt32Number PixelLayout(cmsColorSpaceSignature space);

// Relative colorimetric, or perceptual where one of the profiles has only perceptual tables.
cmsUInt32Number ConversionIntent(cmsHPROFILE from, cmsHPROFILE to);

}  // namespace quilmo
