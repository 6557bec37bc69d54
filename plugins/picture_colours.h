#pragma once
// The colours of a decoded picture, handed on with its DIB. The host takes RGB profiles only:
// the profile of a grey picture is applied here, its pixels converted into sRGB.

#include <cstdint>
#include <span>

#include "color/color_profile.h"
#include "color/profile_building.h"
#include "plugins/dib_writer.h"

namespace quilmo::spi {

// A picture's colours as its decoder describes them: a profile, and for a picture of high
// dynamic range the transfer its samples are mapped through (0 for none) into the profile.
struct TPictureColours {
    TColorProfile Profile;
    int HdrTransfer = 0;
};

// Colours given by primaries and a transfer numbered as in H.273. PQ and HLG pictures are mapped
// into the primaries with the sRGB curve.
TPictureColours CodedColours(const TPrimaries& primaries, int transfer);

// After the pixels are written. sRGB, and a profile of another kind than the pixels (a grey
// profile for colours, a CMYK one for either), leave the DIB as it is. 0 or kOutOfMemory.
int32_t PutColours(const TColorProfile& colours, bool grey, TDibWriter& writer);

// The same for the bytes of an ICC profile; bytes lcms cannot use are sRGB.
int32_t PutIccColours(std::span<const uint8_t> icc, bool grey, TDibWriter& writer);

}  // namespace quilmo::spi
