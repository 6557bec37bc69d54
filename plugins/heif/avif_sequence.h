#pragma once
// AVIF sequences (brand avis): the first frame of the sequence's track, decoded by libavif, which
// libheif cannot read; as avifdec does, the file's brand says whether it is a sequence.

#include <cstddef>
#include <cstdint>

#include "plugins/dib_blocks.h"

namespace quilmo::spi {

bool IsAvifSequence(const uint8_t* data, size_t size);

// Returns 0, or the plug-in error code: 2 not a sequence libavif reads, 3 broken data, 4 out of
// memory or a frame above the pixel limit. The blocks are set only on success.
int32_t DecodeAvifSequence(const uint8_t* data, size_t size, TDibBlocks& blocks);

}  // namespace quilmo::spi
