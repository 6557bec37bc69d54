#include "canvas.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "bitmap.h"
#include "pixels.h"

namespace quilmo {

namespace {

// How the pixels of one axis of a destination rectangle pick their source pixels: the
// destination covers [first, last) on the bitmap; pixel p reads source index Source(p).
// A negative extent (Right < Left) covers the pixels just left of its start, mirrored.
class TAxisMap {
public:
    TAxisMap(int64_t destStart, int64_t destEnd, int32_t sourceStart, int32_t sourceEnd)
        : FDestStart(destStart),
          FDestExtent(destEnd - destStart),
          FSourceStart(sourceStart),
          FSourceExtent(int64_t{sourceEnd} - sourceStart)
    {
    }

    bool Empty() const { return FDestExtent == 0 || FSourceExtent == 0; }
    int64_t First() const { return FDestExtent > 0 ? FDestStart : FDestStart + FDestExtent + 1; }
    int64_t Last() const { return FDestExtent > 0 ? FDestStart + FDestExtent : FDestStart + 1; }
    int64_t Source(int64_t p) const
    {
        // Both factors stay below 2^32, so their product fits 64 unsigned bits.
        const uint64_t u = FDestExtent > 0 ? p - FDestStart : FDestStart - p;
        const auto s = static_cast<int64_t>(u * std::abs(FSourceExtent) / std::abs(FDestExtent));
        return FSourceExtent > 0 ? FSourceStart + s : FSourceStart - s;
    }
    // True when pixel p reads source pixel p + Shift() for every p: a plain copy.
    bool Straight() const { return FDestExtent == FSourceExtent && FDestExtent > 0; }

private:
    int64_t FDestStart;
    int64_t FDestExtent;
    int64_t FSourceStart;
    int64_t FSourceExtent;
};

// Copy the pixels of one destination row from a source row through a column table.
void CopyRowPixels(uint8_t* to, const uint8_t* from, const std::vector<int32_t>& columns,
                   int64_t firstColumn, const TBitmap& dest, const TBitmap& source,
                   const std::vector<uint32_t>& indexMap, bool raw)
{
    const TPixelFormat df = dest.PixelFormat();
    const TPixelFormat sf = source.PixelFormat();
    if (df == pf24bit && sf == pf24bit) {
        for (size_t i = 0; i < columns.size(); ++i) {
            if (columns[i] < 0) continue;
            std::memcpy(to + 3 * (firstColumn + i), from + 3 * int64_t{columns[i]}, 3);
        }
        return;
    }
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] < 0) continue;
        uint32_t value = ReadRawPixel(from, columns[i], sf);
        if (!indexMap.empty())
            value = indexMap[value];
        else if (!raw)
            value = EncodePixel(DecodePixel(value, sf, source.Palette()), df, dest.Palette());
        WriteRawPixel(to, firstColumn + static_cast<int64_t>(i), df, value);
    }
}

