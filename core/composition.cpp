#include "composition.h"

#include <algorithm>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/big_bitmap_canvas.h"
#include "bigbitmap/errors.h"
#include "checked_math.h"

namespace quilmo {

namespace {

TSize SizeOf(const TGraphic& picture)
{
    const TSize size{picture.GetWidth(), picture.GetHeight()};
    // A size of zero would divide by zero below and cannot be joined anyway.
    if (size.Width <= 0 || size.Height <= 0) throw EInvalidGraphic("Cannot join an empty picture");
    return size;
}

// The size each picture is drawn at: its own, or enlarged to the common height or width.
std::vector<TSize> TargetSizes(std::span<const TSize> sizes, const TJoinSettings& settings)
{
    std::vector<TSize> targets(sizes.begin(), sizes.end());
    if (settings.Method == rmOriginal) return targets;
    if (settings.Direction == jdHorizontal) {
        int32_t height = 0;
        for (const TSize& s : sizes) height = std::max(height, s.Height);
        for (TSize& t : targets) t = {CheckedMul(t.Width, height) / t.Height, height};
    } else {
        int32_t width = 0;
        for (const TSize& s : sizes) width = std::max(width, s.Width);
        for (TSize& t : targets) t = {width, CheckedMul(t.Height, width) / t.Width};
    }
    return targets;
}

// Side by side from x 0 (or stacked from y 0), gapPixels apart, top- or left-aligned.
void PlaceInOrder(std::span<const TSize> sizes, TJoinDirection direction, int32_t gapPixels,
                  std::span<TRect> placements)
{
    int32_t position = 0;
    for (size_t i = 0; i < sizes.size(); ++i) {
        const TSize s = sizes[i];
        if (direction == jdHorizontal) {
            placements[i] = {position, 0, CheckedAdd(position, s.Width), s.Height};
            position = CheckedAdd(placements[i].Right, gapPixels);
        } else {
            placements[i] = {0, position, s.Width, CheckedAdd(position, s.Height)};
            position = CheckedAdd(placements[i].Bottom, gapPixels);
        }
    }
}

// The joined size without frame: the placed pictures' extent.
TSize JoinedSize(std::span<const TRect> placements)
{
    TSize size;
    for (const TRect& r : placements)
        size = {std::max(size.Width, r.Right), std::max(size.Height, r.Bottom)};
    return size;
}

// picture as a 24-bit working copy; indexed big bitmaps are converted through their palette.
void MakeWorkingCopy(TGraphic& picture, TBigBitmap& work)
{
    work.SetPixelFormat(bbpf24bit);
    work.Assign(&picture);
    if (work.PixelFormat() == bbpf24bit) return;
    TBigBitmap trueColor;
    SetupBigBitmapWhite(trueColor, work.GetWidth(), work.GetHeight());
    const TRect whole{0, 0, work.GetWidth(), work.GetHeight()};
    trueColor.Canvas().CopyRect(whole, work, whole);
    work.TakeOver(trueColor);
}

}  // namespace

void ComposeJoined(std::span<TGraphic* const> pictures, const TJoinSettings& settings,
                   const TProgressProc& progress, TBigBitmap& joined, std::span<TRect> placements)
{
    std::vector<TSize> sizes;
    for (TGraphic* picture : pictures) sizes.push_back(SizeOf(*picture));
    const std::vector<TSize> targets = TargetSizes(sizes, settings);
    PlaceInOrder(targets, settings.Direction, settings.GapPixels(), placements);
    const TSize size = JoinedSize(placements.first(pictures.size()));
    const TRect frame = settings.Frame();
    SetupBigBitmapFramed(joined, size.Width, size.Height, frame, settings.JoinColor);
    progress(0, 100, 3);

    // One working copy at a time: converted, enlarged, drawn and freed, so that memory holds
    // the joined picture and a single source rather than all of them.
    const auto count = static_cast<int32_t>(pictures.size());
    for (size_t i = 0; i < pictures.size(); ++i) {
        TBigBitmap work;
        MakeWorkingCopy(*pictures[i], work);
        const TSize target = targets[i];
        if (settings.Method != rmOriginal)
            BigEnlarge(work, target.Width, target.Height, settings.Method, settings.FUseSSE2, count,
                       progress);
        if (work.GetWidth() != target.Width || work.GetHeight() != target.Height)
            throw EConvertError("A picture changed its size while it was converted");
        joined.Canvas().CopyRect(OffsetRectBy(placements[i], frame), work,
                                 {0, 0, target.Width, target.Height});
    }
}

std::vector<TRect> ReversedPlacements(std::span<const TRect> placements, TJoinDirection direction,
                                      int32_t gapPixels)
{
    std::vector<TSize> sizes;
    for (auto it = placements.rbegin(); it != placements.rend(); ++it)
        sizes.push_back({it->Width(), it->Height()});
    std::vector<TRect> result(placements.size());
    PlaceInOrder(sizes, direction, gapPixels, result);
    return result;
}

std::vector<TRect> RespacedPlacements(std::span<const TRect> placements, TJoinDirection direction,
                                      int32_t delta)
{
    std::vector<TRect> result(placements.begin(), placements.end());
    for (size_t i = 0; i < result.size(); ++i) {
        const int32_t shift = CheckedMul(static_cast<int32_t>(i), delta);
        const TRect offset =
            direction == jdHorizontal ? TRect{shift, 0, 0, 0} : TRect{0, shift, 0, 0};
        result[i] = OffsetRectBy(result[i], offset);
    }
    return result;
}

void RearrangeJoined(TBigBitmap& joined, std::span<const TRect> from, std::span<const TRect> to,
                     const TRect& frame, TColor color, TSize size,
                     const std::function<void(size_t)>& afterCopy, TBigBitmap& output)
{
    SetupBigBitmap(output, size.Width, size.Height, color);
    for (size_t k = 0; k < from.size(); ++k) {
        output.Canvas().CopyRect(OffsetRectBy(to[k], frame), joined, OffsetRectBy(from[k], frame));
        afterCopy(k);
    }
}

}  // namespace quilmo
