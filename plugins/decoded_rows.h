#pragma once
// Rows a library decoded into a buffer of its own (top-down, interleaved samples of 8 or 16 bits),
// put into the DIB with the picture's colours: through a tone map for pictures of high dynamic
// range, then rounded to 8 bits and composed over white.

#include <cstddef>
#include <cstdint>

#include "plugins/dib_writer.h"
#include "plugins/hdr_tone_map.h"
#include "plugins/picture_colours.h"
#include "plugins/pixel_converter.h"

namespace quilmo::spi {

struct TDecodedRows {
    const uint8_t* Top = nullptr;
    size_t Stride = 0;
    bool Deep = false;  // 16-bit samples in the machine's byte order, else 8-bit ones
    uint32_t MaxValue = 255;
    TSampleLayout Layout;
};

// The upright picture of width x height pixels of rows into blocks. A picture of high dynamic
// range must have red, green and blue samples; a grey profile is taken for a picture of one
// colour channel, and for a grey one decoded into three equal ones. 0, or kOutOfMemory when the
// picture is above the pixel limit or there is no memory for it.
int32_t PutDecodedPicture(const TDecodedRows& rows, uint32_t width, uint32_t height, const TPictureColours& colours,
                          TDibBlocks& blocks);

}  // namespace quilmo::spi
