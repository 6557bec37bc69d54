#include "jpeg_image.h"

#include <stdexcept>

#include "bigbitmap/errors.h"
#include "bigbitmap/stream.h"
#include "file_extension.h"
#include "graphic_registry.h"
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

std::unique_ptr<TJPEGImage> ReadJpegHeader(const std::string& path)
{
    const TGraphicFactory factory = FindGraphicFormat(LowerExt(path));
    if (!factory) return nullptr;
    std::unique_ptr<TGraphic> picture = factory();
    if (!dynamic_cast<TJPEGImage*>(picture.get())) return nullptr;
    std::unique_ptr<TJPEGImage> jpeg(static_cast<TJPEGImage*>(picture.release()));
    try {
        TFileStream file(path, TFileMode::fmOpenRead);
        jpeg->LoadHeader(file.ReadRest());
    } catch (const std::exception& e) {
        throw EReadError(path + ": " + e.what());
    }
    return jpeg;
}

}  // namespace quilmo
