#include "plugins/jxl/jxl_reader.h"

#include <jxl/decode.h>
#include <jxl/thread_parallel_runner.h>

#include <memory>

#include "plugins/dib_writer.h"
#include "plugins/jxl/jxl_decoder.h"
#include "plugins/jxl/jxl_limits.h"
#include "plugins/pixel_converter.h"
#include "plugins/spi_codes.h"

namespace quilmo::spi {

namespace {

struct TDestroyRunner {
    void operator()(void* runner) const { JxlThreadParallelRunnerDestroy(runner); }
};

// The picture libjxl decodes into a buffer of its own layout (top-down rows of 8-bit samples),
// then moved into the DIB. Decoding through libjxl's row callback instead costs it far more
// memory and time.
class TJxlOutput {
public:
    // 0 or an error code; the writer is sized by the picture as it is shown, since libjxl turns
    // it upright itself.
    int32_t Start(const JxlBasicInfo& info)
    {
        if (const int32_t code = FWriter.Allocate(info.xsize, info.ysize, 1)) return code;
        const TAlpha alpha = info.alpha_bits == 0      ? TAlpha::None
                             : info.alpha_premultiplied ? TAlpha::Premultiplied
                                                        : TAlpha::Straight;
        FLayout = {info.num_color_channels == 1 ? 1 : 3, alpha};
        FFormat = {static_cast<uint32_t>(FLayout.Channels()), JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
        return 0;
    }

    int32_t SetBuffer(JxlDecoder* decoder)
    {
        size_t size = 0;
        const size_t rowBytes = size_t{FWriter.StoredWidth()} * FFormat.num_channels;
        if (JxlDecoderImageOutBufferSize(decoder, &FFormat, &size) != JXL_DEC_SUCCESS ||
            size < rowBytes * FWriter.StoredHeight())
            return kBrokenData;
        if (!FPixels.Allocate(size)) return kOutOfMemory;
        return JxlDecoderSetImageOutBuffer(decoder, &FFormat, FPixels.Data.get(), size) == JXL_DEC_SUCCESS ? 0
                                                                                                              : kBrokenData;
    }

    void Finish(TDibBlocks& blocks)
    {
        const TPixelConverter converter(FLayout, 255);
        const size_t rowBytes = size_t{FWriter.StoredWidth()} * FFormat.num_channels;
        for (uint32_t y = 0; y < FWriter.StoredHeight(); ++y)
            converter.Put(FPixels.Data.get() + y * rowBytes, FWriter.StoredWidth(), FWriter.StoredRow(y));
        FWriter.TakeBlocks(blocks);
    }

private:
    TDibWriter FWriter;
    TSampleLayout FLayout;
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
            if (const int32_t code = output.Start(info)) return code;
            break;
        }
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
        JxlDecoderSubscribeEvents(decoder.get(), JXL_DEC_BASIC_INFO | JXL_DEC_FULL_IMAGE) != JXL_DEC_SUCCESS ||
        JxlDecoderSetInput(decoder.get(), data, size) != JXL_DEC_SUCCESS)
        return kInternalError;
    JxlDecoderCloseInput(decoder.get());
    TJxlOutput output;
    if (const int32_t code = Decode(decoder.get(), output)) return code;
    output.Finish(blocks);
    return 0;
}

}  // namespace quilmo::spi
