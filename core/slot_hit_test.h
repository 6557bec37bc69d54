#pragma once
// Which slot of a wrapped layout lies under a point of the preview.

#include <cstdint>
#include <span>

#include "bigbitmap/geometry.h"
#include "join_settings.h"

namespace quilmo {

// areas are the slots' rectangles in view coordinates, a new line after every perLine slots
// (rows side by side, columns stacked). The first slot whose area holds point; outside every
// area, the nearest slot of the nearest line, the first of equally near ones. 0 without slots.
int32_t SlotInAreas(std::span<const TRect> areas, int32_t perLine, TJoinDirection direction,
                    TPoint point);

}  // namespace quilmo
