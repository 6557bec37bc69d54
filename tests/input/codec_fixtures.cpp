#include "input/codec_fixtures.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

namespace quilmo::test {

namespace {

int JpegComponents(TJpegColours colours)
{
    switch (colours) {
    case TJpegColours::Grey: return 1;
    case TJpegColours::Colour: return 3;
    default: return 4;
    }
}

}  // namespace

TBytes MakeJpeg(const TJpegSpec& spec)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(spec.Width);
    info.image_height = static_cast<JDIMENSION>(spec.Height);
    const int components = JpegComponents(spec.Colours);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    if (spec.Colours == TJpegColours::Ycck) jpeg_set_colorspace(&info, JCS_YCCK);
    jpeg_set_quality(&info, spec.Quality, TRUE);
    // Full-resolution colour unless asked, so that small test pictures keep their colours.
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = c == 0 ? spec.LumaAcross : 1;
        info.comp_info[c].v_samp_factor = c == 0 ? spec.LumaDown : 1;
    }
    info.restart_in_rows = spec.RestartRows;
    info.optimize_coding = spec.OwnTables;
    if (spec.Progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    if (!spec.Icc.empty()) jpeg_write_icc_profile(&info, spec.Icc.data(), static_cast<unsigned>(spec.Icc.size()));
    if (!spec.App1.empty())
        jpeg_write_marker(&info, JPEG_APP0 + 1, spec.App1.data(), static_cast<unsigned>(spec.App1.size()));
    for (int y = 0; y < spec.Height; ++y) {
        JSAMPROW row = const_cast<JSAMPROW>(spec.Samples.data() + size_t(y) * spec.Width * components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    TBytes bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

TBytes ExifWithOrientation(uint16_t orientation, bool bigEndian)
{
    TBytes block = {'E', 'x', 'i', 'f', 0, 0};
    auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            block.push_back(uint8_t(value >> 8 * (bigEndian ? bytes - 1 - i : i)));
    };
    put(bigEndian ? 0x4D4D : 0x4949, 2);
    put(42, 2);
    put(8, 4);  // the first directory follows the header
    put(2, 2);  // two entries, each tag, type 3 (16 bits), count 1, value: a resolution unit, then the orientation
    for (auto [tag, value] : {std::pair<uint16_t, uint16_t>{0x0128, 2}, {0x0112, orientation}}) {
        put(tag, 2);
        put(3, 2);
        put(1, 4);
        put(value, 2);
        put(0, 2);
    }
    put(0, 4);  // no next directory
    return block;
}

namespace {

int PngChannels(int colourType)
{
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE: return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    default: return 4;
    }
}

// One stored row: samples packed from the most significant bit, 16-bit ones big-endian.
TBytes PackPngRow(const TPngSpec& spec, uint32_t y)
{
    const size_t count = size_t(spec.Width) * PngChannels(spec.ColourType);
    const uint16_t* samples = spec.Samples.data() + y * count;
    TBytes row((count * spec.BitDepth + 7) / 8);
    for (size_t i = 0; i < count; ++i) {
        if (spec.BitDepth == 16) {
            row[2 * i] = uint8_t(samples[i] >> 8);
            row[2 * i + 1] = uint8_t(samples[i]);
        } else {
            const size_t bit = i * spec.BitDepth;
            row[bit / 8] |= uint8_t(samples[i] << (8 - spec.BitDepth - bit % 8));
        }
    }
    return row;
}

void AppendPngBytes(png_structp png, png_bytep data, size_t size)
{
    auto& bytes = *static_cast<TBytes*>(png_get_io_ptr(png));
    bytes.insert(bytes.end(), data, data + size);
}

}  // namespace

TBytes MakePng(const TPngSpec& spec)
{
    TBytes bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) throw std::runtime_error("cannot build the test PNG");
    png_set_write_fn(png, &bytes, AppendPngBytes, nullptr);
    png_set_IHDR(png, info, spec.Width, spec.Height, spec.BitDepth, spec.ColourType,
                 spec.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!spec.Palette.empty()) {
        std::vector<png_color> palette;
        for (const TRGBColour& c : spec.Palette) palette.push_back({c[0], c[1], c[2]});
        png_set_PLTE(png, info, palette.data(), int(palette.size()));
    }
    if (!spec.PaletteAlpha.empty())
        png_set_tRNS(png, info, spec.PaletteAlpha.data(), int(spec.PaletteAlpha.size()), nullptr);
    if (!spec.TransparentColour.empty()) {
        png_color_16 colour{};
        if (spec.TransparentColour.size() == 1) {
            colour.gray = spec.TransparentColour[0];
        } else {
            colour.red = spec.TransparentColour[0];
            colour.green = spec.TransparentColour[1];
            colour.blue = spec.TransparentColour[2];
        }
        png_set_tRNS(png, info, nullptr, 0, &colour);
    }
    png_write_info(png, info);
    std::vector<TBytes> rows;
    std::vector<png_bytep> pointers;
    for (uint32_t y = 0; y < spec.Height; ++y) rows.push_back(PackPngRow(spec, y));
    for (TBytes& row : rows) pointers.push_back(row.data());
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

namespace {

int AppendGifBytes(GifFileType* gif, const GifByteType* data, int size)
{
    auto& bytes = *static_cast<TBytes*>(gif->UserData);
    bytes.insert(bytes.end(), data, data + size);
    return size;
}

// giflib wants colour tables of a power of two entries.
ColorMapObject* ColourTable(const std::vector<TRGBColour>& colours)
{
    if (colours.empty()) return nullptr;
    int count = 2;
    while (count < int(colours.size())) count *= 2;
    std::vector<GifColorType> entries(count, GifColorType{0, 0, 0});
    for (size_t i = 0; i < colours.size(); ++i) entries[i] = {colours[i][0], colours[i][1], colours[i][2]};
    return GifMakeMapObject(count, entries.data());
}

void Require(int result)
{
    if (result != GIF_OK) throw std::runtime_error("cannot build the test GIF");
}

}  // namespace

TBytes MakeGif(const TGifSpec& spec)
{
    TBytes bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, AppendGifBytes, &error);
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = ColourTable(spec.GlobalColours);
    Require(EGifPutScreenDesc(gif, spec.ScreenWidth, spec.ScreenHeight, 8, 0, global));
    GifFreeMapObject(global);
    for (const TGifFrame& frame : spec.Frames) {
        if (frame.Transparent >= 0) {
            GraphicsControlBlock control{};
            control.TransparentColor = frame.Transparent;
            GifByteType extension[4];
            const size_t length = EGifGCBToExtension(&control, extension);
            Require(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension));
        }
        ColorMapObject* local = ColourTable(frame.LocalColours);
        // giflib drops, without freeing, the table of the frame before when this one has none.
        if (!local && gif->Image.ColorMap) {
            GifFreeMapObject(gif->Image.ColorMap);
            gif->Image.ColorMap = nullptr;
        }
        Require(EGifPutImageDesc(gif, frame.Left, frame.Top, frame.Width, frame.Height, frame.Interlaced, local));
        GifFreeMapObject(local);
        std::vector<int> order;
        if (frame.Interlaced) {
            for (int pass = 0, starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2}; pass < 4; ++pass)
                for (int y = starts[pass]; y < frame.Height; y += steps[pass]) order.push_back(y);
        } else {
            for (int y = 0; y < frame.Height; ++y) order.push_back(y);
        }
        for (int y : order) {
            TBytes row(frame.Indices.begin() + y * frame.Width, frame.Indices.begin() + (y + 1) * frame.Width);
            Require(EGifPutLine(gif, row.data(), frame.Width));
        }
    }
    EGifCloseFile(gif, &error);
    return bytes;
}

std::unique_ptr<TBigBitmap> Decoded(TGraphic& graphic)
{
    auto bitmap = std::make_unique<TBigBitmap>();
    bitmap->Assign(&graphic);
    return bitmap;
}

::testing::AssertionResult ColoursNear(TColor a, TColor b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8) {
        const int difference = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (difference > tolerance || difference < -tolerance)
            return ::testing::AssertionFailure() << std::hex << a << " is not within " << std::dec
                                                 << tolerance << " of " << std::hex << b;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace quilmo::test
