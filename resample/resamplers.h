#pragma once
// The pixel computations of every member, shared by the big-bitmap and the standard-bitmap
// families. Each builds its tables for one source and target size (TResamplerMaker).

#include <cstdint>
#include <memory>
#include <vector>

#include "resample/kernels.h"
#include "resample/row_resampler.h"

// The SSE2 paths exist where the compiler targets SSE2 (always on x86-64).
#if defined(__SSE2__)
#define QUILMO_HAVE_SSE2 1
#else
#define QUILMO_HAVE_SSE2 0
#endif

namespace quilmo {

std::unique_ptr<TRowResampler> NewBilinear(const TPixelRows& source, int32_t newWidth,
                                           int32_t newHeight);
// minusSixth: the Lagrange factor the member writes for -1/6.
TResamplerMaker CubicMaker(TCubicKernel kernel, double minusSixth);
// Lanczos with its sums formed the fastest way the processor allows.
std::unique_ptr<TRowResampler> NewLanczos(const TPixelRows& source, int32_t newWidth,
                                          int32_t newHeight);
// The ways of forming the Lanczos sums: all give the same pixels, only the speed differs.
enum class TLanczosSums { Portable, AVX2 };
// Those this processor can run, the fastest last.
std::vector<TLanczosSums> AvailableLanczosSums();
TResamplerMaker LanczosMaker(TLanczosSums sums);
std::unique_ptr<TRowResampler> NewBoxAverage(const TPixelRows& source, int32_t newWidth,
                                             int32_t newHeight);

#if QUILMO_HAVE_SSE2
std::unique_ptr<TRowResampler> NewBilinearSSE2(const TPixelRows& source, int32_t newWidth,
                                               int32_t newHeight);
TResamplerMaker CubicSSE2Maker(TCubicKernel kernel);
std::unique_ptr<TRowResampler> NewBoxAverageSSE2(const TPixelRows& source, int32_t newWidth,
                                                 int32_t newHeight);
#else
// Without SSE2 the SSE2 members compute on the plain paths.
inline std::unique_ptr<TRowResampler> NewBilinearSSE2(const TPixelRows& source,
                                                      int32_t newWidth, int32_t newHeight)
{
    return NewBilinear(source, newWidth, newHeight);
}
inline TResamplerMaker CubicSSE2Maker(TCubicKernel kernel)
{
    return CubicMaker(kernel, kMinusSixth);
}
inline std::unique_ptr<TRowResampler> NewBoxAverageSSE2(const TPixelRows& source,
                                                        int32_t newWidth, int32_t newHeight)
{
    return NewBoxAverage(source, newWidth, newHeight);
}
#endif

}  // namespace quilmo
