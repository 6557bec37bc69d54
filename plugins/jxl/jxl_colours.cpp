#include "plugins/jxl/jxl_colours.h"

#include <vector>

#include "color/cicp_profile.h"

namespace quilmo::spi {

namespace {

TChromaticity Chromaticity(const double (&xy)[2]) { return {xy[0], xy[1]}; }

// Grey pixels take any primaries (libjxl leaves them unset): only the white point and the curve
// matter.
TPrimaries PrimariesOf(const JxlColorEncoding& encoding)
{
    TPrimaries primaries = kSRGBPrimaries;
    if (encoding.color_space == JXL_COLOR_SPACE_RGB) {
        if (encoding.primaries == JXL_PRIMARIES_2100)
            primaries = CicpPrimaries(kCicpBT2020);
        else if (encoding.primaries == JXL_PRIMARIES_P3)
            primaries = CicpPrimaries(kCicpDisplayP3);
        else if (encoding.primaries == JXL_PRIMARIES_CUSTOM)
            primaries = {{}, Chromaticity(encoding.primaries_red_xy), Chromaticity(encoding.primaries_green_xy),
                         Chromaticity(encoding.primaries_blue_xy)};
    }
    switch (encoding.white_point) {
    case JXL_WHITE_POINT_D65: primaries.White = {0.3127, 0.3290}; break;
    case JXL_WHITE_POINT_E: primaries.White = {1.0 / 3, 1.0 / 3}; break;
    case JXL_WHITE_POINT_DCI: primaries.White = {0.314, 0.351}; break;
    default: primaries.White = Chromaticity(encoding.white_point_xy); break;
    }
    return primaries;
}

TPictureColours ColoursOf(const JxlColorEncoding& encoding)
{
    if (encoding.color_space != JXL_COLOR_SPACE_RGB && encoding.color_space != JXL_COLOR_SPACE_GRAY) return {};
    const TPrimaries primaries = PrimariesOf(encoding);
    // The gamma is the exponent of the encoding, the curve's the inverse.
    if (encoding.transfer_function == JXL_TRANSFER_FUNCTION_GAMMA)
        return {encoding.gamma > 0 ? ProfileFromPrimaries(primaries, GammaCurve(1 / encoding.gamma)) : TColorProfile(),
                0};
    return CodedColours(primaries, encoding.transfer_function);
}

// Where libjxl has a choice: wide colours, and a curve that 8 bits hold well.
void PreferWideColours(JxlDecoder* decoder, const JxlBasicInfo& info)
{
    JxlColorEncoding wide{};
    wide.color_space = info.num_color_channels == 1 ? JXL_COLOR_SPACE_GRAY : JXL_COLOR_SPACE_RGB;
    wide.white_point = JXL_WHITE_POINT_D65;
    wide.primaries = JXL_PRIMARIES_2100;
    wide.transfer_function = JXL_TRANSFER_FUNCTION_SRGB;
    wide.rendering_intent = JXL_RENDERING_INTENT_RELATIVE;
    JxlDecoderSetPreferredColorProfile(decoder, &wide);
}

}  // namespace

TPictureColours DecodedColours(JxlDecoder* decoder, const JxlBasicInfo& info)
{
    if (!info.uses_original_profile &&
        JxlDecoderGetColorAsEncodedProfile(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_ORIGINAL, nullptr) !=
            JXL_DEC_SUCCESS)
        PreferWideColours(decoder, info);
    JxlColorEncoding encoding{};
    if (JxlDecoderGetColorAsEncodedProfile(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &encoding) ==
        JXL_DEC_SUCCESS)
        return ColoursOf(encoding);
    size_t size = 0;
    if (JxlDecoderGetICCProfileSize(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &size) != JXL_DEC_SUCCESS)
        return {};
    std::vector<uint8_t> icc(size);
    if (JxlDecoderGetColorAsICCProfile(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, icc.data(), size) !=
        JXL_DEC_SUCCESS)
        return {};
    return {TColorProfile::FromICC(icc), 0};
}

}  // namespace quilmo::spi
