#pragma once
// A walk over the marker segments of a JPEG file, without decoding anything.

#include <cstdint>
#include <span>

namespace quilmo {

// Where the bytes of a JPEG file end. Checked before decoding, because a progressive picture
// gets its whole coefficient memory before its first scan is read, which a truncated file must
// not cost.
enum class TJpegEnding {
    // At the end-of-image marker, or in a structure the decoder itself is left to reject.
    Complete,
    // In the data of a Huffman-coded scan after every scan has begun: the file may lack only
    // its end-of-image marker, as many cameras and downloads leave it. Whether the data of the
    // last scan is complete only the decoder can tell.
    EndMarkerMissing,
    // Inside a segment, or before the last bit of every coefficient has its scan.
    Truncated,
};

TJpegEnding JpegEnding(std::span<const uint8_t> bytes);

}  // namespace quilmo
