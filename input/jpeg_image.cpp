#include "jpeg_image.h"

#include "jpeg_reader.h"
#include "oriented_rows.h"

namespace quilmo {

TCompressedGraphic::THeader TJPEGImage::ReadHeader(std::span<const uint8_t> bytes) const
{
    TJpegReader reader(bytes);
    reader.ReadHeader();
    CheckPictureSize("JPEG", reader.StoredWidth(), reader.StoredHeight());
    // CMYK pixels are decoded into sRGB.
    TColorProfile profile = reader.IsCmyk() ? TColorProfile() : reader.Profile();
    if (OrientationSwapsSides(reader.Orientation()))
        return {reader.StoredHeight(), reader.StoredWidth(), std::move(profile)};
    return {reader.StoredWidth(), reader.StoredHeight(), std::move(profile)};
}

void TJPEGImage::Decode(std::span<const uint8_t> bytes, TPictureRows& rows) const
{
    TJpegReader reader(bytes);
    reader.ReadHeader();
    reader.ReadPixels(rows);
}

}  // namespace quilmo
