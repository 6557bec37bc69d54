#pragma once
// WebP pictures, lossy and lossless, decoded into a 24-bit DIB. An animation gives its first
// frame as composed on the canvas; an EXIF orientation in the file is applied, and an ICC profile
// (ICCP chunk) goes with the picture.

#include <cstddef>
#include <cstdint>

#include "plugins/dib_blocks.h"

namespace quilmo::spi {

// True when data starts like a WebP file: "RIFF", a size, "WEBP".
bool LooksLikeWebp(const uint8_t* data, size_t size);

// Returns 0, or the plug-in error code: 2 not a WebP picture or a feature libwebp lacks,
// 3 broken or truncated data, 4 out of memory or above the pixel limit. The blocks are set only
// on success.
int32_t DecodeWebp(const uint8_t* data, size_t size, TDibBlocks& blocks);

}  // namespace quilmo::spi
