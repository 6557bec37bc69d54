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

void JoinPair(TBitmap& right, TBitmap& left, TBitmap& output, TResampleMethod method,
              int32_t gap, TPairLayout layout, TColor margin, bool useSSE2)
{
    // The rows are copied as they lie, so both must be 24-bit like the output.
    right.SetPixelFormat(pf24bit);
    left.SetPixelFormat(pf24bit);
    switch (layout) {
    case plHorzPair:
        if (method != rmOriginal) MatchHeights(right, left, method, useSSE2);
        SetupBitmap(output, CheckedAdd(CheckedAdd(left.GetWidth(), gap), right.GetWidth()),
                    std::max(left.GetHeight(), right.GetHeight()), margin);
        DrawAt(output, left, 0, 0);
        DrawAt(output, right, left.GetWidth() + gap, 0);
        return;
    case plVertPair:
        if (method != rmOriginal) MatchWidths(right, left, method, useSSE2);
        SetupBitmap(output, std::max(left.GetWidth(), right.GetWidth()),
                    CheckedAdd(CheckedAdd(right.GetHeight(), gap), left.GetHeight()), margin);
        DrawAt(output, right, 0, 0);
        DrawAt(output, left, 0, right.GetHeight() + gap);
        return;
    case plHorzList1:
        SetupBitmap(output, DoubledWithGap(left.GetWidth(), gap), left.GetHeight(), margin);
        DrawAt(output, left, 0, 0);
        return;
    case plHorzList2:
        SetupBitmap(output, DoubledWithGap(right.GetWidth(), gap), right.GetHeight(), margin);
        DrawAt(output, right, right.GetWidth() + gap, 0);
        return;
    case plVertList1:
        SetupBitmap(output, left.GetWidth(), DoubledWithGap(left.GetHeight(), gap), margin);
        DrawAt(output, left, 0, left.GetHeight() + gap);
        return;
    case plVertList2:
        SetupBitmap(output, right.GetWidth(), DoubledWithGap(right.GetHeight(), gap), margin);
        DrawAt(output, right, 0, 0);
        return;
    }
}

}  // namespace quilmo
