#pragma once
// TIFF pictures decoded into a 24-bit DIB: the first page, in every sample layout libtiff reads
// (strips or tiles, contiguous or planar, 1 to 64 bits, bilevel, grey, palette, RGB, CMYK,
// YCbCr, L*a*b*), turned and mirrored as its Orientation tag says, with its ICC profile.

#include <cstddef>
#include <cstdint>

#include "plugins/dib_blocks.h"

namespace quilmo::spi {

// True when data starts like a TIFF or BigTIFF file.
bool LooksLikeTiff(const uint8_t* data, size_t size);

// Returns 0, or the plug-in error code: 2 not a TIFF picture, -1 samples of a kind that is not read
// (signed integers, depths no reader knows), 3 broken or truncated data, 4 out of memory or above
// the pixel limit. The blocks are set only on success.
int32_t DecodeTiff(const uint8_t* data, size_t size, TDibBlocks& blocks);

}  // namespace quilmo::spi
