#pragma once
// A libjxl decoder, destroyed with its owner.

#include <jxl/decode.h>

#include <memory>

namespace quilmo::spi {

struct TDestroyJxlDecoder {
    void operator()(JxlDecoder* decoder) const { JxlDecoderDestroy(decoder); }
};
using TJxlDecoder = std::unique_ptr<JxlDecoder, TDestroyJxlDecoder>;

}  // namespace quilmo::spi
