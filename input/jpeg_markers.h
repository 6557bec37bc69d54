#pragma once
// A walk over the marker segments of a JPEG file, without decoding anything.

#include <cstdint>
#include <span>

namespace quilmo {

// True when the bytes run out before the end-of-image marker: the file is truncated. Checked
// before decoding, because a progressive picture gets its whole coefficient memory before its
// first scan is read, which a truncated file must not cost. False for a complete file and for
// bytes whose structure the decoder itself is left to reject.
bool JpegEndsEarly(std::span<const uint8_t> bytes);

}  // namespace quilmo
