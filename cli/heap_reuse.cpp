#include "heap_reuse.h"

#include <malloc.h>

namespace quilmo::cli {

// Every picture brings bands and bitmaps of a few MiB that are freed again once it is drawn.
// Served from the heap and kept there, they are reused for the next picture instead of going
// back to the system and being faulted in afresh, which costs the kernel a tenth of the whole
// join. One heap for all threads, so that a band freed on one thread serves the next picture on
// any other rather than waiting in that thread's own heap.
void KeepFreedBandsForReuse()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_ARENA_MAX, 1);
#endif
}

}  // namespace quilmo::cli
