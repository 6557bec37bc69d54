#pragma once
// HEIF files written box by box, for structures libheif's encoder does not make: grids,
// overlays and auxiliary images declared as a test needs them. Every item's data is in the
// idat box; an HEVC item has an hvcC property without parameter sets, so it cannot be decoded.

#include <cstdint>
#include <vector>

#include "sample_pictures.h"

namespace quilmo::test {

struct THeifItemSpec {
    uint32_t Id = 0;
    const char* Type = "hvc1";
    uint32_t Width = 0;  // of its ispe property; none when 0
    uint32_t Height = 0;
    TBytes Data = {0, 0, 0, 0};  // for a coded item, one empty NAL unit
    std::vector<uint32_t> Inputs = {};  // what a grid or overlay derives from
    uint32_t AlphaFor = 0;              // the item it is the alpha of; none when 0
};

TBytes HeifFile(uint32_t primary, const std::vector<THeifItemSpec>& items);

// The data of a grid of rows x columns tiles, and of an overlay, with 32-bit sizes.
TBytes GridData(uint8_t rows, uint8_t columns, uint32_t width, uint32_t height);
TBytes OverlayData(uint32_t width, uint32_t height);

}  // namespace quilmo::test
