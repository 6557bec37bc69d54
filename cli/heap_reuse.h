#pragma once
// Picture memory kept for reuse by the commands that make one large picture after another.

namespace quilmo::cli {

// Freed blocks of up to 32 MiB stay in the one heap of all threads instead of going back to the
// system.
void KeepFreedBandsForReuse();

}  // namespace quilmo::cli
