#include "batch_preview.h"

#include <QPainter>
#include <algorithm>

#include "app/shell/big_bitmap_painter.h"
#include "bigbitmap/bitmap.h"
#include "resample/resample.h"

namespace quilmo {

namespace {

// The largest side a preview keeps; larger pictures are reduced once when they arrive.
constexpr int kKeptSide = 640;

// The scale that fits width x height into room without enlarging.
double FitScale(int width, int height, QSize room)
{
    return std::min({1.0, double(room.width()) / width, double(room.height()) / height});
}

}  // namespace

TBatchPreview::TBatchPreview(const char* name, const QString& caption, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QString::fromLatin1(name));
    setAccessibleName(caption);
}

TBatchPreview::~TBatchPreview() = default;

void TBatchPreview::SetPicture(const TBitmap* picture)
{
    FPicture.reset();
    if (picture && picture->GetWidth() > 0 && picture->GetHeight() > 0) {
        FPicture = std::make_unique<TBitmap>();
        FPicture->Assign(const_cast<TBitmap*>(picture));
        const int width = FPicture->GetWidth();
        const int height = FPicture->GetHeight();
        const double scale = FitScale(width, height, QSize(kKeptSide, kKeptSide));
        if (scale < 1)
            ReduceBy(*FPicture, std::max(1, int(width * scale)), std::max(1, int(height * scale)),
                     HasSSE2());
    }
    update();
}

void TBatchPreview::paintEvent(QPaintEvent*)
{
    if (!FPicture) return;
    const double scale = FitScale(FPicture->GetWidth(), FPicture->GetHeight(), size());
    const QSizeF shown(FPicture->GetWidth() * scale, FPicture->GetHeight() * scale);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    DrawBitmap(
        painter, *FPicture,
        QRectF(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown));
}

}  // namespace quilmo
