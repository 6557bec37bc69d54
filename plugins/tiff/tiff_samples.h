#pragma once
// A TIFF page's pixels into the DIB, in the order the file stores its rows. 8- and 16-bit grey
// or RGB samples, with or without alpha, are read as they are and rounded to 8 bits here; every
// other layout goes through libtiff's RGBA conversion, which would keep only the high byte of
// 16-bit samples and cannot turn a picture by a quarter.

#include <tiffio.h>

#include <cstdint>

#include "plugins/dib_writer.h"

namespace quilmo::spi {

// 0 or a plug-in error code; writer is allocated for the page's stored size.
int32_t ReadTiffPixels(TIFF* tiff, TDibWriter& writer);

}  // namespace quilmo::spi