void StretchPixels(TCanvas& canvas, const TRect& destArea, const TRect& dest,
                   const TBitmap& source, const TRect& sourceRect, bool rawWhenSameFormat)
{
    TBitmap& target = canvas.Bitmap();
    const TPoint origin = canvas.WindowOrg();
    const TAxisMap xs(int64_t{dest.Left} - origin.X, int64_t{dest.Right} - origin.X, sourceRect.Left,
                      sourceRect.Right);
    const TAxisMap ys(int64_t{dest.Top} - origin.Y, int64_t{dest.Bottom} - origin.Y, sourceRect.Top,
                      sourceRect.Bottom);
    if (xs.Empty() || ys.Empty() || source.GetEmpty()) return;
    const int64_t x0 = std::max<int64_t>(xs.First(), destArea.Left);
    const int64_t x1 = std::min<int64_t>(xs.Last(), destArea.Right);
    const int64_t y0 = std::max<int64_t>(ys.First(), destArea.Top);
    const int64_t y1 = std::min<int64_t>(ys.Last(), destArea.Bottom);
    if (x0 >= x1 || y0 >= y1) return;

    const TPixelFormat df = target.PixelFormat();
    const TPixelFormat sf = source.PixelFormat();
    const bool sameFormat = df == sf;
    const bool raw = sameFormat && (rawWhenSameFormat || !IsIndexedFormat(sf) ||
                                    source.Palette() == target.Palette());
    const int bits = PixelFormatBits(df);
    const int64_t firstSource = xs.Source(x0);
    const bool rowCopy = raw && xs.Straight() && bits >= 8 && firstSource >= 0 &&
                         firstSource + (x1 - x0) <= source.GetWidth();

    std::vector<int32_t> columns;
    std::vector<uint32_t> indexMap;
    if (!rowCopy) {
        columns.resize(static_cast<size_t>(x1 - x0));
        for (int64_t x = x0; x < x1; ++x) {
            const int64_t s = xs.Source(x);
            columns[x - x0] = s >= 0 && s < source.GetWidth() ? static_cast<int32_t>(s) : -1;
        }
        // Indexed sources are converted once per index; those past the palette are black.
        if (!raw && IsIndexedFormat(sf)) {
            indexMap.resize(size_t{1} << PixelFormatBits(sf));
            for (size_t i = 0; i < indexMap.size(); ++i)
                indexMap[i] = EncodePixel(DecodePixel(static_cast<uint32_t>(i), sf, source.Palette()),
                                          df, target.Palette());
        }
    }
    for (int64_t y = y0; y < y1; ++y) {
        const int64_t sy = ys.Source(y);
        if (sy < 0 || sy >= source.GetHeight()) continue;
        uint8_t* to = target.ScanLine(static_cast<int32_t>(y));
        const uint8_t* from = source.ScanLine(static_cast<int32_t>(sy));
        if (rowCopy)
            std::memcpy(to + x0 * bits / 8, from + firstSource * bits / 8,
                        static_cast<size_t>((x1 - x0) * bits / 8));
        else
            CopyRowPixels(to, from, columns, x0, target, source, indexMap, raw);
    }
    target.SetModified(true);
}

}  // namespace

TRect TCanvas::DrawableArea() const
{
    const TRect whole{0, 0, FBitmap.GetWidth(), FBitmap.GetHeight()};
    return FClipRect ? IntersectRects(whole, *FClipRect) : whole;
}

void TCanvas::FillRect(const TRect& rect)
{
    const TRect device = MoveRect(rect, -int64_t{FWindowOrg.X}, -int64_t{FWindowOrg.Y});
    const TRect area = IntersectRects(device, DrawableArea());
    if (area.IsEmpty()) return;
    const TPixelFormat format = FBitmap.PixelFormat();
    const uint32_t value = EncodePixel({ColorBlue(BrushColor), ColorGreen(BrushColor), ColorRed(BrushColor)},
                                       format, FBitmap.Palette());
    const int bits = PixelFormatBits(format);
    if (bits >= 8) {
        // Paint one row pixel by pixel, then copy it down.
        const int bytes = bits / 8;
        uint8_t* first = FBitmap.ScanLine(area.Top) + int64_t{area.Left} * bytes;
        for (int32_t x = 0; x < area.Width(); ++x) WriteRawPixel(first, x, format, value);
        const auto rowBytes = static_cast<size_t>(int64_t{area.Width()} * bytes);
        for (int32_t y = area.Top + 1; y < area.Bottom; ++y)
            std::memcpy(FBitmap.ScanLine(y) + int64_t{area.Left} * bytes, first, rowBytes);
    } else {
        for (int32_t y = area.Top; y < area.Bottom; ++y) {
            uint8_t* row = FBitmap.ScanLine(y);
            for (int32_t x = area.Left; x < area.Right; ++x) WriteRawPixel(row, x, format, value);
        }
    }
    FBitmap.SetModified(true);
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic& graphic)
{
    graphic.Draw(*this, rect);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect)
{
    StretchPixels(*this, DrawableArea(), dest, source.Bitmap(), sourceRect, true);
}

void TCanvas::StretchBitmap(const TRect& dest, const TBitmap& source, const TRect& sourceRect)
{
    StretchPixels(*this, DrawableArea(), dest, source, sourceRect, false);
}

}  // namespace quilmo
