#include "oriented_rows.h"

#include <algorithm>
#include <cstring>

#include "picture_rows.h"

namespace quilmo {

TOrientedRows::TOrientedRows(TPictureRows& upright, int orientation, int32_t storedWidth,
                             int32_t storedHeight)
    : FUpright(upright), FOrientation(orientation), FWidth(storedWidth), FHeight(storedHeight)
{
    if (!OrientationSwapsSides(orientation)) return;
    FScratch.resize(static_cast<size_t>(storedWidth) * 3);
    FUprightRows.resize(static_cast<size_t>(storedWidth));
    for (int32_t y = 0; y < storedWidth; ++y) FUprightRows[y] = upright.Row(y);
}

uint8_t* TOrientedRows::StoredRow(int32_t y)
{
    switch (FOrientation) {
    case 3:
    case 4: return FUpright.Row(FHeight - 1 - y);
    case 5:
    case 6:
    case 7:
    case 8: return FScratch.data();
    default: return FUpright.Row(y);
    }
}

void TOrientedRows::MirrorInPlace(uint8_t* row) const
{
    for (int32_t left = 0, right = FWidth - 1; left < right; ++left, --right)
        std::swap_ranges(row + left * 3, row + left * 3 + 3, row + right * 3);
}

void TOrientedRows::Place(int32_t y)
{
    if (FOrientation == 2 || FOrientation == 3) {
        MirrorInPlace(StoredRow(y));
        return;
    }
    if (!OrientationSwapsSides(FOrientation)) return;
    // Stored row y becomes an upright column; 5 and 8 keep its place, 6 and 7 count from the
    // right. Its pixels run down the column for 5 and 6 and up it for 7 and 8.
    const bool fromRight = FOrientation == 6 || FOrientation == 7;
    const bool upwards = FOrientation == 7 || FOrientation == 8;
    const size_t column = static_cast<size_t>(fromRight ? FHeight - 1 - y : y) * 3;
    const uint8_t* pixel = FScratch.data();
    for (int32_t x = 0; x < FWidth; ++x, pixel += 3)
        std::memcpy(FUprightRows[upwards ? FWidth - 1 - x : x] + column, pixel, 3);
}

}  // namespace quilmo
