#include "big_bitmap_painter.h"

#include <QImage>
#include <QPainter>

#include "bigbitmap/big_bitmap.h"

namespace quilmo {

void DrawBigBitmap(QPainter& painter, const TBigBitmap& picture, const QRectF& target)
{
    if (picture.GetEmpty() || picture.PixelFormat() != bbpf24bit) return;
    const double scaleX = target.width() / picture.GetWidth();
    const double scaleY = target.height() / picture.GetHeight();
    const QRectF clip = painter.hasClipping() ? painter.clipBoundingRect() : QRectF();
    int32_t bandTop = 0;
    for (int i = 0; i < picture.BandCount(); ++i) {
        const TBitmap& band = picture.Band(i);
        const int32_t rows = band.GetHeight();
        const QRectF area(target.left(), target.top() + bandTop * scaleY, target.width(),
                          rows * scaleY);
        bandTop += rows;
        if (!clip.isNull() && !clip.intersects(area)) continue;
        // Band memory holds the bottom row first: the image is drawn upside down.
        const QImage image(band.Bits(), band.GetWidth(), rows, band.Stride(),
                           QImage::Format_BGR888);
        painter.save();
        painter.translate(area.left(), area.bottom());
        painter.scale(scaleX, -scaleY);
        painter.drawImage(QPointF(0, 0), image);
        painter.restore();
    }
}

}  // namespace quilmo
