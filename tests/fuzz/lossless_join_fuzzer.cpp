// Any bytes as a JPEG picture put into a file of its own coefficients alone, as a lossless join
// of one picture does (turned upright, in bands, with tables of its own): a clean refusal or
// error, or a JPEG file of the picture's size, the same file whether it is coded from the
// picture's Huffman symbols or from its blocks, that decodes if the picture does (blocks of
// sampling factors libjpeg cannot decode stay so).

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
    TMemoryStream file, fromBlocks;
    try {
        WriteLosslessJpeg(join, file, false);
    } catch (const std::exception&) {
        return 0;
    }
    try {
        WriteLosslessJpeg(join, fromBlocks, false, TLosslessCoding::Blocks);
    } catch (const std::exception&) {
        __builtin_trap();  // the symbols taken from a picture whose blocks cannot be read
    }
    std::vector<uint8_t> bytes = file.TakeBytes();
    if (bytes != fromBlocks.TakeBytes()) __builtin_trap();
    TBigBitmap own;
    try {
        picture.TakePixels(own);
    } catch (const std::exception&) {
        return 0;
    }
    TJPEGImage joined;
    TBigBitmap pixels;
    try {
        joined.LoadHeader(std::move(bytes));
        joined.TakePixels(pixels);
    } catch (const std::exception&) {
        __builtin_trap();
    }
    if (pixels.GetWidth() != join.Size.Width || pixels.GetHeight() != join.Size.Height) __builtin_trap();
    return 0;
}
