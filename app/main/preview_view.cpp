#include "preview_view.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include "app/shell/big_bitmap_painter.h"
#include "bigbitmap/big_bitmap.h"
#include "app/shell/picture_drag.h"

namespace quilmo {

TPreviewView::TPreviewView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("iview"));
    setAcceptDrops(true);
}

void TPreviewView::SetPicture(const TBigBitmap* picture, bool scaled)
{
    FPicture = picture && !picture->GetEmpty() ? picture : nullptr;
    FScaled = scaled;
    update();
}

QRect TPreviewView::PictureRect() const
{
    if (!FPicture) return {};
    const double width = FPicture->GetWidth();
    const double height = FPicture->GetHeight();
    QSize shown(FPicture->GetWidth(), FPicture->GetHeight());
    if (FScaled) {
        // Largest size with the picture's proportions, small pictures enlarged too; truncated.
        const double scale = std::min(this->width() / width, this->height() / height);
        shown = QSize(static_cast<int>(width * scale), static_cast<int>(height * scale));
    }
    return QRect(QPoint((this->width() - shown.width()) / 2, (this->height() - shown.height()) / 2),
                 shown);
}

void TPreviewView::paintEvent(QPaintEvent*)
{
    if (!FPicture) return;
    QPainter painter(this);
    painter.setClipRect(rect());
    DrawBigBitmap(painter, *FPicture, PictureRect());
}

void TPreviewView::resizeEvent(QResizeEvent*)
{
    emit Resized();
}

void TPreviewView::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        emit ContextMenuRequested(point);
        return;
    }
    const bool dragButton =
        event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton;
    if (dragButton && FPicture && CanStartDrag && CanStartDrag(point)) FDragStart = point;
}

void TPreviewView::mouseMoveEvent(QMouseEvent* event)
{
    if (!FDragStart) return;
    if ((event->position().toPoint() - *FDragStart).manhattanLength() < kDragThreshold) return;
    FDragStart.reset();
    StartPictureDrag(this, kPreviewDragSource);
}

void TPreviewView::mouseReleaseEvent(QMouseEvent*)
{
    FDragStart.reset();
}

void TPreviewView::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void TPreviewView::dragMoveEvent(QDragMoveEvent* event)
{
    // Files from a file manager are left to the window.
    if (PictureDragSource(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void TPreviewView::dropEvent(QDropEvent* event)
{
    const QString source = PictureDragSource(event->mimeData());
    if (source.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit PictureDropped(event->position().toPoint(), source);
}

}  // namespace quilmo
