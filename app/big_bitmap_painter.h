#pragma once
// Drawing a large bitmap with Qt band by band: each band is wrapped in a QImage over its own
// memory, so no image of the whole picture is ever made.

#include <QRectF>

class QPainter;

namespace quilmo {

class TBigBitmap;

// Draws picture (24 bits) stretched onto target. Bands outside the painter's clip are skipped.
void DrawBigBitmap(QPainter& painter, const TBigBitmap& picture, const QRectF& target);

}  // namespace quilmo
