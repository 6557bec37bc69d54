#pragma once
// What every resampler shares: byte rounding of a channel sum, the sinc of the Lanczos kernel,
// the tap weights of the kernels and the edge rule.

#include <cstdint>

#include "resample/resample.h"

namespace quilmo {

// -1/6 of the Lagrange kernel as the plain big-bitmap cubic resampler writes it, and exactly.
inline constexpr double kDecimalMinusSixth = -0.166666666667;
inline constexpr double kMinusSixth = -1.0 / 6.0;

// A channel sum as a byte: negative or not-a-number gives 0, above 255 gives 255, otherwise
// rounded to the nearest integer, ties to even.
uint8_t ClampByte(long double v);

// sin(pi x) / (pi x) in single precision; 1 at 0.
float SinC(float x);

// Lanczos-3 weight of a tap at that distance.
float LanczosWeight(float distance);

// Weights of the taps at offsets -1, 0, +1, +2 for fraction t, computed in Real (long double
// on the plain paths, double on the SSE2 paths) and kept as doubles. minusSixth is the
// Lagrange factor -1/6; the bicubic kernel has none.
struct TCubicWeights {
    double W[4];
};

template <class Real>
TCubicWeights CubicWeights(TCubicKernel kernel, double t, double minusSixth)
{
    const Real x = t;
    if (kernel == ckLagrange) {
        const Real c = minusSixth;
        const Real half = 0.5;
        return {{static_cast<double>(x * (x - 1) * (x - 2) * c),
                 static_cast<double>((x + 1) * (x - 1) * (x - 2) * half),
                 static_cast<double>(-((x + 1) * x * (x - 2) * half)),
                 static_cast<double>((x + 1) * x * (x - 1) * -c)}};
    }
    const Real inner = x * x - x - 1;
    return {{static_cast<double>(-x * (1 - x) * (1 - x)), static_cast<double>((x - 1) * inner),
             static_cast<double>(-x * inner), static_cast<double>(x * x * (x - 1))}};
}

// Source index read by tap offset from base: a tap outside 0..length-1 reads base itself.
inline int32_t EdgeTap(int32_t base, int32_t offset, int32_t length)
{
    const int32_t index = base + offset;
    return index < 0 || index > length - 1 ? base : index;
}

}  // namespace quilmo
