#pragma once
// The colours of a BMP picture, from the colour fields of its V4 or V5 header.

#include <cstdint>
#include <span>

#include "bigbitmap/dib_color_space.h"
#include "color_profile.h"

namespace quilmo {

// Calibrated RGB: the endpoints and gammas made into a profile; an embedded profile: its bytes
// (embedded), when they are an RGB profile. sRGB for everything else: sRGB itself, the system's
// colour space, linked profiles (a file name is not followed), and fields that describe no
// usable colours.
TColorProfile ProfileOfDIB(const TDIBColorSpace& colours, std::span<const uint8_t> embedded);

// bytes as a profile of RGB pixels; sRGB when they are none.
TColorProfile RgbProfile(std::span<const uint8_t> bytes);

}  // namespace quilmo
