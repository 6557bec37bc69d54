#pragma once
// How much memory a piece of work takes at its peak, measured in a child process of its own so
// that nothing the test program took before counts.

#include <functional>

namespace quilmo::test {

// How much the peak memory of a child process grows while it runs action; -1 when action
// returns false.
long PeakGrowthInKiB(const std::function<bool()>& action);

// Under the sanitizers memory is shadowed and freed blocks are held back: a peak says nothing.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool kPeakMemoryMeansSomething = false;
#else
inline constexpr bool kPeakMemoryMeansSomething = true;
#endif

}  // namespace quilmo::test
