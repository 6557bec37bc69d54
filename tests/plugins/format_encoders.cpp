#include "format_encoders.h"

#include <gtest/gtest.h>
#include <jxl/decode.h>
#include <jxl/encode.h>
#include <webp/decode.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/scratch_folder.h"

// The encoders keep a few blocks for good (libx265 in particular); those leaks are theirs.
extern "C" const char* __lsan_default_suppressions() { return "leak:libx265.so\nleak:libdav1d.so\nleak:libaom.so\n"; }

namespace quilmo::test {

namespace {

heif_error AppendBytes(heif_context*, const void* data, size_t size, void* bytes)
{
    auto* out = static_cast<TBytes*>(bytes);
    out->insert(out->end(), static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
    return {heif_error_Ok, heif_suberror_Unspecified, ""};
}

heif_chroma InterleavedChroma(bool alpha, int bits)
{
    const bool little = std::endian::native == std::endian::little;
    if (bits == 8) return alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB;
    if (alpha) return little ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBBAA_BE;
    return little ? heif_chroma_interleaved_RRGGBB_LE : heif_chroma_interleaved_RRGGBB_BE;
}

}  // namespace

TBytes EncodeHeif(const TSamplePicture& picture, const THeifOptions& options)
{
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    EXPECT_EQ(heif_context_get_encoder_for_format(context, options.Compression, &encoder).code, heif_error_Ok);
    heif_encoder_set_lossy_quality(encoder, 90);
    heif_image* image = nullptr;
    heif_image_create(picture.Width, picture.Height, heif_colorspace_RGB,
                      InterleavedChroma(picture.HasAlpha(), options.Bits), &image);
    heif_image_add_plane(image, heif_channel_interleaved, picture.Width, picture.Height, options.Bits);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    const size_t rowSamples = static_cast<size_t>(picture.Width) * picture.Channels;
    for (int32_t y = 0; y < picture.Height; ++y)
        for (size_t i = 0; i < rowSamples; ++i) {
            const uint16_t value = picture.Samples[y * rowSamples + i];
            if (options.Bits == 8)
                plane[static_cast<size_t>(y) * stride + i] = static_cast<uint8_t>(value);
            else
                std::memcpy(plane + static_cast<size_t>(y) * stride + 2 * i, &value, 2);
        }
    heif_encoding_options* encoding = heif_encoding_options_alloc();
    encoding->image_orientation = options.Orientation;
    const heif_error encoded = heif_context_encode_image(context, image, encoder, encoding, nullptr);
    EXPECT_EQ(encoded.code, heif_error_Ok) << encoded.message;
    TBytes bytes;
    heif_writer writer{1, AppendBytes};
    heif_context_write(context, &writer, &bytes);
    heif_encoding_options_free(encoding);
    heif_image_release(image);
    heif_encoder_release(encoder);
    heif_context_free(context);
    return bytes;
}

TSamplePicture LibheifDecode(const TBytes& file, bool alpha, int bits)
{
    heif_context* context = heif_context_alloc();
    heif_context_read_from_memory_without_copy(context, file.data(), file.size(), nullptr);
    heif_image_handle* handle = nullptr;
    heif_context_get_primary_image_handle(context, &handle);
    heif_image* image = nullptr;
    EXPECT_EQ(heif_decode_image(handle, &image, heif_colorspace_RGB, InterleavedChroma(alpha, bits), nullptr).code,
              heif_error_Ok);
    TSamplePicture picture{heif_image_get_width(image, heif_channel_interleaved),
                           heif_image_get_height(image, heif_channel_interleaved), alpha ? 4 : 3,
                           (1u << heif_image_get_bits_per_pixel_range(image, heif_channel_interleaved)) - 1,
                           {}};
    int stride = 0;
    const uint8_t* plane = heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
    for (int32_t y = 0; y < picture.Height; ++y)
        for (int32_t i = 0; i < picture.Width * picture.Channels; ++i) {
            uint16_t value = plane[static_cast<size_t>(y) * stride + i];
            if (bits > 8) std::memcpy(&value, plane + static_cast<size_t>(y) * stride + 2 * i, 2);
            picture.Samples.push_back(value);
        }
    heif_image_release(image);
    heif_image_handle_release(handle);
    heif_context_free(context);
    return picture;
}

namespace {

// What a libwebp call wrote, freed with the library's own free.
TBytes TakeOutput(uint8_t* output, size_t size)
{
    TBytes bytes(output, output + size);
    WebPFree(output);
    return bytes;
}

}  // namespace

TBytes EncodeWebpLossless(const TSamplePicture& picture)
{
    const std::vector<uint8_t> samples = picture.Bytes();
    uint8_t* output = nullptr;
    const size_t size = picture.HasAlpha()
                            ? WebPEncodeLosslessRGBA(samples.data(), picture.Width, picture.Height, picture.Width * 4, &output)
                            : WebPEncodeLosslessRGB(samples.data(), picture.Width, picture.Height, picture.Width * 3, &output);
    EXPECT_GT(size, 0u);
    return TakeOutput(output, size);
}

TBytes EncodeWebpLossy(const TSamplePicture& picture)
{
    const std::vector<uint8_t> samples = picture.Bytes();
    uint8_t* output = nullptr;
    const size_t size = WebPEncodeRGB(samples.data(), picture.Width, picture.Height, picture.Width * 3, 60, &output);
    EXPECT_GT(size, 0u);
    return TakeOutput(output, size);
}

TSamplePicture LibwebpDecode(const TBytes& file)
{
    int width = 0, height = 0;
    uint8_t* pixels = WebPDecodeRGB(file.data(), file.size(), &width, &height);
    EXPECT_NE(pixels, nullptr);
    if (!pixels) return {};
    TSamplePicture picture{width, height, 3, 255, std::vector<uint16_t>(pixels, pixels + size_t{3} * width * height)};
    WebPFree(pixels);
    return picture;
}

namespace {

TBytes Assemble(WebPMux* mux)
{
    WebPData assembled{};
    EXPECT_EQ(WebPMuxAssemble(mux, &assembled), WEBP_MUX_OK);
    WebPMuxDelete(mux);
    TBytes bytes(assembled.bytes, assembled.bytes + assembled.size);
    WebPDataClear(&assembled);
    return bytes;
}

}  // namespace

TBytes WebpWithOrientation(const TBytes& webp, uint16_t orientation, bool jpegStyle)
{
    TBytes exif = jpegStyle ? TBytes{'E', 'x', 'i', 'f', 0, 0} : TBytes{};
    const TBytes tiff = {'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0,
                         static_cast<uint8_t>(orientation), 0, 0, 0, 0, 0, 0, 0};
    exif.insert(exif.end(), tiff.begin(), tiff.end());
    const WebPData image{webp.data(), webp.size()}, chunk{exif.data(), exif.size()};
    WebPMux* mux = WebPMuxNew();
    EXPECT_EQ(WebPMuxSetImage(mux, &image, 1), WEBP_MUX_OK);
    EXPECT_EQ(WebPMuxSetChunk(mux, "EXIF", &chunk, 1), WEBP_MUX_OK);
    return Assemble(mux);
}

TBytes WebpAnimation(const std::vector<TSamplePicture>& frames)
{
    WebPAnimEncoderOptions options;
    WebPAnimEncoderOptionsInit(&options);
    WebPAnimEncoder* encoder = WebPAnimEncoderNew(frames[0].Width, frames[0].Height, &options);
    WebPConfig config;
    WebPConfigInit(&config);
    config.lossless = 1;
    int timestamp = 0;
    for (const TSamplePicture& frame : frames) {
        std::vector<uint8_t> rgba = frame.Bytes();
        WebPPicture picture;
        WebPPictureInit(&picture);
        picture.use_argb = 1;
        picture.width = frame.Width;
        picture.height = frame.Height;
        EXPECT_TRUE(WebPPictureImportRGBA(&picture, rgba.data(), frame.Width * 4));
        EXPECT_TRUE(WebPAnimEncoderAdd(encoder, &picture, timestamp, &config));
        WebPPictureFree(&picture);
        timestamp += 100;
    }
    WebPAnimEncoderAdd(encoder, nullptr, timestamp, nullptr);
    WebPData assembled{};
    EXPECT_TRUE(WebPAnimEncoderAssemble(encoder, &assembled));
    WebPAnimEncoderDelete(encoder);
    TBytes bytes(assembled.bytes, assembled.bytes + assembled.size);
    WebPDataClear(&assembled);
    return bytes;
}

namespace {

// The samples of rows top to bottom, columns left to right, of plane (or all planes), packed
// at the layout's depth.
TBytes PackSamples(const TSamplePicture& picture, const TTiffLayout& layout, int32_t left, int32_t top,
                   int32_t columns, int32_t rows, int plane)
{
    TBytes bytes;
    for (int32_t y = top; y < top + rows; ++y) {
        uint32_t bitBuffer = 0, bitCount = 0;
        for (int32_t x = left; x < left + columns; ++x)
            for (int c = 0; c < picture.Channels; ++c) {
                if (plane >= 0 && c != plane) continue;
                const uint16_t value = x < picture.Width && y < picture.Height ? picture.At(x, y, c) : 0;
                if (layout.Bits == 16) {
                    bytes.resize(bytes.size() + 2);
                    std::memcpy(bytes.data() + bytes.size() - 2, &value, 2);  // libtiff takes its own byte order
                } else if (layout.Bits == 8) {
                    bytes.push_back(static_cast<uint8_t>(value));
                } else {
                    bitBuffer = bitBuffer << layout.Bits | value;
                    for (bitCount += layout.Bits; bitCount >= 8; bitCount -= 8)
                        bytes.push_back(static_cast<uint8_t>(bitBuffer >> (bitCount - 8)));
                }
            }
        if (bitCount > 0) bytes.push_back(static_cast<uint8_t>(bitBuffer << (8 - bitCount)));
    }
    return bytes;
}

}  // namespace

namespace {

// A file of one page written by write, which gets the page with its tags set.
template <typename TWrite>
TBytes WriteTiff(int32_t width, int32_t height, int channels, bool alpha, const TTiffLayout& layout, TWrite write)
{
    const TScratchFolder folder;
    const std::filesystem::path path = folder / "picture.tif";
    TIFF* tiff = TIFFOpen(path.c_str(), layout.Big ? "w8" : "w");
    EXPECT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, layout.Bits);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, channels);
    TIFFSetField(tiff, TIFFTAG_SAMPLEFORMAT, layout.Format);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, layout.Photometric);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, layout.Planar);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, layout.Compression);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, layout.Orientation);
    if (alpha) TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &layout.Alpha);
    if (layout.WhitePoint[0] > 0) TIFFSetField(tiff, TIFFTAG_WHITEPOINT, layout.WhitePoint.data());
    if (!layout.Icc.empty())
        TIFFSetField(tiff, TIFFTAG_ICCPROFILE, static_cast<uint32_t>(layout.Icc.size()), layout.Icc.data());
    if (!layout.ColourMap.empty()) {
        const size_t entries = layout.ColourMap.size() / 3;
        TIFFSetField(tiff, TIFFTAG_COLORMAP, layout.ColourMap.data(), layout.ColourMap.data() + entries,
                     layout.ColourMap.data() + 2 * entries);
    }
    if (layout.Tile) {
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, layout.Tile);
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, layout.Tile);
    } else {
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 2);
    }
    write(tiff);
    TIFFClose(tiff);
    std::ifstream file(path, std::ios::binary);
    return TBytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

}  // namespace

