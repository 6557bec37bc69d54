#pragma once
// Pictures dragged between the preview and the copy-buffer images: the drag carries the name of
// the image it started from.

#include <QString>

class QMimeData;
class QWidget;

namespace quilmo {

inline const QString kPictureDragFormat = QStringLiteral("application/x-quilmo-picture");
inline const QString kPreviewDragSource = QStringLiteral("preview");

// A drag starts once the pointer has moved this far from where the button went down.
inline constexpr int kDragThreshold = 4;

// Starts dragging the picture of the image called name from source; returns when it is dropped.
void StartPictureDrag(QWidget* source, const QString& name);
// The drag carries a picture of ours; empty when it does not.
QString PictureDragSource(const QMimeData* data);

}  // namespace quilmo
