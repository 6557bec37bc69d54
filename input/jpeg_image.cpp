#include "jpeg_image.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bigbitmap/errors.h"
#include "color/color_transform.h"
#include "exif_orientation.h"
#include "jpeg_error.h"
#include "jpeg_markers.h"
#include "oriented_rows.h"

namespace quilmo {

namespace {

constexpr int kExifMarker = JPEG_APP0 + 1;
constexpr int kIccMarker = JPEG_APP0 + 2;

[[noreturn]] void Fail(const char* message)
{
    throw EInvalidGraphic(std::string("Invalid JPEG picture: ") + message);
}

// C, M, Y, K as decoded into blue, green, red. Adobe's files store the inks inverted (0 is
// full ink), and nearly every CMYK JPEG comes from Adobe's software.
void CmykToBgr(const uint8_t* cmyk, uint8_t* bgr, int32_t width, bool inverted)
{
    auto paper = [inverted](uint8_t value) { return inverted ? value : 255 - value; };
    auto mix = [](int a, int b) { return static_cast<uint8_t>((a * b + 127) / 255); };
    for (int32_t x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const int white = paper(cmyk[3]);
        bgr[0] = mix(paper(cmyk[2]), white);
        bgr[1] = mix(paper(cmyk[1]), white);
        bgr[2] = mix(paper(cmyk[0]), white);
    }
}

// Adobe's inverted inks (0 is full ink) as profiles take them.
void InvertInks(std::vector<uint8_t>& cmyk)
{
    for (uint8_t& ink : cmyk) ink = static_cast<uint8_t>(255 - ink);
}

// One decompressor over the bytes of a file, released in every case.
class TJpegReader {
public:
    explicit TJpegReader(TJpegEnding ending)
    {
        FInfo.err = InitJpegErrorManager(FErrors, true);
        FErrors.EndMarkerMayBeMissing = ending == TJpegEnding::EndMarkerMissing;
        if (!JpegCall(FErrors, [this] { jpeg_create_decompress(&FInfo); })) {
            jpeg_destroy_decompress(&FInfo);
            Fail(FErrors.Message);
        }
    }
    ~TJpegReader() { jpeg_destroy_decompress(&FInfo); }
    TJpegReader(const TJpegReader&) = delete;
    TJpegReader& operator=(const TJpegReader&) = delete;

    // Reads the markers up to the first scan and picks the output colours.
    void ReadHeader(std::span<const uint8_t> bytes)
    {
        Call([&] { jpeg_mem_src(&FInfo, bytes.data(), bytes.size()); });
        Call([&] { jpeg_save_markers(&FInfo, kExifMarker, 0xFFFF); });
        Call([&] { jpeg_save_markers(&FInfo, kIccMarker, 0xFFFF); });
        Call([&] { jpeg_read_header(&FInfo, TRUE); });
        for (jpeg_saved_marker_ptr marker = FInfo.marker_list; marker; marker = marker->next) {
            if (marker->marker != kExifMarker) continue;
            FOrientation = ExifOrientation(marker->data, marker->data_length);
            if (FOrientation != 1) break;
        }
        FInfo.out_color_space = IsCmyk() ? JCS_CMYK : JCS_EXT_BGR;
    }

    int32_t StoredWidth() const { return static_cast<int32_t>(FInfo.image_width); }
    int32_t StoredHeight() const { return static_cast<int32_t>(FInfo.image_height); }
    int Orientation() const { return FOrientation; }
    bool IsCmyk() const { return FInfo.jpeg_color_space == JCS_CMYK || FInfo.jpeg_color_space == JCS_YCCK; }

    // The embedded profile, when it describes the file's kind of pixels.
    TColorProfile Profile()
    {
        JOCTET* bytes = nullptr;
        unsigned int length = 0;
        Call([&] { jpeg_read_icc_profile(&FInfo, &bytes, &length); });
        const std::unique_ptr<JOCTET, decltype(&std::free)> held(bytes, &std::free);
        if (!bytes) return {};
        const TColorProfile profile = TColorProfile::FromICC({bytes, length});
        const TProfileKind kind = IsCmyk() ? TProfileKind::CMYK
                                  : FInfo.num_components == 1 ? TProfileKind::Gray
                                                              : TProfileKind::RGB;
        return profile.Kind() == kind ? profile : TColorProfile();
    }

    // CMYK pixels come out in sRGB: through the file's CMYK profile when it has one.
    void ReadPixels(TPictureRows& rows)
    {
        const std::shared_ptr<const TColorTransform> inks = IsCmyk() ? ColorTransform(Profile(), {}) : nullptr;
        Call([this] { jpeg_start_decompress(&FInfo); });
        const auto width = static_cast<int32_t>(FInfo.output_width);
        const auto height = static_cast<int32_t>(FInfo.output_height);
        TOrientedRows oriented(rows, FOrientation, width, height);
        std::vector<uint8_t> cmyk(IsCmyk() ? static_cast<size_t>(width) * 4 : 0);
        for (int32_t y = 0; y < height; ++y) {
            uint8_t* bgr = oriented.StoredRow(y);
            if (cmyk.empty()) {
                ReadScanline(bgr);
            } else {
                ReadScanline(cmyk.data());
                if (inks) {
                    if (FInfo.saw_Adobe_marker) InvertInks(cmyk);
                    inks->Apply(cmyk.data(), bgr, static_cast<size_t>(width));
                } else {
                    CmykToBgr(cmyk.data(), bgr, width, FInfo.saw_Adobe_marker);
                }
            }
            oriented.Place(y);
        }
        Call([this] { jpeg_finish_decompress(&FInfo); });
    }

private:
    template <typename F>
    void Call(const F& call)
    {
        if (!JpegCall(FErrors, call)) Fail(FErrors.Message);
    }

    void ReadScanline(uint8_t* row)
    {
        JDIMENSION read = 0;
        Call([&] { read = jpeg_read_scanlines(&FInfo, &row, 1); });
        if (read != 1) Fail("Premature end of JPEG file");
    }

    jpeg_decompress_struct FInfo{};
    TJpegErrorManager FErrors;
    int FOrientation = 1;
};

}  // namespace

TCompressedGraphic::THeader TJPEGImage::ReadHeader(std::span<const uint8_t> bytes) const
{
    const TJpegEnding ending = JpegEnding(bytes);
    if (ending == TJpegEnding::Truncated) Fail("Premature end of JPEG file");
    TJpegReader reader(ending);
    reader.ReadHeader(bytes);
    CheckPictureSize("JPEG", reader.StoredWidth(), reader.StoredHeight());
    // CMYK pixels are decoded into sRGB.
    TColorProfile profile = reader.IsCmyk() ? TColorProfile() : reader.Profile();
    if (OrientationSwapsSides(reader.Orientation()))
        return {reader.StoredHeight(), reader.StoredWidth(), std::move(profile)};
    return {reader.StoredWidth(), reader.StoredHeight(), std::move(profile)};
}

void TJPEGImage::Decode(std::span<const uint8_t> bytes, TPictureRows& rows) const
{
    TJpegReader reader(JpegEnding(bytes));
    reader.ReadHeader(bytes);
    reader.ReadPixels(rows);
}

}  // namespace quilmo
