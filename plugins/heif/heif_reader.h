#pragma once
// HEIF pictures (HEIC, AVIF and the other codings libheif reads) decoded into a 24-bit DIB: the
// primary image, turned, mirrored and cropped as the file says, with its colour profile or its
// coded colours; an AVIF sequence gives its first frame. Deeper images are decoded at their full
// depth and rounded to 8 bits here (libheif's own 8-bit output cuts them), PQ and HLG ones
// mapped to standard range first.

#include <cstddef>
#include <cstdint>

#include "plugins/dib_blocks.h"

namespace quilmo::spi {

// True when data starts like a HEIF file.
bool LooksLikeHeif(const uint8_t* data, size_t size);

// Returns 0, or the plug-in error code: 2 not a picture libheif reads, 3 broken data, 4 out of
// memory or above the pixel limit. The blocks are set only on success.
int32_t DecodeHeif(const uint8_t* data, size_t size, TDibBlocks& blocks);

}  // namespace quilmo::spi
