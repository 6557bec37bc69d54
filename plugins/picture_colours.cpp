#include "plugins/picture_colours.h"

#include <exception>

#include "color/cicp_profile.h"
#include "color/color_transform.h"

namespace quilmo::spi {

namespace {

// Grey rows hold three equal bytes a pixel, which the transform reads as grey. A profile lcms
// cannot convert from leaves the grey as it is.
void ConvertGreyToSRGB(const TColorProfile& grey, TDibWriter& writer)
{
    std::shared_ptr<const TColorTransform> transform;
    try {
        transform = ColorTransform(grey, TColorProfile());
    } catch (const std::exception&) {
        return;
    }
    if (!transform) return;
    for (uint32_t row = 0; row < writer.UprightHeight(); ++row) {
        uint8_t* pixels = writer.Bits() + row * writer.Stride();
        transform->Apply(pixels, pixels, writer.UprightWidth());
    }
}

}  // namespace

TPictureColours CodedColours(const TPrimaries& primaries, int transfer)
{
    if (IsHdrTransfer(transfer)) return {ProfileFromPrimaries(primaries, kSRGBCurve), transfer};
    return {ProfileFromPrimaries(primaries, CicpTransfer(transfer)), 0};
}

int32_t PutColours(const TColorProfile& colours, bool grey, TDibWriter& writer)
{
    if (colours.IsSRGB()) return 0;
    switch (colours.Kind()) {
    case TProfileKind::RGB: return writer.SetProfile(colours.Bytes());
    case TProfileKind::Gray:
        if (grey) ConvertGreyToSRGB(colours, writer);
        return 0;
    default: return 0;
    }
}

int32_t PutIccColours(std::span<const uint8_t> icc, bool grey, TDibWriter& writer)
{
    return PutColours(TColorProfile::FromICC(icc), grey, writer);
}

}  // namespace quilmo::spi
