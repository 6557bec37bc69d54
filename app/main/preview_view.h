#pragma once
// The preview `iview`: shows the joined picture (or its reduced copy) centred, at 1:1 or scaled
// to fit, and turns clicks, drags and drops on it into requests for the main window.

#include <QPoint>
#include <QWidget>
#include <functional>
#include <optional>

namespace quilmo {

class TBigBitmap;

class TPreviewView : public QWidget {
    Q_OBJECT
public:
    explicit TPreviewView(QWidget* parent = nullptr);

    // The picture stays owned by the caller and unchanged until the next call; none: empty.
    void SetPicture(const TBigBitmap* picture, bool scaled);
    const TBigBitmap* Picture() const { return FPicture; }
    bool Scaled() const { return FScaled; }
    // Where the picture lies in the view.
    QRect PictureRect() const;

    // Asked when a left or middle button goes down: may a drag start from this point?
    std::function<bool(QPoint)> CanStartDrag;

signals:
    void ContextMenuRequested(QPoint point);
    // A dragged picture was dropped at point; source names the image it came from.
    void PictureDropped(QPoint point, const QString& source);
    void Resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    const TBigBitmap* FPicture = nullptr;
    bool FScaled = false;
    // Where a possible drag began; null when none is pending.
    std::optional<QPoint> FDragStart;
};

}  // namespace quilmo