TBytes EncodeTiff(const TSamplePicture& picture, const TTiffLayout& layout)
{
    // Four inks are no colours with alpha.
    const bool alpha = picture.HasAlpha() && layout.Photometric != PHOTOMETRIC_SEPARATED;
    return WriteTiff(picture.Width, picture.Height, picture.Channels, alpha, layout, [&](TIFF* tiff) {
        const bool separate = layout.Planar == PLANARCONFIG_SEPARATE;
        const int planes = separate ? picture.Channels : 1;
        for (int plane = 0; plane < planes; ++plane) {
            if (!layout.Tile) {
                for (int32_t y = 0; y < picture.Height; ++y) {
                    TBytes row = PackSamples(picture, layout, 0, y, picture.Width, 1, separate ? plane : -1);
                    EXPECT_EQ(TIFFWriteScanline(tiff, row.data(), static_cast<uint32_t>(y), static_cast<uint16_t>(plane)), 1);
                }
                continue;
            }
            for (uint32_t y = 0; y < static_cast<uint32_t>(picture.Height); y += layout.Tile)
                for (uint32_t x = 0; x < static_cast<uint32_t>(picture.Width); x += layout.Tile) {
                    TBytes tile = PackSamples(picture, layout, x, y, layout.Tile, layout.Tile, separate ? plane : -1);
                    EXPECT_GE(TIFFWriteTile(tiff, tile.data(), x, y, 0, static_cast<uint16_t>(plane)), 0);
                }
        }
    });
}

