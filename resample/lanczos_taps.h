#pragma once
// Where the Lanczos-3 taps of a destination column or row fall and what they weigh, and the
// total that a destination pixel's 36 weight products are normalised by.

#include <cstdint>
#include <vector>

namespace quilmo {

inline constexpr int kLanczosTaps = 6;  // offsets -2 .. +3

struct TLanczosTaps {
    int32_t Index[kLanczosTaps];  // source pixel or row, after the edge rule
    float W[kLanczosTaps];
};

// The taps of every destination index of an axis: position d * ratio, both in singles.
std::vector<TLanczosTaps> LanczosAxis(int32_t source, int32_t dest);

// total = the sum of the products wx_k * wy_j in singles, rows j outer, columns k inner. Float
// is a single, or lanes of singles with the column weights of one pixel in each lane; either
// way every lane rounds exactly as a lone single would.
template <class Float>
void LanczosTotal(const Float wx[kLanczosTaps], const float wy[kLanczosTaps], Float& total)
{
    total = Float{};
    for (int j = 0; j < kLanczosTaps; ++j)
        for (int k = 0; k < kLanczosTaps; ++k) total += wx[k] * wy[j];
}

}  // namespace quilmo
