#pragma once
// Where a picture goes on a printed page: as large as the printable area allows, its
// proportions kept in 1/128 steps (exactly for very wide pictures), centred.

#include <cstdint>

#include "bigbitmap/geometry.h"

namespace quilmo {

// printable: the printable rectangle in device pixels; width x height: the picture's size.
TRect FitToPage(const TRect& printable, int32_t width, int32_t height);

}  // namespace quilmo
