#pragma once
// The common case of a conversion made fast: both profiles are RGB matrix-shapers (a tone curve
// a channel and a 3 x 3 matrix to the connection space, as Display P3, Adobe RGB and sRGB are),
// so that 8-bit pixels go through a table a channel, one matrix and a table back. The result is
// within one level of lcms's, and the same on every processor.

#include <lcms2.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quilmo {

class TMatrixShaper {
public:
    // The conversion from from's colours into to's, relative colorimetric; none unless both are
    // RGB matrix-shapers whose curves start at black (so that black point compensation changes
    // nothing) and lcms would use them as such.
    static std::unique_ptr<TMatrixShaper> Make(cmsHPROFILE from, cmsHPROFILE to);

    // Pixels of blue, green, red; from and to may be the same memory.
    void Apply(const uint8_t* from, uint8_t* to, size_t pixels) const;

private:
    // Fractional bits of the contributions, and of the linear light that indexes the tables back.
    static constexpr int kContributionBits = 20;
    static constexpr int kLinearBits = 14;
    static constexpr int32_t kLinearOne = 1 << kLinearBits;

    // What input value i of channel c (red, green, blue) adds to each output channel (red,
    // green, blue, and a spare lane).
    struct alignas(16) TContribution {
        std::array<int32_t, 4> To;
    };
    std::array<std::array<TContribution, 256>, 3> FContributions{};
    // For each output channel, the 8-bit value of linear light 0 to kLinearOne; channels with the
    // same curve share one table, which keeps the tables in the processor's first cache.
    std::array<std::vector<uint8_t>, 3> FBackTables;
    std::array<const uint8_t*, 3> FBack{};
};

}  // namespace quilmo
