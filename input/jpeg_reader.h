#pragma once
// One libjpeg decompressor over the bytes of a JPEG file, released in every case: its header
// (size, EXIF orientation, embedded profile), then either its pixels or its quantised DCT
// coefficients. Missing or damaged data fails instead of giving a picture padded with grey.

#include <cstdint>
#include <span>

#include "color/color_profile.h"
#include "jpeg_error.h"

namespace quilmo {

class TPictureRows;

class TJpegReader {
public:
    // Refuses a file that ends inside a segment or before every scan has begun (JpegEnding)
    // before anything is allocated. bytes must outlive the reader.
    explicit TJpegReader(std::span<const uint8_t> bytes);
    ~TJpegReader();
    TJpegReader(const TJpegReader&) = delete;
    TJpegReader& operator=(const TJpegReader&) = delete;

    // Reads the markers up to the first scan and picks the output colours.
    void ReadHeader();

    int32_t StoredWidth() const { return static_cast<int32_t>(FInfo.image_width); }
    int32_t StoredHeight() const { return static_cast<int32_t>(FInfo.image_height); }
    // The EXIF orientation, 1 to 8.
    int Orientation() const { return FOrientation; }
    bool IsCmyk() const { return FInfo.jpeg_color_space == JCS_CMYK || FInfo.jpeg_color_space == JCS_YCCK; }
    // The embedded profile, when it describes the file's kind of pixels.
    TColorProfile Profile();

    // Decodes the picture upright into rows (of the upright size); CMYK pixels come out in
    // sRGB, through the file's CMYK profile when it has one.
    void ReadPixels(TPictureRows& rows);
    // Reads every scan: one array of blocks per component, valid while the reader lives.
    jvirt_barray_ptr* ReadCoefficients();

    // The header as libjpeg read it.
    j_decompress_ptr Info() { return &FInfo; }

    // Runs call, one library call, raising EInvalidGraphic with the library's message when it
    // fails.
    template <typename F>
    void Call(const F& call)
    {
        if (!JpegCall(FErrors, call)) Fail(FErrors.Message);
    }

    // Raises EInvalidGraphic("Invalid JPEG picture: <message>", in the user's language).
    [[noreturn]] static void Fail(const char* message);

private:
    void ReadScanline(uint8_t* row);

    std::span<const uint8_t> FBytes;
    jpeg_decompress_struct FInfo{};
    TJpegErrorManager FErrors;
    int FOrientation = 1;
};

}  // namespace quilmo
