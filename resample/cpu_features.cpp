#include "resample/resample.h"

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

}  // namespace quilmo
