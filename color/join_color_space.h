#pragma once
// The colour space of a joined picture.
//
// "auto": when every picture that carries a profile other than sRGB carries the same one, and
// pictures can be converted into it, the joined picture is in that profile: those pictures keep
// their numbers and the others are converted into it. Otherwise, and always with "srgb", every
// picture is converted to sRGB. Pictures without a profile are sRGB, so a join of such pictures
// is sRGB and nothing is converted.

#include <cstdint>
#include <span>

#include "color_profile.h"

namespace quilmo {

enum class TColorSpaceChoice : uint8_t { Auto, SRGB };

TColorProfile JoinedColorSpace(std::span<const TColorProfile> pictures, TColorSpaceChoice choice);

}  // namespace quilmo
