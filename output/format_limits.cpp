#include "format_limits.h"

#include "webp_writer.h"

namespace quilmo {

void CheckFormatHolds(TPictureFileFormat format, const TDIBLayout& layout)
{
    switch (format) {
    case TPictureFileFormat::JPEG: CheckJpegSize(layout.Width, layout.Height); break;
    case TPictureFileFormat::BMP: CheckBmpFileSize(layout); break;
    case TPictureFileFormat::WebP: CheckWebpSize(layout.Width, layout.Height); break;
    case TPictureFileFormat::PNG: break;
    }
}

}  // namespace quilmo
