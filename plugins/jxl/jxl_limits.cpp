#include "plugins/jxl/jxl_limits.h"

#include "plugins/jxl/jxl_decoder.h"
#include "plugins/pixel_limit.h"
#include "plugins/spi_codes.h"

namespace quilmo::spi {

namespace {

constexpr uint64_t kSamplesAtTheLimit = 4 * 4;

// The samples still allowed, taken away as the picture, its preview and its layers declare them.
class TSampleBudget {
public:
    TSampleBudget()
    {
        const auto limit = static_cast<uint64_t>(PluginPixelLimit());
        FLeft = limit > UINT64_MAX / kSamplesAtTheLimit ? UINT64_MAX : limit * kSamplesAtTheLimit;
    }

    // false when the picture is above the pixel limit or its samples are more than are left.
    bool Take(uint64_t width, uint64_t height)
    {
        if (!PicturePixelsAllowed(width, height)) return false;
        const uint64_t pixels = width * height;
        if (FChannels != 0 && pixels > FLeft / FChannels) return false;
        FLeft -= pixels * FChannels;
        return true;
    }

    // Every channel counts in full, extra channels stored at a lower resolution too.
    void SetChannels(uint64_t channels) { FChannels = channels; }

private:
    uint64_t FLeft = 0;
    uint64_t FChannels = 0;
};

}  // namespace

int32_t CheckJxlDecoding(const uint8_t* data, size_t size)
{
    // Layers are reported one by one, and their pixels passed over, only when they are not
    // composed into frames.
    const TJxlDecoder decoder(JxlDecoderCreate(nullptr));
    if (!decoder || JxlDecoderSetCoalescing(decoder.get(), JXL_FALSE) != JXL_DEC_SUCCESS ||
        JxlDecoderSubscribeEvents(decoder.get(), JXL_DEC_BASIC_INFO | JXL_DEC_FRAME) != JXL_DEC_SUCCESS ||
        JxlDecoderSetInput(decoder.get(), data, size) != JXL_DEC_SUCCESS)
        return kInternalError;
    JxlDecoderCloseInput(decoder.get());
    TSampleBudget budget;
    bool animated = false;
    for (;;) {
        switch (JxlDecoderProcessInput(decoder.get())) {
        case JXL_DEC_BASIC_INFO: {
            JxlBasicInfo info;
            if (JxlDecoderGetBasicInfo(decoder.get(), &info) != JXL_DEC_SUCCESS) return 0;
            budget.SetChannels(uint64_t{info.num_color_channels} + info.num_extra_channels);
            animated = info.have_animation;
            if (!budget.Take(info.xsize, info.ysize) ||
                (info.have_preview && !budget.Take(info.preview.xsize, info.preview.ysize)))
                return kOutOfMemory;
            break;
        }
        case JXL_DEC_FRAME: {
            JxlFrameHeader frame;
            if (JxlDecoderGetFrameHeader(decoder.get(), &frame) != JXL_DEC_SUCCESS) return 0;
            if (!budget.Take(frame.layer_info.xsize, frame.layer_info.ysize)) return kOutOfMemory;
            // The first frame shown ends with a layer that is shown for a while, or the last.
            if ((animated && frame.duration != 0) || frame.is_last) return 0;
            break;
        }
        default:
            return 0;
        }
    }
}

}  // namespace quilmo::spi
