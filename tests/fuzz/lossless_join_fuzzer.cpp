// Any bytes as a JPEG picture put into a file of its own coefficients alone, as a lossless join
// of one picture does (turned upright, in bands, with tables of its own): a clean refusal or
// error, or a JPEG file of the picture's size that decodes.

#include <exception>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/pixel_limit.h"
#include "bigbitmap/stream.h"
#include "input/jpeg_image.h"
#include "output/lossless_join.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace quilmo;
    // Larger pictures are refused from their header, so that the time goes to the join.
    static const bool limited = (SetMaxPicturePixels(int64_t{1} << 20), true);
    (void)limited;
    TJPEGImage picture;
    try {
        picture.LoadHeader(std::vector<uint8_t>(data, data + size));
    } catch (const std::exception&) {
        return 0;
    }
    const TSize upright{picture.GetWidth(), picture.GetHeight()};
    const TLosslessJoin join = LosslessJoinByRule({{"a", &picture, {}}}, {&upright, 1}, {});
    TMemoryStream file;
    try {
        WriteLosslessJpeg(join, file, false);
    } catch (const std::exception&) {
        return 0;
    }
    TJPEGImage joined;
    TBigBitmap pixels;
    try {
        joined.LoadHeader(file.TakeBytes());
        joined.TakePixels(pixels);
    } catch (const std::exception&) {
        __builtin_trap();
    }
    if (pixels.GetWidth() != join.Size.Width || pixels.GetHeight() != join.Size.Height) __builtin_trap();
    return 0;
}
