#include "plugins/jxl/jxl_reader.h"

#include <jxl/decode.h>
#include <jxl/thread_parallel_runner.h>

#include <memory>

#include "plugins/decoded_rows.h"
#include "plugins/jxl/jxl_colours.h"
#include "plugins/jxl/jxl_decoder.h"
#include "plugins/jxl/jxl_limits.h"
#include "plugins/pixel_limit.h"
#include "plugins/spi_codes.h"

namespace quilmo::spi {

namespace {

struct TDestroyRunner {
    void operator()(void* runner) const { JxlThreadParallelRunnerDestroy(runner); }
};

// The picture libjxl decodes into a buffer of its own layout (top-down rows of 8-bit samples,
// 16-bit ones for pictures of high dynamic range), then moved into the DIB. Decoding through
// libjxl's row callback instead costs it far more memory and time.
class TJxlOutput {
public:
    void Start(const JxlBasicInfo& info) { FInfo = info; }

    // The colours libjxl will give, and the samples that hold them.
    void SetColours(JxlDecoder* decoder)
    {
        FColours = DecodedColours(decoder, FInfo);
        const TAlpha alpha = FInfo.alpha_bits == 0      ? TAlpha::None
                             : FInfo.alpha_premultiplied ? TAlpha::Premultiplied
                                                         : TAlpha::Straight;
        // The tone map takes red, green and blue.
        const bool grey = FInfo.num_color_channels == 1 && !FColours.HdrTransfer;
        FRows.Layout = {grey ? 1 : 3, alpha};
        FRows.Deep = FColours.HdrTransfer != 0;
        FRows.MaxValue = FRows.Deep ? 65535 : 255;
        FFormat = {static_cast<uint32_t>(FRows.Layout.Channels()), FRows.Deep ? JXL_TYPE_UINT16 : JXL_TYPE_UINT8,
                   JXL_NATIVE_ENDIAN, 0};
    }

    // 0 or an error code; the picture is as it is shown, since libjxl turns it upright itself.
    int32_t SetBuffer(JxlDecoder* decoder)
    {
        if (!PicturePixelsAllowed(FInfo.xsize, FInfo.ysize)) return kOutOfMemory;
        size_t size = 0;
        FRows.Stride = size_t{FInfo.xsize} * FFormat.num_channels * (FRows.Deep ? 2 : 1);
        if (JxlDecoderImageOutBufferSize(decoder, &FFormat, &size) != JXL_DEC_SUCCESS ||
            size < FRows.Stride * FInfo.ysize)
            return kBrokenData;
        if (!FPixels.Allocate(size)) return kOutOfMemory;
        FRows.Top = FPixels.Data.get();
        return JxlDecoderSetImageOutBuffer(decoder, &FFormat, FPixels.Data.get(), size) == JXL_DEC_SUCCESS ? 0
                                                                                                              : kBrokenData;
    }

    int32_t Finish(TDibBlocks& blocks)
    {
        return PutDecodedPicture(FRows, FInfo.xsize, FInfo.ysize, FColours, blocks);
    }

private:
    JxlBasicInfo FInfo{};
    TPictureColours FColours;
    TDecodedRows FRows;
    JxlPixelFormat FFormat{};
    TMallocBlock FPixels;
};

// Decodes up to the first frame's pixels; 0 or an error code.
int32_t Decode(JxlDecoder* decoder, TJxlOutput& output)
{
    for (;;) {
        switch (JxlDecoderProcessInput(decoder)) {
        case JXL_DEC_BASIC_INFO: {
            JxlBasicInfo info;
            if (JxlDecoderGetBasicInfo(decoder, &info) != JXL_DEC_SUCCESS) return kBrokenData;
            output.Start(info);
            break;
        }
        case JXL_DEC_COLOR_ENCODING:
            output.SetColours(decoder);
            break;
        case JXL_DEC_NEED_IMAGE_OUT_BUFFER:
            if (const int32_t code = output.SetBuffer(decoder)) return code;
            break;
        case JXL_DEC_FULL_IMAGE:
            return 0;  // the first frame is the picture
        case JXL_DEC_ERROR:
        case JXL_DEC_NEED_MORE_INPUT:  // all input was given: the file is cut short
        case JXL_DEC_SUCCESS:          // the end without a frame
            return kBrokenData;
        default:
            break;
        }
    }
}

}  // namespace

bool LooksLikeJxl(const uint8_t* data, size_t size)
{
    if (!data) return false;
    const JxlSignature signature = JxlSignatureCheck(data, size);
    return signature == JXL_SIG_CODESTREAM || signature == JXL_SIG_CONTAINER;
}

int32_t DecodeJxl(const uint8_t* data, size_t size, TDibBlocks& blocks)
{
    if (!LooksLikeJxl(data, size)) return kUnknownFormat;
    if (const int32_t code = CheckJxlDecoding(data, size)) return code;
    const TJxlDecoder decoder(JxlDecoderCreate(nullptr));
    const std::unique_ptr<void, TDestroyRunner> runner(
        JxlThreadParallelRunnerCreate(nullptr, JxlThreadParallelRunnerDefaultNumWorkerThreads()));
    if (!decoder || !runner) return kOutOfMemory;
    if (JxlDecoderSetParallelRunner(decoder.get(), JxlThreadParallelRunner, runner.get()) != JXL_DEC_SUCCESS ||
        JxlDecoderSubscribeEvents(decoder.get(), JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE) != JXL_DEC_SUCCESS ||
        JxlDecoderSetInput(decoder.get(), data, size) != JXL_DEC_SUCCESS)
        return kInternalError;
    JxlDecoderCloseInput(decoder.get());
    TJxlOutput output;
    if (const int32_t code = Decode(decoder.get(), output)) return code;
    return output.Finish(blocks);
}

}  // namespace quilmo::spi