TBytes EncodeTiffRows(int32_t width, int32_t height, int channels, const TTiffLayout& layout, const TBytes& rows)
{
    return WriteTiff(width, height, channels, false, layout, [&](TIFF* tiff) {
        const size_t rowBytes = rows.size() / static_cast<size_t>(height);
        for (int32_t y = 0; y < height; ++y)
            EXPECT_EQ(TIFFWriteScanline(tiff, const_cast<uint8_t*>(rows.data()) + y * rowBytes, static_cast<uint32_t>(y)), 1);
    });
}

TBytes EncodeJxl(const TSamplePicture& picture, float distance, JxlOrientation orientation)
{
    JxlEncoder* encoder = JxlEncoderCreate(nullptr);
    JxlBasicInfo info;
    JxlEncoderInitBasicInfo(&info);
    info.xsize = static_cast<uint32_t>(picture.Width);
    info.ysize = static_cast<uint32_t>(picture.Height);
    info.bits_per_sample = 8;
    info.num_color_channels = picture.Channels <= 2 ? 1 : 3;
    info.alpha_bits = picture.HasAlpha() ? 8 : 0;
    info.num_extra_channels = picture.HasAlpha() ? 1 : 0;
    info.uses_original_profile = distance == 0 ? JXL_TRUE : JXL_FALSE;
    info.orientation = orientation;
    EXPECT_EQ(JxlEncoderSetBasicInfo(encoder, &info), JXL_ENC_SUCCESS);
    JxlColorEncoding colour;
    JxlColorEncodingSetToSRGB(&colour, info.num_color_channels == 1);
    EXPECT_EQ(JxlEncoderSetColorEncoding(encoder, &colour), JXL_ENC_SUCCESS);
    JxlEncoderFrameSettings* settings = JxlEncoderFrameSettingsCreate(encoder, nullptr);
    if (distance == 0)
        JxlEncoderSetFrameLossless(settings, JXL_TRUE);
    else
        JxlEncoderSetFrameDistance(settings, distance);
    const std::vector<uint8_t> samples = picture.Bytes();
    const JxlPixelFormat format{static_cast<uint32_t>(picture.Channels), JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    EXPECT_EQ(JxlEncoderAddImageFrame(settings, &format, samples.data(), samples.size()), JXL_ENC_SUCCESS);
    JxlEncoderCloseInput(encoder);
    TBytes bytes(4096);
    uint8_t* next = bytes.data();
    size_t room = bytes.size();
    JxlEncoderStatus status;
    while ((status = JxlEncoderProcessOutput(encoder, &next, &room)) == JXL_ENC_NEED_MORE_OUTPUT) {
        const size_t done = next - bytes.data();
        bytes.resize(bytes.size() * 2);
        next = bytes.data() + done;
        room = bytes.size() - done;
    }
    EXPECT_EQ(status, JXL_ENC_SUCCESS);
    bytes.resize(next - bytes.data());
    JxlEncoderDestroy(encoder);
    return bytes;
}

TSamplePicture LibjxlDecode(const TBytes& file)
{
    JxlDecoder* decoder = JxlDecoderCreate(nullptr);
    JxlDecoderSubscribeEvents(decoder, JXL_DEC_BASIC_INFO | JXL_DEC_FULL_IMAGE);
    JxlDecoderSetInput(decoder, file.data(), file.size());
    JxlDecoderCloseInput(decoder);
    const JxlPixelFormat format{3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    TSamplePicture picture;
    std::vector<uint8_t> pixels;
    for (JxlDecoderStatus status; (status = JxlDecoderProcessInput(decoder)) != JXL_DEC_FULL_IMAGE;) {
        if (status == JXL_DEC_BASIC_INFO) {
            JxlBasicInfo info;
            JxlDecoderGetBasicInfo(decoder, &info);
            picture = {static_cast<int32_t>(info.xsize), static_cast<int32_t>(info.ysize), 3, 255, {}};
            pixels.resize(size_t{3} * info.xsize * info.ysize);
        } else if (status == JXL_DEC_NEED_IMAGE_OUT_BUFFER) {
            JxlDecoderSetImageOutBuffer(decoder, &format, pixels.data(), pixels.size());
        } else {
            ADD_FAILURE() << "libjxl cannot decode the picture";
            break;
        }
    }
    JxlDecoderDestroy(decoder);
    picture.Samples.assign(pixels.begin(), pixels.end());
    return picture;
}

}  // namespace quilmo::test
