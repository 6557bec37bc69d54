#pragma once
// The drawing surface of a TBigBitmap in picture coordinates. Every operation is replayed on
// each band's own canvas with the band's window origin moved down by the rows above it, so one
// call paints whatever part of the picture falls into each band.

#include <optional>

#include "geometry.h"

namespace quilmo {

class TBigBitmap;
class TGraphic;

class TBigBitmapCanvas {
public:
    explicit TBigBitmapCanvas(TBigBitmap& bitmap) : FBitmap(bitmap) {}

    TColor BrushColor = clWhite;

    void FillRect(const TRect& rect);
    void MoveTo(int32_t x, int32_t y);
    void StretchDraw(const TRect& rect, TGraphic& graphic);
    // Draw the source rectangle of graphic, scaled, into dest, clipped to dest.
    void CopyRect(const TRect& dest, TGraphic& graphic, const TRect& source);

    // Clip rectangle in picture coordinates; none normally.
    const std::optional<TRect>& ClipRgn() const { return FClipRgn; }

    // Bring every band canvas in line with this one (brush, origin, clip), and back to origin 0.
    void PrepareBands();
    void ResetOrigins();
    // Put the clip rectangle on every band, shifted into the band's rows. Unless forced, bands
    // that already carry a clip are left as they are.
    void SetupClipRgn(bool force);

private:
    TBigBitmap& FBitmap;
    std::optional<TRect> FClipRgn;
};

}  // namespace quilmo
