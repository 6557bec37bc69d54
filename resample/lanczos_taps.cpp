#include "resample/lanczos_taps.h"

#include <array>
#include <map>

#include "resample/kernels.h"

namespace quilmo {

std::vector<TLanczosTaps> LanczosAxis(int32_t source, int32_t dest)
{
    const auto ratio = static_cast<float>(static_cast<long double>(source) / dest);
    // The weights depend on the fraction alone, which repeats on every other index of a 2x
    // enlargement, for instance; the sines are the costly part.
    std::map<float, std::array<float, kLanczosTaps>> weightsAt;
    std::vector<TLanczosTaps> taps(static_cast<size_t>(dest));
    for (int32_t d = 0; d < dest; ++d) {
        const auto position = static_cast<float>(static_cast<long double>(d) * ratio);
        const auto base = static_cast<int32_t>(position);
        const float t = position - static_cast<float>(base);
        auto [weights, added] = weightsAt.try_emplace(t);
        if (added) {
            const float distances[kLanczosTaps] = {t + 2, t + 1, t, 1 - t, 2 - t, 3 - t};
            for (int k = 0; k < kLanczosTaps; ++k) weights->second[k] = LanczosWeight(distances[k]);
        }
        for (int k = 0; k < kLanczosTaps; ++k) {
            taps[d].Index[k] = EdgeTap(base, k - 2, source);
            taps[d].W[k] = weights->second[k];
        }
    }
    return taps;
}

}  // namespace quilmo
