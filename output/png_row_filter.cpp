#include "png_row_filter.h"

#include <cstdlib>

namespace quilmo {

namespace {

// The byte to the left of a byte is this far before it.
constexpr size_t kPixelBytes = 3;

enum TFilter : uint8_t { None, Sub, Up, Average, Paeth };

uint8_t PaethPredictor(uint8_t left, uint8_t up, uint8_t upLeft)
{
    const int guess = left + up - upLeft;
    const int toLeft = std::abs(guess - left), toUp = std::abs(guess - up), toUpLeft = std::abs(guess - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft) return left;
    return toUp <= toUpLeft ? up : upLeft;
}

template <TFilter F>
uint8_t Predict(uint8_t left, uint8_t up, uint8_t upLeft)
{
    if constexpr (F == None) return 0;
    if constexpr (F == Sub) return left;
    if constexpr (F == Up) return up;
    if constexpr (F == Average) return static_cast<uint8_t>((left + up) >> 1);
    if constexpr (F == Paeth) return PaethPredictor(left, up, upLeft);
}

// Calls take(i, filtered byte i) for every byte of the row. The first pixel has zeros to its
// left; the loops are split there so that the long one has no branch and vectorizes.
template <TFilter F, typename Take>
void ForEachFiltered(const uint8_t* row, const uint8_t* above, size_t bytes, const Take& take)
{
    size_t i = 0;
    for (; i < kPixelBytes && i < bytes; ++i) take(i, static_cast<uint8_t>(row[i] - Predict<F>(0, above[i], 0)));
    for (; i < bytes; ++i)
        take(i, static_cast<uint8_t>(row[i] - Predict<F>(row[i - kPixelBytes], above[i], above[i - kPixelBytes])));
}

template <TFilter F>
uint64_t Cost(const uint8_t* row, const uint8_t* above, size_t bytes)
{
    uint64_t sum = 0;
    ForEachFiltered<F>(row, above, bytes, [&sum](size_t, uint8_t value) { sum += value < 128 ? value : 256 - value; });
    return sum;
}

template <TFilter F>
void Apply(const uint8_t* row, const uint8_t* above, size_t bytes, uint8_t* out)
{
    out[0] = F;
    ForEachFiltered<F>(row, above, bytes, [out](size_t i, uint8_t value) { out[i + 1] = value; });
}

}  // namespace

void FilterPngRow(const uint8_t* row, const uint8_t* above, size_t bytes, uint8_t* out)
{
    const uint64_t costs[] = {Cost<None>(row, above, bytes), Cost<Sub>(row, above, bytes), Cost<Up>(row, above, bytes),
                              Cost<Average>(row, above, bytes), Cost<Paeth>(row, above, bytes)};
    // Ties go to the simpler filter.
    int best = None;
    for (int filter = Sub; filter <= Paeth; ++filter)
        if (costs[filter] < costs[best]) best = filter;
    switch (best) {
    case None: Apply<None>(row, above, bytes, out); break;
    case Sub: Apply<Sub>(row, above, bytes, out); break;
    case Up: Apply<Up>(row, above, bytes, out); break;
    case Average: Apply<Average>(row, above, bytes, out); break;
    default: Apply<Paeth>(row, above, bytes, out); break;
    }
}

}  // namespace quilmo
