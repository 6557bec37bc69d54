#include "heap_reuse.h"

#include <malloc.h>

namespace quilmo::cli {

// Every picture brings bands and bitmaps of a few MiB that are freed again once it is drawn.
// Served from the heap and kept there, they are reused for the next picture instead of going
// back to the system and being faulted in afresh, which costs the kernel a tenth of the whole
// join.
void KeepFreedBandsForReuse()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
}

}  // namespace quilmo::cli
