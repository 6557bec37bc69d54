#pragma once
// Colours as the settings store them (0x00BBGGRR, or a system colour such as 0x80000010, the
// button shadow) and as Qt paints them.

#include <QColor>

#include "bigbitmap/geometry.h"

namespace quilmo {

QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

}  // namespace quilmo
