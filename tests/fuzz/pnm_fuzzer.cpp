// Any bytes as a Netpbm file for the ifpnm plug-in's decoder: either a clean refusal, or blocks
// that the host turns into a picture of the size the header gives.

#include <cstdint>

#include "bigbitmap/bitmap.h"
#include "input/susie_dib.h"
#include "plugins/pnm/pnm_reader.h"

using namespace quilmo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    spi::TDibBlocks blocks;
    const int32_t code = spi::DecodePnm(data, size, blocks);
    if (code != 0) {
        if (code != 2 && code != 3 && code != 4) __builtin_trap();
        if (blocks.Info.Data || blocks.Bits.Data) __builtin_trap();
        return 0;
    }
    TBitmap bitmap;
    if (SusieBlocksToBitmap(blocks.Info.Data.get(), blocks.Info.Size, blocks.Bits.Data.get(), blocks.Bits.Size,
                            bitmap) != 0)
        __builtin_trap();
    const uint8_t* info = blocks.Info.Data.get();
    const auto field = [&](int at) { return info[at] | info[at + 1] << 8 | info[at + 2] << 16 | uint32_t{info[at + 3]} << 24; };
    if (uint32_t(bitmap.GetWidth()) != field(4) || uint32_t(bitmap.GetHeight()) != field(8)) __builtin_trap();
    return 0;
}
