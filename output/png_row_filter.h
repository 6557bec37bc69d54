#pragma once
// PNG's row filters for rows of three bytes a pixel. Each row takes the filter whose bytes, read
// as signed, have the smallest sum of magnitudes: the usual choice of PNG encoders, which suits
// deflate on photographs.

#include <cstddef>
#include <cstdint>

namespace quilmo {

// Writes the filter type and the filtered bytes of row (bytes long) to out (bytes + 1 long).
// above is the row above, all zeros above the first row.
void FilterPngRow(const uint8_t* row, const uint8_t* above, size_t bytes, uint8_t* out);

}  // namespace quilmo
