#pragma once
// A TIFF page's pixels into the DIB, in the order the file stores its rows, with their colours.
// Grey or RGB samples of 8 to 64 bits, CMYK and L*a*b* samples of 8 and 16 bits, with or without
// alpha, are read as they are and turned into 8 bits here; every other layout goes through
// libtiff's RGBA conversion, which would keep only the high byte of 16-bit samples and cannot
// turn a picture by a quarter.

#include <tiffio.h>

#include <cstdint>

#include "color/color_profile.h"
#include "plugins/dib_writer.h"

namespace quilmo::spi {

// The bytes of samples a pixel of a picture at the pixel limit may have: four of 16 bits. Pictures
// of wider samples are held to the same bytes, so to fewer pixels.
inline constexpr int64_t kSampleBytesAtTheLimit = 8;

// 0 or a plug-in error code: kNotImplemented for samples neither reads (signed integers, other
// depths), kOutOfMemory for samples above what the limit allows; writer is allocated for the
// page's stored size. profile is the page's ICC profile:
// the pixels' colours, or the inks'.
int32_t ReadTiffPixels(TIFF* tiff, const TColorProfile& profile, TDibWriter& writer);

}  // namespace quilmo::spi
