#pragma once
// JPEG XL pictures decoded into a 24-bit DIB: the first frame, turned and mirrored as the file
// says, with the colours libjxl gives them (PQ and HLG mapped to standard range).

#include <cstddef>
#include <cstdint>

#include "plugins/dib_blocks.h"

namespace quilmo::spi {

// True when data starts with a JPEG XL codestream or container signature.
bool LooksLikeJxl(const uint8_t* data, size_t size);

// Returns 0, or the plug-in error code: 2 not a JPEG XL picture, 3 broken or truncated data,
// 4 out of memory or above the pixel limit. The blocks are set only on success.
int32_t DecodeJxl(const uint8_t* data, size_t size, TDibBlocks& blocks);

}  // namespace quilmo::spi
