#include "plugins/webp/webp_reader.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cstring>
#include <memory>
#include <vector>

#include "input/exif_orientation.h"
#include "plugins/dib_writer.h"
#include "plugins/picture_colours.h"
#include "plugins/pixel_converter.h"
#include "plugins/spi_codes.h"

namespace quilmo::spi {

namespace {

struct TDeleteDemuxer {
    void operator()(WebPDemuxer* demuxer) const { WebPDemuxDelete(demuxer); }
};
struct TDeleteAnimDecoder {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};
struct TFreeDecBuffer {
    void operator()(WebPDecBuffer* buffer) const { WebPFreeDecBuffer(buffer); }
};

int32_t CodeOf(VP8StatusCode status)
{
    switch (status) {
    case VP8_STATUS_OK: return 0;
    case VP8_STATUS_OUT_OF_MEMORY: return kOutOfMemory;
    case VP8_STATUS_UNSUPPORTED_FEATURE: return kUnknownFormat;
    default: return kBrokenData;
    }
}

// What the file's chunks say besides the picture.
struct TWebpMetadata {
    int Orientation = 1;
    std::vector<uint8_t> Icc;
};

// The orientation of the EXIF chunk, 1 without one. The chunk holds the TIFF structure, which
// some writers put behind the "Exif\0\0" of a JPEG segment.
int OrientationOf(const WebPChunkIterator& chunk)
{
    const uint8_t* exif = chunk.chunk.bytes;
    const size_t exifSize = chunk.chunk.size;
    const bool jpegStyle = exifSize >= 6 && std::memcmp(exif, "Exif\0\0", 6) == 0;
    return jpegStyle ? ExifOrientation(exif, exifSize) : TiffOrientation(exif, exifSize);
}

TWebpMetadata MetadataOf(const uint8_t* data, size_t size)
{
    TWebpMetadata metadata;
    const WebPData file{data, size};
    const std::unique_ptr<WebPDemuxer, TDeleteDemuxer> demuxer(WebPDemux(&file));
    if (!demuxer) return metadata;
    const uint32_t flags = WebPDemuxGetI(demuxer.get(), WEBP_FF_FORMAT_FLAGS);
    WebPChunkIterator chunk;
    if ((flags & EXIF_FLAG) && WebPDemuxGetChunk(demuxer.get(), "EXIF", 1, &chunk)) {
        metadata.Orientation = OrientationOf(chunk);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    if ((flags & ICCP_FLAG) && WebPDemuxGetChunk(demuxer.get(), "ICCP", 1, &chunk)) {
        metadata.Icc.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    return metadata;
}

void PutRows(const uint8_t* rows, size_t stride, TAlpha alpha, TDibWriter& writer)
{
    const TPixelConverter converter({3, alpha}, 255);
    for (uint32_t y = 0; y < writer.StoredHeight(); ++y)
        converter.Put(rows + y * stride, writer.StoredWidth(), writer.StoredRow(y));
}

// The usual case, upright and opaque: libwebp writes the DIB's rows itself.
int32_t DecodeIntoDib(const uint8_t* data, size_t size, TDibWriter& writer)
{
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) return kInternalError;
    config.options.use_threads = 1;
    config.options.flip = 1;  // bottom-up
    config.output.colorspace = MODE_BGR;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = writer.Bits();
    config.output.u.RGBA.stride = static_cast<int>(writer.Stride());
    config.output.u.RGBA.size = writer.Stride() * writer.StoredHeight();
    return CodeOf(WebPDecode(data, size, &config));
}

int32_t DecodeStill(const uint8_t* data, size_t size, bool hasAlpha, TDibWriter& writer)
{
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) return kInternalError;
    config.options.use_threads = 1;
    config.output.colorspace = hasAlpha ? MODE_RGBA : MODE_RGB;
    const std::unique_ptr<WebPDecBuffer, TFreeDecBuffer> output(&config.output);
    if (const int32_t code = CodeOf(WebPDecode(data, size, &config))) return code;
    if (config.output.width != static_cast<int>(writer.StoredWidth()) ||
        config.output.height != static_cast<int>(writer.StoredHeight()))
        return kBrokenData;
    PutRows(config.output.u.RGBA.rgba, static_cast<size_t>(config.output.u.RGBA.stride),
            hasAlpha ? TAlpha::Straight : TAlpha::None, writer);
    return 0;
}

int32_t DecodeFirstFrame(const uint8_t* data, size_t size, TDibWriter& writer)
{
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) return kInternalError;
    options.color_mode = MODE_RGBA;
    const WebPData file{data, size};
    const std::unique_ptr<WebPAnimDecoder, TDeleteAnimDecoder> decoder(WebPAnimDecoderNew(&file, &options));
    WebPAnimInfo info;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info)) return kBrokenData;
    if (info.canvas_width != writer.StoredWidth() || info.canvas_height != writer.StoredHeight()) return kBrokenData;
    uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp)) return kBrokenData;
    PutRows(canvas, size_t{info.canvas_width} * 4, TAlpha::Straight, writer);
    return 0;
}

}  // namespace

bool LooksLikeWebp(const uint8_t* data, size_t size)
{
    return data && size >= 12 && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "WEBP", 4) == 0;
}

int32_t DecodeWebp(const uint8_t* data, size_t size, TDibBlocks& blocks)
{
    if (!LooksLikeWebp(data, size)) return kUnknownFormat;
    WebPBitstreamFeatures features;
    if (const int32_t code = CodeOf(WebPGetFeatures(data, size, &features))) return code;
    if (features.width <= 0 || features.height <= 0) return kBrokenData;
    const TWebpMetadata metadata = MetadataOf(data, size);
    TDibWriter writer;
    // An animation's size is its canvas's.
    if (const int32_t code = writer.Allocate(static_cast<uint32_t>(features.width),
                                             static_cast<uint32_t>(features.height), metadata.Orientation))
        return code;
    int32_t code;
    if (features.has_animation)
        code = DecodeFirstFrame(data, size, writer);
    else if (!features.has_alpha && metadata.Orientation == 1)
        code = DecodeIntoDib(data, size, writer);
    else
        code = DecodeStill(data, size, features.has_alpha != 0, writer);
    if (code == 0) code = PutIccColours(metadata.Icc, false, writer);
    if (code != 0) return code;
    writer.TakeBlocks(blocks);
    return 0;
}

}  // namespace quilmo::spi
