#pragma once
// The memory behind a bitmap's pixels: blocks of the heap, which reuses what was freed before.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace quilmo {

using TPixelMemory = std::unique_ptr<uint8_t[]>;

// A block of bytes whose contents are not set. Raises std::bad_alloc when memory is short.
inline TPixelMemory NewPixelMemory(size_t bytes)
{
    return std::make_unique_for_overwrite<uint8_t[]>(bytes);
}

}  // namespace quilmo
