#include "big_bitmap_painter.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "bigbitmap/big_bitmap.h"
#include "color/color_profile.h"
#include "core/picture_colors.h"
#include "resample/resample.h"

namespace quilmo {

void DrawBitmap(QPainter& painter, const TBitmap& picture, const QRectF& target)
{
    if (picture.GetWidth() <= 0 || picture.GetHeight() <= 0 || picture.PixelFormat() != pf24bit)
        return;
    // The memory holds the bottom row first: the image is drawn upside down.
    const QImage image(picture.Bits(), picture.GetWidth(), picture.GetHeight(), picture.Stride(),
                       QImage::Format_BGR888);
    painter.save();
    painter.translate(target.left(), target.bottom());
    painter.scale(target.width() / picture.GetWidth(), -target.height() / picture.GetHeight());
    painter.drawImage(QPointF(0, 0), image);
    painter.restore();
}

void DrawBigBitmap(QPainter& painter, const TBigBitmap& picture, const QRectF& target)
{
    if (picture.GetEmpty() || picture.PixelFormat() != bbpf24bit) return;
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
        DrawBitmap(painter, band, area);
    }
}

void PrintBigBitmap(QPainter& painter, TBigBitmap& picture, const TColorProfile& profile,
                    const QRect& target, bool useSSE2)
{
    const int32_t width = std::clamp(target.width(), 1, std::max(picture.GetWidth(), 1));
    const int32_t height = std::clamp(target.height(), 1, std::max(picture.GetHeight(), 1));
    const bool reduces = !picture.GetEmpty() && (width != picture.GetWidth() || height != picture.GetHeight());
    if (!reduces && profile.IsSRGB()) {
        DrawBigBitmap(painter, picture, target);
        return;
    }
    TBigBitmap printed;
    if (reduces)
        BigReduceInto(printed, picture, width, height, useSSE2, std::nullopt, {});
    else
        printed.Assign(&picture);
    ConvertToSRGB(printed, profile);
    DrawBigBitmap(painter, printed, target);
}

}  // namespace quilmo
