#include "color_fixtures.h"

#include <jpeglib.h>
#include <lcms2.h>
#include <webp/decode.h>
#include <webp/demux.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/stream.h"
#include "core/picture_helpers.h"
#include "input/bmp_image.h"
#include "input/color_tagged.h"
#include "input/jpeg_image.h"
#include "input/picture_reading.h"
#include "input/png_image.h"
#include "output/jpeg_writer.h"
#include "output/png_writer.h"

namespace quilmo::test {

namespace {

constexpr int32_t kWidth = 16;
constexpr int32_t kHeight = 8;

TBytes SavedProfile(cmsHPROFILE profile)
{
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    TBytes bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

TBytes RgbProfile(const cmsCIExyYTRIPLE& primaries, cmsToneCurve* curve)
{
    const cmsCIExyY d65{0.3127, 0.3290, 1.0};
    cmsToneCurve* curves[3] = {curve, curve, curve};
    TBytes bytes = SavedProfile(cmsCreateRGBProfile(&d65, &primaries, curves));
    cmsFreeToneCurve(curve);
    return bytes;
}

cmsHPROFILE Open(const TBytes& profile)
{
    if (profile.empty()) return cmsCreate_sRGBProfile();
    return cmsOpenProfileFromMem(profile.data(), static_cast<cmsUInt32Number>(profile.size()));
}

// One pixel from one profile's numbers to another's, as lcms converts it.
// count pixels of layout, converted with one transform into RGB numbers.
std::vector<TRgb> ConvertPixels(const uint8_t* pixels, size_t count, cmsUInt32Number layout, const TBytes& from,
                                const TBytes& to, cmsUInt32Number intent)
{
    cmsHPROFILE source = Open(from);
    cmsHPROFILE target = Open(to);
    cmsHTRANSFORM transform =
        cmsCreateTransform(source, layout, target, TYPE_RGB_8, intent, cmsFLAGS_BLACKPOINTCOMPENSATION);
    std::vector<uint8_t> result(count * 3);
    cmsDoTransform(transform, pixels, result.data(), cmsUInt32Number(count));
    cmsDeleteTransform(transform);
    cmsCloseProfile(source);
    cmsCloseProfile(target);
    std::vector<TRgb> colours;
    for (size_t i = 0; i < count; ++i) colours.push_back({result[3 * i], result[3 * i + 1], result[3 * i + 2]});
    return colours;
}

// The tinted inks of CmykProfile, into L*a*b* through sRGB.
cmsInt32Number InksToLab(const cmsUInt16Number inks[], cmsUInt16Number lab[], void* toLab)
{
    const auto paper = [&](int i) { return 1.0 - inks[i] / 65535.0; };
    const double black = paper(3);
    const cmsUInt16Number rgb[3] = {cmsUInt16Number(65535 * paper(1) * black), cmsUInt16Number(65535 * paper(2) * black),
                                    cmsUInt16Number(65535 * paper(0) * black)};
    cmsDoTransform(toLab, rgb, lab, 1);
    return TRUE;
}

void Solid(TBigBitmap& picture, TRgb numbers)
{
    SetupBigBitmap(picture, kWidth, kHeight, RGBColor(uint8_t(numbers.R), uint8_t(numbers.G), uint8_t(numbers.B)));
}

void Put32BE(TBytes& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void Put32LE(TBytes& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

TBytes DisplayP3Profile()
{
    const cmsFloat64Number srgbCurve[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    return RgbProfile({{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}},
                      cmsBuildParametricToneCurve(nullptr, 4, srgbCurve));
}

TBytes AdobeRgbProfile()
{
    return RgbProfile({{0.64, 0.33, 1}, {0.21, 0.71, 1}, {0.15, 0.06, 1}}, cmsBuildGamma(nullptr, 563.0 / 256));
}

TBytes SRGBProfile() { return SavedProfile(cmsCreate_sRGBProfile()); }

TBytes CmykProfile()
{
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM toLab = cmsCreateTransform(srgb, TYPE_RGB_16, lab, TYPE_Lab_16, INTENT_RELATIVE_COLORIMETRIC, 0);
    cmsHPROFILE profile = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(profile, 4.3);
    cmsSetDeviceClass(profile, cmsSigOutputClass);
    cmsSetColorSpace(profile, cmsSigCmykData);
    cmsSetPCS(profile, cmsSigLabData);
    cmsPipeline* table = cmsPipelineAlloc(nullptr, 4, 3);
    cmsStage* grid = cmsStageAllocCLut16bit(nullptr, 9, 4, 3, nullptr);
    cmsStageSampleCLut16bit(grid, InksToLab, toLab, 0);
    // lcms writes version 4 tables with curves on both sides of the grid.
    cmsPipelineInsertStage(table, cmsAT_BEGIN, cmsStageAllocToneCurves(nullptr, 4, nullptr));
    cmsPipelineInsertStage(table, cmsAT_END, grid);
    cmsPipelineInsertStage(table, cmsAT_END, cmsStageAllocToneCurves(nullptr, 3, nullptr));
    cmsWriteTag(profile, cmsSigAToB0Tag, table);
    cmsWriteTag(profile, cmsSigMediaWhitePointTag, cmsD50_XYZ());
    cmsPipelineFree(table);
    cmsDeleteTransform(toLab);
    cmsCloseProfile(lab);
    cmsCloseProfile(srgb);
    return SavedProfile(profile);
}

std::vector<TRgb> Convert(const std::vector<TRgb>& colours, const TBytes& from, const TBytes& to)
{
    std::vector<uint8_t> pixels;
    for (const TRgb& c : colours) pixels.insert(pixels.end(), {uint8_t(c.R), uint8_t(c.G), uint8_t(c.B)});
    return ConvertPixels(pixels.data(), colours.size(), TYPE_RGB_8, from, to, INTENT_RELATIVE_COLORIMETRIC);
}

TRgb Convert(TRgb colour, const TBytes& from, const TBytes& to) { return Convert(std::vector{colour}, from, to)[0]; }

TBytes JpegFile(TRgb numbers, const TBytes& profile)
{
    TBigBitmap picture;
    Solid(picture, numbers);
    TMemoryStream stream;
    WriteJpeg(picture, stream, {100, false});
    TBytes bytes = stream.TakeBytes();
    if (profile.empty()) return bytes;
    // One APP2 marker right after the start of the picture: "ICC_PROFILE", part 1 of 1.
    TBytes marker{0xFF, 0xE2, 0, 0, 'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0, 1, 1};
    marker.insert(marker.end(), profile.begin(), profile.end());
    const size_t length = marker.size() - 2;
    marker[2] = static_cast<uint8_t>(length >> 8);
    marker[3] = static_cast<uint8_t>(length);
    bytes.insert(bytes.begin() + 2, marker.begin(), marker.end());
    return bytes;
}

TBytes WithPngChunk(TBytes png, const char* type, const TBytes& data)
{
    TBytes chunk;
    Put32BE(chunk, static_cast<uint32_t>(data.size()));
    chunk.insert(chunk.end(), type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    Put32BE(chunk, static_cast<uint32_t>(crc32(0, chunk.data() + 4, static_cast<uInt>(chunk.size() - 4))));
    // After the signature (8 bytes) and IHDR (25).
    png.insert(png.begin() + 33, chunk.begin(), chunk.end());
    return png;
}

TBytes PngFile(TRgb numbers, const TBytes& profile)
{
    TBigBitmap picture;
    Solid(picture, numbers);
    TMemoryStream stream;
    WritePng(picture, stream);
    if (profile.empty()) return stream.TakeBytes();
    TBytes data{'I', 'C', 'C', ' ', 'p', 'r', 'o', 'f', 'i', 'l', 'e', 0, 0};
    uLongf packedSize = compressBound(static_cast<uLong>(profile.size()));
    TBytes packed(packedSize);
    compress(packed.data(), &packedSize, profile.data(), static_cast<uLong>(profile.size()));
    data.insert(data.end(), packed.begin(), packed.begin() + static_cast<ptrdiff_t>(packedSize));
    return WithPngChunk(stream.TakeBytes(), "iCCP", data);
}

TBytes CmykJpegFile(const std::array<uint8_t, 4>& inks, const TBytes& profile)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = kWidth;
    info.image_height = kHeight;
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    jpeg_write_icc_profile(&info, profile.data(), static_cast<unsigned int>(profile.size()));
    TBytes row;
    for (int32_t x = 0; x < kWidth; ++x)
        for (uint8_t ink : inks) row.push_back(static_cast<uint8_t>(255 - ink));
    for (int32_t y = 0; y < kHeight; ++y) {
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    TBytes bytes(out, out + size);
    jpeg_destroy_compress(&info);
    std::free(out);
    return bytes;
}

TRgb InksToSRGB(const std::array<uint8_t, 4>& inks, const TBytes& profile)
{
    return ConvertPixels(inks.data(), 1, TYPE_CMYK_8, profile, {}, INTENT_PERCEPTUAL)[0];
}

TBytes BmpFile(TRgb numbers, const TBytes& profile)
{
    constexpr size_t kInfo = 14, kHeader = 124;
    constexpr size_t kStride = kWidth * 3;
    TBytes bytes(kInfo + kHeader, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32LE(bytes, 10, kInfo + kHeader);
    Put32LE(bytes, kInfo, kHeader);
    Put32LE(bytes, kInfo + 4, kWidth);
    Put32LE(bytes, kInfo + 8, kHeight);
    bytes[kInfo + 12] = 1;
    bytes[kInfo + 14] = 24;
    for (int32_t i = 0; i < kWidth * kHeight; ++i)
        bytes.insert(bytes.end(), {uint8_t(numbers.B), uint8_t(numbers.G), uint8_t(numbers.R)});
    static_assert(kStride % 4 == 0);
    Put32LE(bytes, kInfo + 56, profile.empty() ? 0x73524742 : 0x4D424544);  // 'sRGB', 'MBED'
    if (!profile.empty()) {
        Put32LE(bytes, kInfo + 112, static_cast<uint32_t>(bytes.size() - kInfo));
        Put32LE(bytes, kInfo + 116, static_cast<uint32_t>(profile.size()));
        bytes.insert(bytes.end(), profile.begin(), profile.end());
    }
    Put32LE(bytes, 2, static_cast<uint32_t>(bytes.size()));
    return bytes;
}

void WriteFile(const std::filesystem::path& path, const TBytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TRgb TDecoded::At(int32_t x, int32_t y) const
{
    const size_t at = (size_t(y) * size_t(Width) + size_t(x)) * 3;
    return {Rgb[at], Rgb[at + 1], Rgb[at + 2]};
}

namespace {

TDecoded DecodeWebp(const TBytes& bytes)
{
    TDecoded decoded;
    uint8_t* rgb = WebPDecodeRGB(bytes.data(), bytes.size(), &decoded.Width, &decoded.Height);
    if (!rgb) return decoded;
    decoded.Rgb.assign(rgb, rgb + size_t(decoded.Width) * size_t(decoded.Height) * 3);
    WebPFree(rgb);
    const WebPData data{bytes.data(), bytes.size()};
    WebPDemuxer* demux = WebPDemux(&data);
    WebPChunkIterator chunk;
    if (demux && WebPDemuxGetChunk(demux, "ICCP", 1, &chunk)) {
        decoded.Profile.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    WebPDemuxDelete(demux);
    return decoded;
}

std::unique_ptr<TGraphic> ReaderFor(const std::filesystem::path& path)
{
    const std::string extension = path.extension().string();
    if (extension == ".jpg") return std::make_unique<TJPEGImage>();
    if (extension == ".png") return std::make_unique<TPNGImage>();
    return std::make_unique<TBmpImage>();
}

}  // namespace

TDecoded DecodeFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    const TBytes bytes((std::istreambuf_iterator<char>(file)), {});
    if (path.extension() == ".webp") return DecodeWebp(bytes);
    const std::unique_ptr<TGraphic> graphic = ReaderFor(path);
    TMemoryStream stream(bytes);
    graphic->LoadFromStream(stream);
    TBigBitmap pixels;
    TakeWorkingCopy(*graphic, pixels);
    TDecoded decoded;
    decoded.Width = pixels.GetWidth();
    decoded.Height = pixels.GetHeight();
    for (int32_t y = 0; y < decoded.Height; ++y) {
        const uint8_t* row = pixels.GetScanline(y);
        for (int32_t x = 0; x < decoded.Width; ++x) decoded.Rgb.insert(decoded.Rgb.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
    }
    const std::span<const uint8_t> profile = ProfileOf(*graphic).Bytes();
    decoded.Profile.assign(profile.begin(), profile.end());
    return decoded;
}

::testing::AssertionResult Near(TRgb actual, TRgb expected, int tolerance)
{
    if (std::abs(actual.R - expected.R) <= tolerance && std::abs(actual.G - expected.G) <= tolerance &&
        std::abs(actual.B - expected.B) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.R << ", " << actual.G << ", " << actual.B << ") is not within "
                                         << tolerance << " of (" << expected.R << ", " << expected.G << ", "
                                         << expected.B << ")";
}

}  // namespace quilmo::test
