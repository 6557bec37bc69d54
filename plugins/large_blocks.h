#pragma once
// Memory for a whole picture or file, which a plug-in fills once from start to end.

#include <cstddef>

namespace quilmo::spi {

// Asks the system to back the block with large pages where it can: a picture of tens of MiB
// then costs a few dozen page faults instead of thousands. A hint only; nothing changes where
// the system has no such pages.
void PreferLargePages(void* block, size_t size);

}  // namespace quilmo::spi
