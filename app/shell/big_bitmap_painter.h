#pragma once
// Drawing our bitmaps with Qt without copying their pixels: each standard bitmap (and each band
// of a large one) is wrapped in a QImage over its own memory.

#include <QRect>
#include <QRectF>

class QPainter;

namespace quilmo {

class TBigBitmap;
class TBitmap;
class TColorProfile;

// Draws picture (24 bits) stretched onto target.
void DrawBitmap(QPainter& painter, const TBitmap& picture, const QRectF& target);
// The same for a large bitmap, band by band; bands outside the painter's clip are skipped.
void DrawBigBitmap(QPainter& painter, const TBigBitmap& picture, const QRectF& target);
// The same for a printer, whose target is in device pixels: a picture with more pixels than
// that is box-averaged down to them first, so the job carries what the page can show rather
// than every pixel of a very large picture. A picture in other colours than sRGB (profile) is
// converted into sRGB on its way to the printer.
void PrintBigBitmap(QPainter& painter, TBigBitmap& picture, const TColorProfile& profile,
                    const QRect& target, bool useSSE2);

}  // namespace quilmo
