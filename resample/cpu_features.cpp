#include "resample/resample.h"
#include "resample/resamplers.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace quilmo {

bool HasSSE2()
{
#if defined(__x86_64__) || defined(__i386__)
    unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
    __cpuid(0, eax, ebx, ecx, edx);
    if (eax < 1) return false;
    __cpuid(1, eax, ebx, ecx, edx);
    return (edx & (1u << 26)) != 0;
#else
    return false;
#endif
}

std::vector<TVectorSums> AvailableVectorSums()
{
    std::vector<TVectorSums> sums{TVectorSums::Base};
#if QUILMO_HAVE_AVX2
    if (__builtin_cpu_supports("avx2")) sums.push_back(TVectorSums::AVX2);
#endif
    return sums;
}

TVectorSums FastestVectorSums()
{
    return AvailableVectorSums().back();
}

}  // namespace quilmo
