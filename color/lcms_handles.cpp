#include "lcms_handles.h"

#include "color_profile.h"

namespace quilmo {

TProfileHandle OpenProfile(const TColorProfile& profile)
{
    if (profile.IsSRGB()) return TProfileHandle(cmsCreate_sRGBProfile());
    const std::span<const uint8_t> bytes = profile.Bytes();
    return TProfileHandle(cmsOpenProfileFromMem(bytes.data(), static_cast<cmsUInt32Number>(bytes.size())));
}

cmsUInt32Number PixelLayout(cmsColorSpaceSignature space)
{
    switch (space) {
    case cmsSigGrayData: return COLORSPACE_SH(PT_GRAY) | CHANNELS_SH(1) | EXTRA_SH(2) | BYTES_SH(1);
    case cmsSigCmykData: return TYPE_CMYK_8;
    default: return TYPE_BGR_8;
    }
}

cmsUInt32Number ConversionIntent(cmsHPROFILE from, cmsHPROFILE to)
{
    const bool relative = cmsIsIntentSupported(from, INTENT_RELATIVE_COLORIMETRIC, LCMS_USED_AS_INPUT) &&
                          cmsIsIntentSupported(to, INTENT_RELATIVE_COLORIMETRIC, LCMS_USED_AS_OUTPUT);
    return relative ? INTENT_RELATIVE_COLORIMETRIC : INTENT_PERCEPTUAL;
}

}  // namespace quilmo
