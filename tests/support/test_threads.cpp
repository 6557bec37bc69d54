// The thread count of a test program's work, from QUILMO_TEST_THREADS: CTest runs the programs
// whose results must not depend on it once on one thread and once on four.

#include <cstdlib>

#include "resample/work_threads.h"

namespace {

const bool kThreadsSet = [] {
    if (const char* threads = std::getenv("QUILMO_TEST_THREADS")) quilmo::SetWorkThreads(std::atoi(threads));
    return true;
}();

}  // namespace
