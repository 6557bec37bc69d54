#pragma once
// The boxes a HEIF file is made of (the ISO base media file format), read within their bounds.

#include <cstdint>
#include <vector>

#include "plugins/byte_reader.h"

namespace quilmo::spi {

constexpr uint32_t FourCC(const char (&name)[5])
{
    return uint32_t{uint8_t(name[0])} << 24 | uint32_t{uint8_t(name[1])} << 16 | uint32_t{uint8_t(name[2])} << 8 |
           uint8_t(name[3]);
}

struct TBox {
    uint32_t Type = 0;
    TByteSpan Content;  // what follows the box's header
};

// The boxes that fill bytes, one after another; false when one runs past their end.
bool ReadBoxes(TByteSpan bytes, std::vector<TBox>& boxes);

}  // namespace quilmo::spi
