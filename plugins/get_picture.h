#pragma once
// GetPicture as every plug-in that ships with Quilmo answers it: the picture's bytes come from a
// file (flags 0: source names it, offset is where the picture starts in it) or from memory
// (flags 1: source is the picture, offset its length), and one function decodes them.

#include <cstddef>
#include <cstdint>

#include "input/susie_api.h"
#include "plugins/dib_blocks.h"

namespace quilmo::spi {

// Decodes a whole file. Returns 0 with both blocks set, or a plug-in error code.
using TDecodeFunction = int32_t (*)(const uint8_t* data, size_t size, TDibBlocks& blocks);

int32_t AnswerGetPicture(TDecodeFunction decode, const char* source, int32_t offset, uint32_t flags, void** info,
                         void** bits, SusieProgressCallback* progress, int32_t callbackData);

}  // namespace quilmo::spi
