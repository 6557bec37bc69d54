#pragma once
// The drawing surface of a standard bitmap: solid fill, nearest-neighbour stretch copy, a
// window origin and a rectangular clip. Drawing calls take logical coordinates; a logical point
// p lands on the bitmap pixel p - WindowOrg. The clip rectangle is in bitmap pixels.

#include <optional>

#include "geometry.h"

namespace quilmo {

class TBitmap;
class TGraphic;

class TCanvas {
public:
    explicit TCanvas(TBitmap& bitmap) : FBitmap(bitmap) {}

    TBitmap& Bitmap() { return FBitmap; }

    TColor BrushColor = clWhite;
    TPoint PenPos;

    TPoint WindowOrg() const { return FWindowOrg; }
    void SetWindowOrg(TPoint origin) { FWindowOrg = origin; }
    const std::optional<TRect>& ClipRect() const { return FClipRect; }
    void SetClipRect(const std::optional<TRect>& clip) { FClipRect = clip; }

    // Paint rect with BrushColor (the nearest palette colour on indexed bitmaps).
    void FillRect(const TRect& rect);
    void MoveTo(int32_t x, int32_t y) { PenPos = {x, y}; }
    // Let graphic draw itself into rect.
    void StretchDraw(const TRect& rect, TGraphic& graphic);
    // Copy sourceRect of source's bitmap into dest, scaled by nearest neighbour. A dest with
    // Right < Left (or Bottom < Top) is drawn mirrored. Pixel values are taken over as they are
    // when both bitmaps have the same format; otherwise colours are converted.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
    // Like CopyRect, but colours always go through the palettes of both bitmaps.
    void StretchBitmap(const TRect& dest, const TBitmap& source, const TRect& sourceRect);

private:
    // The bitmap area drawing may touch: the bitmap clipped by the clip rectangle.
    TRect DrawableArea() const;

    TBitmap& FBitmap;
    TPoint FWindowOrg;
    std::optional<TRect> FClipRect;
};

}  // namespace quilmo
