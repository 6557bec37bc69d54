#include "join_layout.h"

#include <algorithm>
#include <cstdint>

#include "bigbitmap/errors.h"
#include "checked_math.h"

namespace quilmo {

namespace {

// One line: the sizes each picture is drawn at, enlarged to the tallest height (horizontal) or
// widest width (vertical) unless the method keeps the original size.
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
std::vector<TRect> PlaceInOrder(std::span<const TSize> sizes, TJoinDirection direction,
                                int32_t gapPixels)
{
    std::vector<TRect> placements(sizes.size());
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
    return placements;
}

// The placed pictures' extent.
TSize ExtentOf(std::span<const TRect> placements)
{
    TSize size;
    for (const TRect& r : placements)
        size = {std::max(size.Width, r.Right), std::max(size.Height, r.Bottom)};
    return size;
}

int64_t AlignOffset(int64_t room, TJoinAlign align)
{
    switch (align) {
    case jaCenter:
        return room / 2;
    case jaEnd:
        return room;
    default:
        return 0;
    }
}

TJoinLayout SingleLine(std::span<const TSize> sizes, const TJoinSettings& settings)
{
    const bool horizontal = settings.Direction == jdHorizontal;
    TJoinLayout layout;
    layout.Placements =
        PlaceInOrder(TargetSizes(sizes, settings), settings.Direction, settings.GapPixels());
    layout.Size = ExtentOf(layout.Placements);
    // The offsets stay below the line's thickness, so they cannot overflow.
    const int32_t thickness = horizontal ? layout.Size.Height : layout.Size.Width;
    for (TRect& r : layout.Placements) {
        const auto offset = static_cast<int32_t>(
            AlignOffset(thickness - (horizontal ? r.Height() : r.Width()), settings.Align));
        r = horizontal ? TRect{r.Left, r.Top + offset, r.Right, r.Bottom + offset}
                       : TRect{r.Left + offset, r.Top, r.Right + offset, r.Bottom};
    }
    return layout;
}

// The size limit of every joined picture: its sides must fit 32 bits.
int64_t Fitting(int64_t length)
{
    if (length > INT32_MAX)
        throw EBigBitmapError("TBigBitmap.SetBitmaps: Too Big Width or Too Many Pixel Bits");
    return length;
}

// A size along the line (the join direction) and across it.
struct TExtent {
    int64_t Along = 0;
    int64_t Across = 0;
};

TExtent ToExtent(TSize size, bool horizontal)
{
    return horizontal ? TExtent{size.Width, size.Height} : TExtent{size.Height, size.Width};
}

TRect PlaceExtent(int64_t along, int64_t across, TExtent extent, bool horizontal)
{
    const auto at = [](int64_t value) { return static_cast<int32_t>(value); };
    if (horizontal)
        return {at(along), at(across), at(along + extent.Along), at(across + extent.Across)};
    return {at(across), at(along), at(across + extent.Across), at(along + extent.Along)};
}

struct TLine {
    size_t First = 0;
    size_t Count = 0;
    int64_t Thickness = 0;
    int64_t Length = 0;  // gaps included
};

std::vector<TLine> SplitIntoLines(size_t count, size_t perLine)
{
    std::vector<TLine> lines;
    for (size_t first = 0; first < count; first += perLine)
        lines.push_back({first, std::min(perLine, count - first)});
    return lines;
}

int64_t GapsOf(const TLine& line, int64_t gap)
{
    return static_cast<int64_t>(line.Count - 1) * gap;
}

// The line as one join: as thick as its thickest picture; resampled pictures are brought to
// that thickness with their lengths in proportion, truncated.
void JoinLine(TLine& line, std::span<TExtent> drawn, bool resample, int64_t gap)
{
    const std::span<TExtent> pictures = drawn.subspan(line.First, line.Count);
    for (const TExtent& e : pictures) line.Thickness = std::max(line.Thickness, e.Across);
    int64_t length = GapsOf(line, gap);
    for (TExtent& e : pictures) {
        if (resample) e = {Fitting(e.Along * line.Thickness / e.Across), line.Thickness};
        length += e.Along;
    }
    line.Length = Fitting(length);
}

// A resampled line grown to exactly the longest line's length: its thickness and every picture's
// length grow in the same proportion, and the last picture takes what remains.
void WidenLine(TLine& line, std::span<TExtent> drawn, int64_t longest, int64_t gap)
{
    const std::span<TExtent> pictures = drawn.subspan(line.First, line.Count);
    const int64_t actual = line.Length - GapsOf(line, gap);
    const int64_t target = longest - GapsOf(line, gap);
    line.Thickness = Fitting(line.Thickness * target / actual);
    int64_t used = 0;
    for (size_t k = 0; k < pictures.size(); ++k) {
        TExtent& e = pictures[k];
        e.Along = k + 1 < pictures.size() ? e.Along * target / actual : target - used;
        e.Across = line.Thickness;
        used += e.Along;
    }
    line.Length = longest;
}

TJoinLayout WrappedLines(std::span<const TSize> sizes, const TJoinSettings& settings)
{
    const bool horizontal = settings.Direction == jdHorizontal;
    const bool resample = settings.Method != rmOriginal;
    const int64_t gap = settings.GapPixels();
    std::vector<TExtent> drawn;
    for (const TSize& s : sizes) drawn.push_back(ToExtent(s, horizontal));

    std::vector<TLine> lines = SplitIntoLines(sizes.size(), static_cast<size_t>(settings.Wrap));
    int64_t longest = 0;
    for (TLine& line : lines) {
        JoinLine(line, drawn, resample, gap);
        longest = std::max(longest, line.Length);
    }
    int64_t thickness = 0;
    for (size_t k = 0; k < lines.size(); ++k) {
        if (resample) WidenLine(lines[k], drawn, longest, gap);
        thickness += (k > 0 ? gap : 0) + lines[k].Thickness;
    }
    const TRect frame = settings.Frame();
    Fitting(longest + (horizontal ? frame.Left + frame.Right : frame.Top + frame.Bottom));
    Fitting(thickness + (horizontal ? frame.Top + frame.Bottom : frame.Left + frame.Right));

    TJoinLayout layout;
    int64_t across = 0;
    for (const TLine& line : lines) {
        int64_t along = AlignOffset(longest - line.Length, settings.Align);
        for (size_t i = line.First; i < line.First + line.Count; ++i) {
            const TExtent e = drawn[i];
            const int64_t offset = AlignOffset(line.Thickness - e.Across, settings.Align);
            layout.Placements.push_back(PlaceExtent(along, across + offset, e, horizontal));
            along += e.Along + gap;
        }
        across += line.Thickness + gap;
    }
    layout.Size = horizontal ? TSize{static_cast<int32_t>(longest), static_cast<int32_t>(thickness)}
                             : TSize{static_cast<int32_t>(thickness), static_cast<int32_t>(longest)};
    return layout;
}

}  // namespace

TJoinLayout LayOutJoin(std::span<const TSize> sizes, const TJoinSettings& settings)
{
    if (settings.Wrap <= 0) return SingleLine(sizes, settings);
    return WrappedLines(sizes, settings);
}

std::optional<TJoinLayout> LayOutDrawn(std::span<const TSize> drawnSizes,
                                       const TJoinSettings& settings)
{
    // A resampled single line keeps every size whatever the order and gap; wrapped lines are
    // widened by what the other lines hold.
    if (settings.Method != rmOriginal && settings.Wrap > 0) return std::nullopt;
    TJoinSettings kept = settings;
    kept.Method = rmOriginal;
    return LayOutJoin(drawnSizes, kept);
}

}  // namespace quilmo
