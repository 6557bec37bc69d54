#pragma once
// What a lossless join needs of its pictures, read from their JPEG headers, and every reason
// that stands in its way.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "coefficient_blocks.h"
#include "color/color_profile.h"
#include "lossless_join.h"

namespace quilmo {

struct TLosslessSource {
    std::span<const uint8_t> Bytes;  // the JPEG file, held by the picture
    TBlockTurn Turn;                 // from stored to upright
};

struct TLosslessPlan {
    std::vector<TLosslessSource> Sources;  // one a picture
    TColorProfile Space;  // the joined picture's colours, every picture's own
    // The fill colour in Space as samples of the pictures' components (luma and chroma, grey,
    // or red, green and blue), unrounded.
    std::vector<double> FillSamples;
};

// "picture 2 (b.jpg)": picture i of join, counted from 1.
std::string PictureLabel(const TLosslessJoin& join, size_t i);

// The plan of join, from every picture's header: each must be a JPEG picture of the first
// one's components and sampling (upright), of its place's size, upright after a turn that
// moves whole blocks (mirroring needs whole MCUs in the mirrored direction), in colours the
// join keeps (JoinedColorSpace converts none of them), and every edge inside the joined
// picture on the MCU grid (the joined picture's own right and bottom edges excepted). Raises
// ELosslessRefused naming every picture and reason otherwise; a header that cannot be read
// raises its error, the picture named.
TLosslessPlan CheckLosslessJoin(const TLosslessJoin& join);

}  // namespace quilmo
