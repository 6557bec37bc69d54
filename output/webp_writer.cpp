#include "webp_writer.h"

#include <webp/encode.h>

#include <memory>
#include <string>

#include "bgr_rows.h"
#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/errors.h"
#include "stream_sink.h"

namespace quilmo {

namespace {

constexpr int kLosslessQuality = 100;

int WriteToSink(const uint8_t* data, size_t size, const WebPPicture* picture)
{
    return static_cast<TStreamSink*>(picture->custom_ptr)->Write(data, size) ? 1 : 0;
}

struct TFreePicture {
    void operator()(WebPPicture* picture) const { WebPPictureFree(picture); }
};

[[noreturn]] void Fail(const char* what) { throw EWriteError(std::string("Cannot write the WebP picture: ") + what); }

const char* EncodingError(WebPEncodingError error)
{
    switch (error) {
    case VP8_ENC_ERROR_OUT_OF_MEMORY:
    case VP8_ENC_ERROR_BITSTREAM_OUT_OF_MEMORY: return "out of memory";
    case VP8_ENC_ERROR_BAD_DIMENSION: return "bad size";
    case VP8_ENC_ERROR_BAD_WRITE: return "write failed";
    default: return "encoder error";
    }
}

}  // namespace

void CheckWebpSize(int32_t width, int32_t height)
{
    if (width > kMaxWebpSide || height > kMaxWebpSide)
        throw EWriteError("Cannot write the WebP picture: " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels is larger than WebP's " + std::to_string(kMaxWebpSide) + " x " +
                          std::to_string(kMaxWebpSide));
}

void WriteWebp(TBigBitmap& picture, TStream& stream, int quality)
{
    CheckWebpSize(picture.GetWidth(), picture.GetHeight());
    WebPConfig config;
    if (!WebPConfigInit(&config)) Fail("libwebp does not match its header");
    if (quality >= kLosslessQuality)
        config.lossless = 1;
    else
        config.quality = static_cast<float>(quality);

    WebPPicture target;
    if (!WebPPictureInit(&target)) Fail("libwebp does not match its header");
    // Lossless coding works on ARGB; lossy coding converts it to YUV itself.
    target.use_argb = 1;
    target.width = picture.GetWidth();
    target.height = picture.GetHeight();
    if (!WebPPictureAlloc(&target)) Fail("out of memory");
    const std::unique_ptr<WebPPicture, TFreePicture> release(&target);
    TBGRRows rows(picture);
    for (int32_t y = 0; y < target.height; ++y) {
        const uint8_t* bgr = rows.Row(y);
        uint32_t* argb = target.argb + static_cast<size_t>(y) * target.argb_stride;
        for (int32_t x = 0; x < target.width; ++x, bgr += 3)
            argb[x] = 0xFF000000u | uint32_t{bgr[2]} << 16 | uint32_t{bgr[1]} << 8 | bgr[0];
    }

    TStreamSink sink(stream);
    target.writer = WriteToSink;
    target.custom_ptr = &sink;
    if (!WebPEncode(&config, &target)) {
        sink.RethrowFailure();
        Fail(EncodingError(target.error_code));
    }
}

}  // namespace quilmo
