#pragma once
// Pictures dragged between the preview and the copy-buffer images: the drag carries the name of
// the image it started from.

#include <QString>

namespace quilmo {

inline const QString kPictureDragFormat = QStringLiteral("application/x-quilmo-picture");
inline const QString kPreviewDragSource = QStringLiteral("preview");

// A drag starts once the pointer has moved this far from where the button went down.
inline constexpr int kDragThreshold = 4;

}  // namespace quilmo
