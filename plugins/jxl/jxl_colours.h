#pragma once
// The colours of a JPEG XL picture's decoded pixels, as libjxl describes them: by code (primaries,
// white point, transfer) or by an ICC profile.

#include <jxl/decode.h>

#include "plugins/picture_colours.h"

namespace quilmo::spi {

// What the pixels libjxl outputs are in; sRGB when libjxl does not say. A picture coded as XYB
// whose original colours are an ICC profile is asked for BT.2020's wide primaries with the sRGB
// curve first: libjxl would give linear light otherwise, whose dark tones 8 bits cannot hold.
// Called at the colour encoding event.
TPictureColours DecodedColours(JxlDecoder* decoder, const JxlBasicInfo& info);

}  // namespace quilmo::spi
