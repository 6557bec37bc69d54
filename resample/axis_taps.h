#pragma once
// Where the destination columns and rows sample the source. A destination index d lies at
// d * ratio (no half-pixel offset); the taps around it follow the edge rule. Each table is
// built once per call, so the pixel loops only index it. Column indices are byte offsets into
// a row (scale 3), row indices are row numbers (scale 1).

#include <cstdint>
#include <vector>

#include "resample/kernels.h"

namespace quilmo {

// Real is the precision the position is computed in before it is kept as a double.
template <class Real>
double AxisRatio(int32_t source, int32_t dest)
{
    return static_cast<double>(static_cast<Real>(source) / dest);
}

struct TSample {
    int32_t Base;
    double Fraction;
};

template <class Real>
TSample SampleAt(int32_t d, double ratio)
{
    const auto position = static_cast<double>(static_cast<Real>(d) * ratio);
    const auto base = static_cast<int32_t>(position);
    return {base, position - base};
}

struct TLinearTaps {
    int32_t Index[2];
    double Fraction;    // weight of Index[1]
    double Complement;  // weight of Index[0]
};

template <class Real>
std::vector<TLinearTaps> LinearAxis(int32_t source, int32_t dest, int32_t scale)
{
    const double ratio = AxisRatio<Real>(source, dest);
    std::vector<TLinearTaps> taps(static_cast<size_t>(dest));
    for (int32_t d = 0; d < dest; ++d) {
        const TSample s = SampleAt<Real>(d, ratio);
        taps[d] = {{s.Base * scale, EdgeTap(s.Base, 1, source) * scale},
                   s.Fraction,
                   static_cast<double>(1 - static_cast<Real>(s.Fraction))};
    }
    return taps;
}

struct TCubicTaps {
    int32_t Index[4];  // offsets -1, 0, +1, +2
    double W[4];
};

template <class Real>
std::vector<TCubicTaps> CubicAxis(int32_t source, int32_t dest, int32_t scale,
                                  TCubicKernel kernel, double minusSixth)
{
    const double ratio = AxisRatio<Real>(source, dest);
    std::vector<TCubicTaps> taps(static_cast<size_t>(dest));
    for (int32_t d = 0; d < dest; ++d) {
        const TSample s = SampleAt<Real>(d, ratio);
        const TCubicWeights w = CubicWeights<Real>(kernel, s.Fraction, minusSixth);
        TCubicTaps& tap = taps[d];
        for (int k = 0; k < 4; ++k) {
            tap.Index[k] = EdgeTap(s.Base, k - 1, source) * scale;
            tap.W[k] = w.W[k];
        }
    }
    return taps;
}

}  // namespace quilmo
