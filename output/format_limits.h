#pragma once
// What each file format can hold, checked before a file is touched, so that a picture a format
// cannot take is refused with the reason and nothing is written.

#include "bigbitmap/dib_writer.h"
#include "picture_file.h"

namespace quilmo {

// Raises EWriteError when format cannot hold a picture laid out as layout (its size, bits per
// pixel and colours). PNG holds any picture a big bitmap does.
void CheckFormatHolds(TPictureFileFormat format, const TDIBLayout& layout);

}  // namespace quilmo
