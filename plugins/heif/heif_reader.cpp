#include "plugins/heif/heif_reader.h"

#include <libheif/heif.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <memory>

#include "plugins/dib_writer.h"
#include "plugins/heif/heif_limits.h"
#include "plugins/pixel_converter.h"
#include "plugins/pixel_limit.h"
#include "plugins/spi_codes.h"

namespace quilmo::spi {

namespace {

// libheif wants one heif_init for each heif_deinit; this plug-in keeps it initialised while it
// is loaded.
void InitialiseLibheif()
{
    static const struct TLibheif {
        TLibheif() { heif_init(nullptr); }
        ~TLibheif() { heif_deinit(); }
    } library;
}

struct TFreeContext {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct TReleaseHandle {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct TReleaseImage {
    void operator()(heif_image* image) const { heif_image_release(image); }
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

int32_t CopyPixels(heif_image* image, bool deep, TAlpha alpha, TDibWriter& writer)
{
    const uint32_t width = writer.StoredWidth(), height = writer.StoredHeight();
    int stride = 0;
    const uint8_t* plane = heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
    const int bits = heif_image_get_bits_per_pixel_range(image, heif_channel_interleaved);
    const size_t rowBytes = size_t{width} * (alpha == TAlpha::None ? 3 : 4) * (deep ? 2 : 1);
    if (!plane || stride < 0 || static_cast<size_t>(stride) < rowBytes || bits < 1 || bits > 16 ||
        heif_image_get_width(image, heif_channel_interleaved) != static_cast<int>(width) ||
        heif_image_get_height(image, heif_channel_interleaved) != static_cast<int>(height))
        return kBrokenData;
    const TPixelConverter converter({3, alpha}, (1u << bits) - 1);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = plane + size_t{y} * static_cast<size_t>(stride);
        if (deep)
            converter.Put(reinterpret_cast<const uint16_t*>(row), width, writer.StoredRow(y));
        else
            converter.Put(row, width, writer.StoredRow(y));
    }
    return 0;
}

}  // namespace

bool LooksLikeHeif(const uint8_t* data, size_t size)
{
    InitialiseLibheif();
    return data && heif_check_filetype(data, static_cast<int>(std::min<size_t>(size, INT_MAX))) ==
                       heif_filetype_yes_supported;
}

int32_t DecodeHeif(const uint8_t* data, size_t size, TDibBlocks& blocks)
{
    if (!LooksLikeHeif(data, size)) return kUnknownFormat;
    const std::unique_ptr<heif_context, TFreeContext> context(heif_context_alloc());
    if (!context) return kOutOfMemory;
    heif_context_set_maximum_image_size_limit(context.get(), HeifSideLimit());
    if (const int32_t code = CodeOf(heif_context_read_from_memory_without_copy(context.get(), data, size, nullptr)))
        return code;
    heif_image_handle* primary = nullptr;
    if (const int32_t code = CodeOf(heif_context_get_primary_image_handle(context.get(), &primary))) return code;
    const std::unique_ptr<heif_image_handle, TReleaseHandle> handle(primary);
    // libheif takes the memory for a grid or an overlay, or for what a coded stream declares,
    // without a look at the pixel limit.
    THeifDecoding decoding;
    if (const int32_t code = CheckHeifDecoding(data, size, decoding)) return code;
    heif_context_set_max_decoding_threads(context.get(), TileThreads(decoding.LargestCoded));

    // The size with rotation applied, known before anything is decoded.
    const int width = heif_image_handle_get_width(handle.get());
    const int height = heif_image_handle_get_height(handle.get());
    if (width <= 0 || height <= 0) return kBrokenData;
    TDibWriter writer;
    if (const int32_t code = writer.Allocate(static_cast<uint32_t>(width), static_cast<uint32_t>(height), 1))
        return code;

    const bool deep = heif_image_handle_get_luma_bits_per_pixel(handle.get()) > 8;
    const bool hasAlpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
    const heif_chroma chroma = !deep ? (hasAlpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB)
                               : hasAlpha ? kDeepRgba
                                          : kDeepRgb;
    heif_image* decoded = nullptr;
    if (const int32_t code =
            CodeOf(heif_decode_image(handle.get(), &decoded, heif_colorspace_RGB, chroma, nullptr)))
        return code;
    const std::unique_ptr<heif_image, TReleaseImage> image(decoded);
    const TAlpha alpha = !hasAlpha ? TAlpha::None
                         : heif_image_is_premultiplied_alpha(image.get()) ? TAlpha::Premultiplied
                                                                          : TAlpha::Straight;
    if (const int32_t code = CopyPixels(image.get(), deep, alpha, writer)) return code;
    writer.TakeBlocks(blocks);
    return 0;
}

}  // namespace quilmo::spi
