#pragma once
// JPEG pictures (".jpg", ".jpeg", ".jpe") through libjpeg. Greyscale and CMYK pictures come out
// in colour (CMYK ones in sRGB, through their profile when they carry one), and the EXIF
// orientation is applied: the graphic is upright and reports the upright size. The embedded ICC
// profile of a greyscale or colour picture is its profile.

#include <memory>
#include <string>

#include "compressed_graphic.h"

namespace quilmo {

class TJPEGImage : public TCompressedGraphic {
public:
    const char* ClassName() const override { return "TJPEGImage"; }

protected:
    std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TJPEGImage>(); }
    THeader ReadHeader(std::span<const uint8_t> bytes) const override;
    void Decode(std::span<const uint8_t> bytes, TPictureRows& rows) const override;
};

// The JPEG picture of path with only its header read, as a join of its own coefficients needs
// it; nothing when the extension of path names another kind of file (or none). Raises
// EReadError naming path when the file cannot be read.
std::unique_ptr<TJPEGImage> ReadJpegHeader(const std::string& path);

}  // namespace quilmo
