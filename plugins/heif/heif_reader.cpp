#include "plugins/heif/heif_reader.h"

#include <libheif/heif.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <memory>
#include <vector>

#include "color/cicp_profile.h"
#include "plugins/decoded_rows.h"
#include "plugins/heif/avif_sequence.h"
#include "plugins/heif/heif_limits.h"
#include "plugins/picture_colours.h"
#include "plugins/pixel_limit.h"
#include "plugins/spi_codes.h"

namespace quilmo::spi {

namespace {

// libheif wants one heif_init for each heif_deinit; this plug-in keeps it initialised from its
// loading to its release, when heif_deinit frees what libheif's decoders took when they were
// loaded with it.
const struct TLibheif {
    TLibheif() { heif_init(nullptr); }
    ~TLibheif() { heif_deinit(); }
    TLibheif(const TLibheif&) = delete;
    TLibheif& operator=(const TLibheif&) = delete;
} gLibheif;

struct TFreeContext {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct TReleaseHandle {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct TReleaseImage {
    void operator()(heif_image* image) const { heif_image_release(image); }
};
struct TFreeNclx {
    void operator()(heif_color_profile_nclx* nclx) const { heif_nclx_color_profile_free(nclx); }
};

// Deep samples in the machine's own byte order, read as 16-bit numbers.
constexpr bool kLittleEndian = std::endian::native == std::endian::little;
constexpr heif_chroma kDeepRgb = kLittleEndian ? heif_chroma_interleaved_RRGGBB_LE : heif_chroma_interleaved_RRGGBB_BE;
constexpr heif_chroma kDeepRgba =
    kLittleEndian ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBBAA_BE;

int32_t CodeOf(const heif_error& error)
{
    if (error.subcode == heif_suberror_Security_limit_exceeded) return kOutOfMemory;
    switch (error.code) {
    case heif_error_Ok: return 0;
    case heif_error_Unsupported_filetype:
    case heif_error_Unsupported_feature: return kUnknownFormat;
    case heif_error_Memory_allocation_error: return kOutOfMemory;
    default: return kBrokenData;
    }
}

// Grid tiles are decoded side by side, on as many threads as the pixel limit has room for.
int TileThreads(uint64_t largestTile)
{
    constexpr uint64_t kMostThreads = 4;
    const uint64_t room = static_cast<uint64_t>(PluginPixelLimit()) / std::max<uint64_t>(largestTile, 1);
    return static_cast<int>(std::min(kMostThreads, room));
}

// An ICC profile wins over coded colours where a file gives both, as in every reader.
TPictureColours ColoursOf(const heif_image_handle* handle)
{
    if (const size_t size = heif_image_handle_get_raw_color_profile_size(handle)) {
        std::vector<uint8_t> icc(size);
        if (heif_image_handle_get_raw_color_profile(handle, icc.data()).code != heif_error_Ok) return {};
        return {TColorProfile::FromICC(icc), 0};
    }
    heif_color_profile_nclx* coded = nullptr;
    const heif_error error = heif_image_handle_get_nclx_color_profile(handle, &coded);
    // libheif hands out the profile also with some errors (values it does not know).
    const std::unique_ptr<heif_color_profile_nclx, TFreeNclx> nclx(coded);
    if (error.code != heif_error_Ok || !nclx) return {};
    return CodedColours(CicpPrimaries(nclx->color_primaries), nclx->transfer_characteristics);
}

// The decoded picture into the DIB: its size is the decoded one, which the file's rotation and
// clean aperture make.
int32_t PutPixels(heif_image* image, bool deep, TAlpha alpha, const TPictureColours& colours, TDibBlocks& blocks)
{
    int stride = 0;
    const uint8_t* plane = heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
    const int bits = heif_image_get_bits_per_pixel_range(image, heif_channel_interleaved);
    const int width = heif_image_get_width(image, heif_channel_interleaved);
    const int height = heif_image_get_height(image, heif_channel_interleaved);
    if (!plane || stride < 0 || bits < 1 || bits > 16 || width <= 0 || height <= 0) return kBrokenData;
    const TSampleLayout layout{3, alpha};
    const size_t rowBytes = size_t(width) * static_cast<size_t>(layout.Channels()) * (deep ? 2 : 1);
    if (static_cast<size_t>(stride) < rowBytes) return kBrokenData;
    return PutDecodedPicture({plane, static_cast<size_t>(stride), deep, (1u << bits) - 1, layout},
                             static_cast<uint32_t>(width), static_cast<uint32_t>(height), colours, blocks);
}

int32_t DecodeStill(const uint8_t* data, size_t size, TDibBlocks& blocks)
{
    const std::unique_ptr<heif_context, TFreeContext> context(heif_context_alloc());
    if (!context) return kOutOfMemory;
    heif_context_set_maximum_image_size_limit(context.get(), HeifSideLimit());
    if (const int32_t code = CodeOf(heif_context_read_from_memory_without_copy(context.get(), data, size, nullptr)))
        return code;
    // libheif takes the memory for a grid or an overlay, or for what a coded stream declares,
    // without a look at the pixel limit.
    THeifDecoding decoding;
    if (const int32_t code = CheckHeifDecoding(data, size, decoding)) return code;
    // libheif puts another image in place of a primary one it cannot use; that is not the picture.
    heif_item_id primaryId = 0;
    if (const int32_t code = CodeOf(heif_context_get_primary_image_ID(context.get(), &primaryId))) return code;
    if (primaryId != decoding.Primary) return kBrokenData;
    heif_image_handle* primary = nullptr;
    if (const int32_t code = CodeOf(heif_context_get_primary_image_handle(context.get(), &primary))) return code;
    const std::unique_ptr<heif_image_handle, TReleaseHandle> handle(primary);
    heif_context_set_max_decoding_threads(context.get(), TileThreads(decoding.LargestCoded));

    const TPictureColours colours = ColoursOf(handle.get());
    const bool deep = heif_image_handle_get_luma_bits_per_pixel(handle.get()) > 8;
    const bool hasAlpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
    const heif_chroma chroma = !deep ? (hasAlpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB)
                               : hasAlpha ? kDeepRgba
                                          : kDeepRgb;
    // libheif turns, mirrors and crops the picture as the file says, in the file's order.
    heif_image* decoded = nullptr;
    if (const int32_t code =
            CodeOf(heif_decode_image(handle.get(), &decoded, heif_colorspace_RGB, chroma, nullptr)))
        return code;
    const std::unique_ptr<heif_image, TReleaseImage> image(decoded);
    const TAlpha alpha = !hasAlpha ? TAlpha::None
                         : heif_image_is_premultiplied_alpha(image.get()) ? TAlpha::Premultiplied
                                                                          : TAlpha::Straight;
    return PutPixels(image.get(), deep, alpha, colours, blocks);
}

}  // namespace

bool LooksLikeHeif(const uint8_t* data, size_t size)
{
    // "maybe" is the answer for files of the common brand mif1, which libheif reads.
    return data && heif_check_filetype(data, static_cast<int>(std::min<size_t>(size, INT_MAX))) != heif_filetype_no;
}

int32_t DecodeHeif(const uint8_t* data, size_t size, TDibBlocks& blocks)
{
    if (!LooksLikeHeif(data, size)) return kUnknownFormat;
    if (IsAvifSequence(data, size)) return DecodeAvifSequence(data, size, blocks);
    return DecodeStill(data, size, blocks);
}

}  // namespace quilmo::spi
