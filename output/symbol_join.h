#pragma once
// A lossless join coded from the pictures' Huffman symbols instead of their blocks: each
// picture's symbols are read once and coded again with the joined file's tables, so no block
// is formed or held. The file is the one TBandedJpeg writes for the same join, byte for byte.
// It takes baseline output from pictures of the plainest kind (see coded_picture.h) that need
// neither a turn nor requantising.

#include <functional>

#include "lossless_check.h"

namespace quilmo {

class TJpegCompressor;

// Writes join as its plan says into stream and returns true, or writes nothing and returns
// false when the join needs its pictures' blocks. setUp gives a compressor the file's
// parameters for a picture of the size it is given.
bool WriteSymbolJoin(const TLosslessJoin& join, const TLosslessPlan& plan,
                     const std::function<void(TJpegCompressor&, TSize)>& setUp, TStream& stream);

}  // namespace quilmo
