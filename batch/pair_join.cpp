#include "pair_join.h"

#include <algorithm>
#include <cstring>

#include "bigbitmap/bitmap.h"
#include "core/checked_math.h"
#include "core/picture_helpers.h"

namespace quilmo {

namespace {

// picture copied unscaled onto output with its top left corner at (x, y); both are 24-bit and
// the picture lies inside output.
void DrawAt(TBitmap& output, const TBitmap& picture, int32_t x, int32_t y)
{
    const size_t rowBytes = static_cast<size_t>(picture.GetWidth()) * 3;
    for (int32_t row = 0; row < picture.GetHeight(); ++row)
        std::memcpy(output.ScanLine(y + row) + static_cast<size_t>(x) * 3, picture.ScanLine(row),
                    rowBytes);
}

// The lower of a and b enlarged to the other's height, its width in proportion.
void MatchHeights(TBitmap& a, TBitmap& b, TResampleMethod method, bool useSSE2)
{
    if (a.GetHeight() == b.GetHeight()) return;
    TBitmap& lower = a.GetHeight() < b.GetHeight() ? a : b;
    const int32_t height = std::max(a.GetHeight(), b.GetHeight());
    Enlarge(lower, CheckedMul(lower.GetWidth(), height) / lower.GetHeight(), height, method,
            useSSE2);
}

// The narrower of a and b enlarged to the other's width, its height in proportion.
void MatchWidths(TBitmap& a, TBitmap& b, TResampleMethod method, bool useSSE2)
{
    if (a.GetWidth() == b.GetWidth()) return;
    TBitmap& narrower = a.GetWidth() < b.GetWidth() ? a : b;
    const int32_t width = std::max(a.GetWidth(), b.GetWidth());
    Enlarge(narrower, width, CheckedMul(narrower.GetHeight(), width) / narrower.GetWidth(), method,
            useSSE2);
}

// Twice the side plus the gap: the room of a pair of which one picture is missing.
int32_t DoubledWithGap(int32_t side, int32_t gap)
{
    return CheckedAdd(CheckedMul(side, 2), gap);
}

}  // namespace

TPairLayout PairLayout(TJoinDirection direction, bool hasList1, bool hasList2)
{
    if (direction == jdVertical) return hasList1 ? (hasList2 ? plVertPair : plVertList1) : plVertList2;
    return hasList1 ? (hasList2 ? plHorzPair : plHorzList1) : plHorzList2;
}

TPairPlaces PlacePair(TPairLayout layout, TSize left, TSize right, int32_t gap)
{
    const auto at = [](int32_t x, int32_t y, TSize size) { return TRect{x, y, x + size.Width, y + size.Height}; };
    switch (layout) {
    case plHorzPair:
        return {{CheckedAdd(CheckedAdd(left.Width, gap), right.Width), std::max(left.Height, right.Height)},
                at(0, 0, left),
                at(left.Width + gap, 0, right)};
    case plVertPair:
        return {{std::max(left.Width, right.Width), CheckedAdd(CheckedAdd(right.Height, gap), left.Height)},
                at(0, right.Height + gap, left),
                at(0, 0, right)};
    case plHorzList1: return {{DoubledWithGap(left.Width, gap), left.Height}, at(0, 0, left), {}};
    case plHorzList2: return {{DoubledWithGap(right.Width, gap), right.Height}, {}, at(right.Width + gap, 0, right)};
    case plVertList1: return {{left.Width, DoubledWithGap(left.Height, gap)}, at(0, left.Height + gap, left), {}};
    case plVertList2: return {{right.Width, DoubledWithGap(right.Height, gap)}, {}, at(0, 0, right)};
    }
    return {};
}

void JoinPair(TBitmap& right, TBitmap& left, TBitmap& output, TResampleMethod method,
              int32_t gap, TPairLayout layout, TColor margin, bool useSSE2)
{
    // The rows are copied as they lie, so both must be 24-bit like the output.
    right.SetPixelFormat(pf24bit);
    left.SetPixelFormat(pf24bit);
    if (method != rmOriginal && layout == plHorzPair) MatchHeights(right, left, method, useSSE2);
    if (method != rmOriginal && layout == plVertPair) MatchWidths(right, left, method, useSSE2);
    const TPairPlaces places =
        PlacePair(layout, {left.GetWidth(), left.GetHeight()}, {right.GetWidth(), right.GetHeight()}, gap);
    SetupBitmap(output, places.Size.Width, places.Size.Height, margin);
    if (!places.Left.IsEmpty()) DrawAt(output, left, places.Left.Left, places.Left.Top);
    if (!places.Right.IsEmpty()) DrawAt(output, right, places.Right.Left, places.Right.Top);
}

}  // namespace quilmo
