#pragma once
// The size a coded image's own stream declares, which is what its decoder takes memory for,
// whatever the file's ispe property says: the sequence parameter sets of HEVC and the sequence
// headers of AV1, in the codec configuration and among the coded data alike.

#include <cstdint>

#include "plugins/heif/box_reader.h"

namespace quilmo::spi {

// The largest width and the largest height that any of the stream's headers allows; 0 x 0
// when there is none.
struct TCodedSize {
    uint64_t Width = 0;
    uint64_t Height = 0;

    void Include(uint64_t width, uint64_t height);
};

// hvcC is the content of the item's hvcC property, data the item's NAL units. false when a
// parameter set is cut short or broken.
bool AddHevcSizes(TByteSpan hvcC, TByteSpan data, TCodedSize& size);
// av1C is the content of the item's av1C property, data the item's OBUs.
bool AddAv1Sizes(TByteSpan av1C, TByteSpan data, TCodedSize& size);

}  // namespace quilmo::spi
