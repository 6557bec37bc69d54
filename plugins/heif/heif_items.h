#pragma once
// The items of a HEIF file as its meta box declares them: their types, the sizes their ispe
// properties give, their codec configurations, how they refer to each other, and where their
// data is. Only what bounds the cost of decoding them is read.

#include <cstdint>
#include <map>
#include <vector>

#include "plugins/heif/box_reader.h"

namespace quilmo::spi {

struct THeifExtent {
    uint64_t Offset = 0;
    uint64_t Length = 0;  // 0: to the end of the data
};

struct THeifItem {
    uint32_t Type = 0;  // e.g. FourCC("hvc1"); 0 for an entry without one
    // The largest size an ispe property of the item gives; 0 x 0 without one.
    uint32_t Width = 0;
    uint32_t Height = 0;
    std::vector<TBox> Configurations;  // its hvcC and av1C properties
    std::vector<uint32_t> Inputs;       // the items a grid, overlay or identity derives from
    std::vector<uint32_t> AuxiliaryFor; // the items it is the alpha, depth... of
    std::vector<uint32_t> ThumbnailFor; // the items it is a thumbnail of
    uint8_t ConstructionMethod = 0;     // 0: in the file, 1: in the idat box
    uint16_t DataReference = 0;         // 0: this file
    uint64_t BaseOffset = 0;
    std::vector<THeifExtent> Extents;
};

struct THeifFile {
    TByteSpan File;
    TByteSpan Idat;
    uint32_t Primary = 0;
    std::map<uint32_t, THeifItem> Items;

    // The item's data, its extents one after another; false when they lie outside the file or
    // add up to more than it.
    bool ItemData(const THeifItem& item, std::vector<uint8_t>& data) const;
};

// false when the meta box is missing or broken.
bool ReadHeifItems(TByteSpan file, THeifFile& heif);

}  // namespace quilmo::spi
