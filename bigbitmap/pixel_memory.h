#pragma once
// The memory behind a bitmap's pixels. Large blocks come straight from the system, asking it to
// back them with huge pages: a fresh picture of many megabytes then costs a few page faults
// instead of one per 4 KiB, which on virtual machines takes longer than writing the pixels.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace quilmo {

struct TPixelMemoryRelease {
    size_t Mapped = 0;  // bytes mapped from the system; 0 for blocks of the heap
    void operator()(uint8_t* block) const;
};

using TPixelMemory = std::unique_ptr<uint8_t[], TPixelMemoryRelease>;

// A block of bytes whose contents are not set. Raises std::bad_alloc when memory is short.
TPixelMemory NewPixelMemory(size_t bytes);

}  // namespace quilmo
