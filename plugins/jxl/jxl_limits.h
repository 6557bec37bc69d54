#pragma once
// What decoding a JPEG XL file's first frame will take, from the sizes its headers declare,
// known before libjxl takes memory for any of it. libjxl decodes every channel of every layer
// the first frame is composed of, and a layer may be larger than the picture.

#include <cstddef>
#include <cstdint>

namespace quilmo::spi {

// 0, or kOutOfMemory when the picture, its preview or one of the layers of its first frame is
// above the pixel limit, or when their samples, counting every colour and extra channel, come
// to more than four pictures at the limit with four samples each. A file libjxl cannot read
// is left to the decoding to refuse.
int32_t CheckJxlDecoding(const uint8_t* data, size_t size);

}  // namespace quilmo::spi
