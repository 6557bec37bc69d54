#pragma once
// Netpbm pictures (PBM, PGM and PPM, plain and raw, 1 to 65535 levels per sample) decoded into
// a bottom-up DIB: 1 bit with white and black for PBM, 8-bit grey for PGM, 24 bits for PPM.

#include <cstddef>
#include <cstdint>

#include "plugins/dib_blocks.h"

namespace quilmo::spi {

// True when data starts like a Netpbm file: "P1" to "P6" and a separator.
bool LooksLikePnm(const uint8_t* data, size_t size);

// Decode the first picture of data. Returns 0, or the plug-in error code: 2 not a Netpbm
// picture, 3 broken or truncated data, 4 out of memory or above the pixel limit. The blocks are set only on success.
int32_t DecodePnm(const uint8_t* data, size_t size, TDibBlocks& blocks);

}  // namespace quilmo::spi
