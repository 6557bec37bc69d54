#pragma once
// Quantised DCT coefficients of one quantisation table brought to another: each coefficient
// times its old step over its new step, rounded to the nearest, so that it stands for the same
// value as nearly as the new step allows.

#include <array>
#include <cstdint>

#include "input/jpeg_error.h"

namespace quilmo {

// The 64 steps of a table in natural (row after row) order.
using TQuantSteps = std::array<uint16_t, DCTSIZE2>;

TQuantSteps StepsOf(const JQUANT_TBL& table);
// The table of a block turned over its diagonal.
TQuantSteps Transposed(const TQuantSteps& steps);

class TRequantiser {
public:
    TRequantiser(const TQuantSteps& from, const TQuantSteps& to) : FFrom(from), FTo(to) {}

    // Rescales block in place. The results are kept to what baseline coding holds, which only
    // a finer new step can pass.
    void Apply(JCOEF* block) const;

private:
    TQuantSteps FFrom;
    TQuantSteps FTo;
};

}  // namespace quilmo
