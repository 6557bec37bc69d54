#pragma once
// A device-independent bitmap in the two malloc'ed blocks a plug-in hands to its host: the
// 40-byte info header with the colour table, and the rows.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace quilmo::spi {

struct TFreeBlock {
    void operator()(uint8_t* block) const { std::free(block); }
};

struct TMallocBlock {
    std::unique_ptr<uint8_t, TFreeBlock> Data;
    size_t Size = 0;

    // Zeroed memory; false when there is none.
    bool Allocate(size_t size)
    {
        Data.reset(static_cast<uint8_t*>(std::calloc(size ? size : 1, 1)));
        Size = Data ? size : 0;
        return Data != nullptr;
    }
};

struct TDibBlocks {
    TMallocBlock Info;
    TMallocBlock Bits;
};

// The bitmap info header at the start of the info block.
inline constexpr size_t kInfoHeaderSize = 40;

inline void PutLE32(uint8_t* at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace quilmo::spi
