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
// Paths compiled for AVX2 besides, taken where the processor has it.
#if defined(__GNUC__) && defined(__x86_64__)
#define QUILMO_HAVE_AVX2 1
#else
#define QUILMO_HAVE_AVX2 0
#endif

namespace quilmo {

std::unique_ptr<TRowResampler> NewBilinear(const TPixelRows& source, int32_t newWidth,
                                           int32_t newHeight);
// minusSixth: the Lagrange factor the member writes for -1/6.
TResamplerMaker CubicMaker(TCubicKernel kernel, double minusSixth);
// The instructions a member may form its sums with: every choice gives the same pixels, only
// the speed differs. Base: what the compiler targets everywhere (SSE2 on x86-64).
enum class TVectorSums { Base, AVX2 };
// Those this processor can run, the fastest last.
std::vector<TVectorSums> AvailableVectorSums();
TVectorSums FastestVectorSums();

// Lanczos with its sums formed the fastest way the processor allows.
std::unique_ptr<TRowResampler> NewLanczos(const TPixelRows& source, int32_t newWidth,
                                          int32_t newHeight);
TResamplerMaker LanczosMaker(TVectorSums sums);
std::unique_ptr<TRowResampler> NewBoxAverage(const TPixelRows& source, int32_t newWidth,
                                             int32_t newHeight);

#if QUILMO_HAVE_SSE2
std::unique_ptr<TRowResampler> NewBilinearSSE2(const TPixelRows& source, int32_t newWidth,
                                               int32_t newHeight);
TResamplerMaker CubicSSE2Maker(TCubicKernel kernel, TVectorSums sums = FastestVectorSums());
std::unique_ptr<TRowResampler> NewBoxAverageSSE2(const TPixelRows& source, int32_t newWidth,
                                                 int32_t newHeight);
#else
// Without SSE2 the SSE2 members compute on the plain paths.
inline std::unique_ptr<TRowResampler> NewBilinearSSE2(const TPixelRows& source,
                                                      int32_t newWidth, int32_t newHeight)
{
    return NewBilinear(source, newWidth, newHeight);
}
inline TResamplerMaker CubicSSE2Maker(TCubicKernel kernel, TVectorSums = TVectorSums::Base)
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
