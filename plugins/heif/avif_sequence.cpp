#include "plugins/heif/avif_sequence.h"

#include <avif/avif.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "color/cicp_profile.h"
#include "plugins/decoded_rows.h"
#include "plugins/heif/heif_limits.h"
#include "plugins/picture_colours.h"
#include "plugins/pixel_limit.h"
#include "plugins/spi_codes.h"

namespace quilmo::spi {

namespace {

struct TDestroyDecoder {
    void operator()(avifDecoder* decoder) const { avifDecoderDestroy(decoder); }
};

int32_t CodeOf(avifResult result)
{
    switch (result) {
    case AVIF_RESULT_OK: return 0;
    case AVIF_RESULT_INVALID_FTYP:
    case AVIF_RESULT_NO_AV1_ITEMS_FOUND:
    case AVIF_RESULT_NO_CODEC_AVAILABLE:
    case AVIF_RESULT_NOT_IMPLEMENTED: return kUnknownFormat;
    case AVIF_RESULT_OUT_OF_MEMORY: return kOutOfMemory;
    default: return kBrokenData;
    }
}

bool Allowed(uint32_t width, uint32_t height)
{
    const auto side = static_cast<uint32_t>(HeifSideLimit());
    return width < side && height < side && PicturePixelsAllowed(width, height);
}

TPictureColours ColoursOf(const avifImage& image)
{
    if (image.icc.size != 0) return {TColorProfile::FromICC({image.icc.data, image.icc.size}), 0};
    return CodedColours(CicpPrimaries(image.colorPrimaries), image.transferCharacteristics);
}

}  // namespace

bool IsAvifSequence(const uint8_t* data, size_t size)
{
    return data && size >= 12 && std::memcmp(data + 4, "ftyp", 4) == 0 && std::memcmp(data + 8, "avis", 4) == 0;
}

int32_t DecodeAvifSequence(const uint8_t* data, size_t size, TDibBlocks& blocks)
{
    const std::unique_ptr<avifDecoder, TDestroyDecoder> decoder(avifDecoderCreate());
    if (!decoder) return kOutOfMemory;
    // The AV1 decoder refuses a frame above the limit before it takes memory for it.
    decoder->imageSizeLimit = static_cast<uint32_t>(std::min<int64_t>(PluginPixelLimit(), UINT32_MAX));
    decoder->imageDimensionLimit = static_cast<uint32_t>(HeifSideLimit() - 1);
    decoder->ignoreExif = AVIF_TRUE;
    decoder->ignoreXMP = AVIF_TRUE;
    if (const int32_t code = CodeOf(avifDecoderSetIOMemory(decoder.get(), data, size))) return code;
    if (const int32_t code = CodeOf(avifDecoderParse(decoder.get()))) return code;
    if (!Allowed(decoder->image->width, decoder->image->height)) return kOutOfMemory;
    if (const int32_t code = CodeOf(avifDecoderNextImage(decoder.get()))) return code;
    const avifImage& image = *decoder->image;
    if (!Allowed(image.width, image.height)) return kOutOfMemory;

    avifRGBImage rgb;
    avifRGBImageSetDefaults(&rgb, &image);
    rgb.format = decoder->alphaPresent ? AVIF_RGB_FORMAT_RGBA : AVIF_RGB_FORMAT_RGB;
    rgb.depth = image.depth;
    const TSampleLayout layout{3, decoder->alphaPresent ? TAlpha::Straight : TAlpha::None};
    rgb.rowBytes = rgb.width * static_cast<uint32_t>(layout.Channels()) * (rgb.depth > 8 ? 2 : 1);
    // Taken here: libavif ends the program when it finds no memory.
    TMallocBlock pixels;
    if (!pixels.Allocate(size_t{rgb.rowBytes} * rgb.height)) return kOutOfMemory;
    rgb.pixels = pixels.Data.get();
    if (const int32_t code = CodeOf(avifImageYUVToRGB(&image, &rgb))) return code;

    return PutDecodedPicture({rgb.pixels, rgb.rowBytes, rgb.depth > 8, (1u << rgb.depth) - 1, layout}, rgb.width,
                             rgb.height, ColoursOf(image), blocks);
}

}  // namespace quilmo::spi
