#include "plugins/large_blocks.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace quilmo::spi {

void PreferLargePages(void* block, size_t size)
{
#ifdef MADV_HUGEPAGE
    // Only what lies on whole pages can be advised; smaller blocks gain nothing.
    constexpr size_t kWorthIt = size_t{4} << 20;
    if (!block || size < kWorthIt) return;
    const auto page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const uintptr_t start = (reinterpret_cast<uintptr_t>(block) + page - 1) / page * page;
    const uintptr_t end = (reinterpret_cast<uintptr_t>(block) + size) / page * page;
    if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#endif
}

}  // namespace quilmo::spi
