#include "pixel_memory.h"

#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace quilmo {

namespace {

constexpr size_t kHugePage = size_t{2} << 20;
// Smaller blocks come from the heap, which reuses what was freed before.
constexpr size_t kMappedFrom = 2 * kHugePage;

size_t RoundUp(size_t bytes, size_t unit) { return (bytes + unit - 1) / unit * unit; }

#if defined(__linux__)
// A mapping of size bytes that starts on a huge-page boundary, so the system can use them.
uint8_t* MapAligned(size_t size)
{
    const size_t spare = size + kHugePage;
    void* start = ::mmap(nullptr, spare, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (start == MAP_FAILED) throw std::bad_alloc();
    auto* base = static_cast<uint8_t*>(start);
    const size_t head = RoundUp(reinterpret_cast<uintptr_t>(base), kHugePage) - reinterpret_cast<uintptr_t>(base);
    if (head > 0) ::munmap(base, head);
    if (kHugePage - head > 0) ::munmap(base + head + size, kHugePage - head);
    ::madvise(base + head, size, MADV_HUGEPAGE);
    return base + head;
}
#endif

}  // namespace

void TPixelMemoryRelease::operator()(uint8_t* block) const
{
#if defined(__linux__)
    if (Mapped > 0) {
        ::munmap(block, Mapped);
        return;
    }
#endif
    delete[] block;
}

TPixelMemory NewPixelMemory(size_t bytes)
{
#if defined(__linux__)
    if (bytes >= kMappedFrom) {
        const size_t mapped = RoundUp(bytes, kHugePage);
        return TPixelMemory(MapAligned(mapped), TPixelMemoryRelease{mapped});
    }
#endif
    return TPixelMemory(new uint8_t[bytes], TPixelMemoryRelease{});
}

}  // namespace quilmo
