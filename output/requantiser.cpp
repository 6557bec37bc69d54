#include "requantiser.h"

#include <algorithm>

namespace quilmo {

namespace {

// What baseline Huffman coding holds: AC coefficients of 10 bits of magnitude, and DC values
// whose differences fit 11 bits (the range an 8-bit picture's DC takes at step 1).
constexpr int64_t kMaxAC = 1023;
constexpr int64_t kMinDC = -1024;
constexpr int64_t kMaxDC = 1023;

}  // namespace

TQuantSteps StepsOf(const JQUANT_TBL& table)
{
    TQuantSteps steps;
    std::copy(std::begin(table.quantval), std::end(table.quantval), steps.begin());
    return steps;
}

TQuantSteps Transposed(const TQuantSteps& steps)
{
    TQuantSteps turned;
    for (int row = 0; row < DCTSIZE; ++row)
        for (int column = 0; column < DCTSIZE; ++column)
            turned[column * DCTSIZE + row] = steps[row * DCTSIZE + column];
    return turned;
}

void TRequantiser::Apply(JCOEF* block) const
{
    for (int k = 0; k < DCTSIZE2; ++k) {
        const int64_t scaled = int64_t{block[k]} * FFrom[k];
        const int64_t to = FTo[k];
        // A step of 0, which a damaged file may give, makes every value 0 when decoded.
        if (to == 0) {
            block[k] = 0;
            continue;
        }
        // Halves away from zero.
        const int64_t rounded = scaled >= 0 ? (2 * scaled + to) / (2 * to) : -((-2 * scaled + to) / (2 * to));
        block[k] = static_cast<JCOEF>(k == 0 ? std::clamp(rounded, kMinDC, kMaxDC)
                                             : std::clamp(rounded, -kMaxAC, kMaxAC));
    }
}

}  // namespace quilmo
