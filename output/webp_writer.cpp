#include "webp_writer.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <memory>
#include <string>

#include "bgr_rows.h"
#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/errors.h"
#include "color/color_profile.h"
#include "stream_sink.h"
#include "write_failure.h"
#include "bigbitmap/ui_text.h"

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
struct TClearMemory {
    void operator()(WebPMemoryWriter* memory) const { WebPMemoryWriterClear(memory); }
};
struct TDeleteMux {
    void operator()(WebPMux* mux) const { WebPMuxDelete(mux); }
};
struct TClearData {
    void operator()(WebPData* data) const { WebPDataClear(data); }
};

[[noreturn]] void Fail(const char* what) { FailToWrite("WebP", what); }

// The encoded picture with the profile's ICCP chunk, into sink.
void WriteWithProfile(const WebPMemoryWriter& encoded, const TColorProfile& profile, TStreamSink& sink)
{
    const std::unique_ptr<WebPMux, TDeleteMux> mux(WebPMuxNew());
    if (!mux) Fail("out of memory");
    const WebPData image{encoded.mem, encoded.size};
    const std::span<const uint8_t> icc = profile.Bytes();
    const WebPData chunk{icc.data(), icc.size()};
    WebPData assembled{};
    const std::unique_ptr<WebPData, TClearData> release(&assembled);
    if (WebPMuxSetImage(mux.get(), &image, 0) != WEBP_MUX_OK || WebPMuxSetChunk(mux.get(), "ICCP", &chunk, 0) != WEBP_MUX_OK ||
        WebPMuxAssemble(mux.get(), &assembled) != WEBP_MUX_OK)
        Fail("cannot add the colour profile");
    if (!sink.Write(assembled.bytes, assembled.size)) {
        sink.RethrowFailure();
        Fail("write failed");
    }
}

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
        FailToWrite("WebP", FillIn(UiText(UI_TEXT("quilmo", "%1 x %2 ピクセルは WebP の上限 %3 x %3 を超えています")),
                                   {std::to_string(width), std::to_string(height), std::to_string(kMaxWebpSide)}));
}

void WriteWebp(TBigBitmap& picture, TStream& stream, int quality, const TColorProfile& profile)
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
    if (profile.IsSRGB()) {
        target.writer = WriteToSink;
        target.custom_ptr = &sink;
        if (!WebPEncode(&config, &target)) {
            sink.RethrowFailure();
            Fail(EncodingError(target.error_code));
        }
        return;
    }
    // The profile's chunk goes in front of the picture's, so the picture is made in memory first.
    WebPMemoryWriter encoded;
    WebPMemoryWriterInit(&encoded);
    const std::unique_ptr<WebPMemoryWriter, TClearMemory> clear(&encoded);
    target.writer = WebPMemoryWrite;
    target.custom_ptr = &encoded;
    if (!WebPEncode(&config, &target)) Fail(EncodingError(target.error_code));
    WriteWithProfile(encoded, profile, sink);
}

}  // namespace quilmo
