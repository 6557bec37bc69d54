#include "slot_hit_test.h"

#include <algorithm>
#include <limits>

namespace quilmo {

namespace {

// How far value lies outside [low, high).
int64_t Outside(int64_t value, int64_t low, int64_t high)
{
    if (value < low) return low - value;
    if (value >= high) return value - high + 1;
    return 0;
}

int64_t SquaredDistance(const TRect& area, TPoint point)
{
    const int64_t dx = Outside(point.X, area.Left, area.Right);
    const int64_t dy = Outside(point.Y, area.Top, area.Bottom);
    return dx * dx + dy * dy;
}

}  // namespace

int32_t SlotInAreas(std::span<const TRect> areas, int32_t perLine, TJoinDirection direction,
                    TPoint point)
{
    const auto count = static_cast<int32_t>(areas.size());
    perLine = std::clamp(perLine, 1, std::max(count, 1));
    for (int32_t i = 0; i < count; ++i)
        if (SquaredDistance(areas[i], point) == 0) return i;

    // Lines are rows when pictures go side by side: their distance is a vertical one.
    const bool rows = direction == jdHorizontal;
    const int32_t across = rows ? point.Y : point.X;
    int32_t nearestLine = 0;
    int64_t lineDistance = std::numeric_limits<int64_t>::max();
    for (int32_t first = 0; first < count; first += perLine) {
        int32_t low = std::numeric_limits<int32_t>::max();
        int32_t high = std::numeric_limits<int32_t>::min();
        for (int32_t i = first; i < std::min(first + perLine, count); ++i) {
            low = std::min(low, rows ? areas[i].Top : areas[i].Left);
            high = std::max(high, rows ? areas[i].Bottom : areas[i].Right);
        }
        const int64_t distance = Outside(across, low, high);
        if (distance < lineDistance) {
            lineDistance = distance;
            nearestLine = first;
        }
    }
    int32_t nearest = nearestLine;
    for (int32_t i = nearestLine; i < std::min(nearestLine + perLine, count); ++i)
        if (SquaredDistance(areas[i], point) < SquaredDistance(areas[nearest], point))
            nearest = i;
    return nearest;
}

}  // namespace quilmo
