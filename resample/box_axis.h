#pragma once
// The boxes of the box average along one axis. Destination index d covers the source from lo
// to hi, hi lying 0.000001 below the box's end so that exact halves round down; every source
// index i from floor(lo) to floor(hi) weighs min(i + 1, hi) - max(i, lo).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace quilmo {

inline constexpr double kBoxEndMargin = 0.000001;

struct TBoxSpan {
    int32_t First;   // first source index times the axis scale
    int32_t Count;   // source indices covered
    int32_t Weight;  // where the span's weights start in TBoxAxis::Weights
};

struct TBoxAxis {
    std::vector<TBoxSpan> Spans;
    std::vector<double> Weights;
};

struct TBoxBounds {
    double Lo;
    double Hi;
};

// Real is the precision the weights are computed in before they are kept as doubles; bounds
// gives the box of a destination index.
template <class Real, class Bounds>
TBoxAxis BuildBoxAxis(int32_t source, int32_t dest, int32_t scale, Bounds bounds)
{
    TBoxAxis axis;
    axis.Spans.resize(static_cast<size_t>(dest));
    for (int32_t d = 0; d < dest; ++d) {
        const TBoxBounds box = bounds(d);
        // Clamped to the source, which the bounds never leave for a reduction.
        const auto first = static_cast<int32_t>(std::max(0.0, std::floor(box.Lo)));
        const auto last =
            static_cast<int32_t>(std::min<double>(source - 1, std::floor(box.Hi)));
        axis.Spans[d] = {first * scale, std::max(0, last - first + 1),
                         static_cast<int32_t>(axis.Weights.size())};
        for (int32_t i = first; i <= last; ++i) {
            const Real end = std::min<double>(i + 1, box.Hi);
            const Real start = std::max<double>(i, box.Lo);
            axis.Weights.push_back(static_cast<double>(end - start));
        }
    }
    return axis;
}

}  // namespace quilmo
