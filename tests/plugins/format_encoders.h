#pragma once
// The test pictures of the format plug-ins, made by each format's own library, and what the
// libraries themselves decode where a lossy format gives no exact pixels to expect.

#include <jxl/codestream_header.h>
#include <libheif/heif.h>
#include <tiffio.h>

#include <array>
#include <vector>

#include "sample_pictures.h"

namespace quilmo::test {

struct THeifOptions {
    heif_compression_format Compression = heif_compression_HEVC;
    int Bits = 8;
    heif_orientation Orientation = heif_orientation_normal;
};

TBytes EncodeHeif(const TSamplePicture& picture, const THeifOptions& options = {});
// The primary image as libheif itself decodes it, turned as the file says, at the given depth.
TSamplePicture LibheifDecode(const TBytes& file, bool alpha, int bits);

TBytes EncodeWebpLossless(const TSamplePicture& picture);
TBytes EncodeWebpLossy(const TSamplePicture& picture);
// The picture as libwebp itself decodes it into RGB.
TSamplePicture LibwebpDecode(const TBytes& file);
// The picture with an EXIF chunk whose only tag is the orientation; jpegStyle puts the
// "Exif\0\0" of a JPEG segment in front of the TIFF structure, as some writers do.
TBytes WebpWithOrientation(const TBytes& webp, uint16_t orientation, bool jpegStyle);
// Lossless frames a tenth of a second each.
TBytes WebpAnimation(const std::vector<TSamplePicture>& frames);

struct TTiffLayout {
    uint16_t Photometric = PHOTOMETRIC_RGB;
    uint16_t Bits = 8;
    uint16_t Planar = PLANARCONFIG_CONTIG;
    uint16_t Compression = COMPRESSION_NONE;
    uint16_t Orientation = ORIENTATION_TOPLEFT;
    uint16_t Alpha = EXTRASAMPLE_UNASSALPHA;  // for pictures with alpha
    uint32_t Tile = 0;                        // tile side; 0 writes strips of two rows
    bool Big = false;                         // BigTIFF
    std::vector<uint16_t> ColourMap = {};     // red, green, blue entries for a palette
    uint16_t Format = SAMPLEFORMAT_UINT;
    TBytes Icc = {};
    std::array<float, 2> WhitePoint = {};  // x, y; none when 0
};

TBytes EncodeTiff(const TSamplePicture& picture, const TTiffLayout& layout = {});
// A picture of width x height pixels of channels samples whose rows, in strips, are rows: samples
// of the layout's depth and format in the machine's byte order.
TBytes EncodeTiffRows(int32_t width, int32_t height, int channels, const TTiffLayout& layout, const TBytes& rows);

// distance 0 is lossless.
TBytes EncodeJxl(const TSamplePicture& picture, float distance = 0, JxlOrientation orientation = JXL_ORIENT_IDENTITY);
// The picture as libjxl itself decodes it into 8-bit RGB.
TSamplePicture LibjxlDecode(const TBytes& file);

}  // namespace quilmo::test
