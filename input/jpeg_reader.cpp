#include "jpeg_reader.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bigbitmap/errors.h"
#include "color/color_transform.h"
#include "exif_orientation.h"
#include "jpeg_markers.h"
#include "oriented_rows.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

constexpr int kExifMarker = JPEG_APP0 + 1;
constexpr int kIccMarker = JPEG_APP0 + 2;

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

}  // namespace

void TJpegReader::Fail(const char* message)
{
    throw EInvalidGraphic(FillIn(UiText(UI_TEXT("quilmo", "JPEG 画像が正しくありません: %1")), message));
}

TJpegReader::TJpegReader(std::span<const uint8_t> bytes) : FBytes(bytes)
{
    const TJpegEnding ending = JpegEnding(bytes);
    if (ending == TJpegEnding::Truncated) Fail("Premature end of JPEG file");
    FInfo.err = InitJpegErrorManager(FErrors, true);
    FErrors.EndMarkerMayBeMissing = ending == TJpegEnding::EndMarkerMissing;
    if (!JpegCall(FErrors, [this] { jpeg_create_decompress(&FInfo); })) {
        jpeg_destroy_decompress(&FInfo);
        Fail(FErrors.Message);
    }
}

TJpegReader::~TJpegReader()
{
    jpeg_destroy_decompress(&FInfo);
}

void TJpegReader::ReadHeader()
{
    Call([&] { jpeg_mem_src(&FInfo, FBytes.data(), FBytes.size()); });
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

TColorProfile TJpegReader::Profile()
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

void TJpegReader::ReadPixels(TPictureRows& rows)
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

jvirt_barray_ptr* TJpegReader::ReadCoefficients()
{
    jvirt_barray_ptr* arrays = nullptr;
    Call([&] { arrays = jpeg_read_coefficients(&FInfo); });
    return arrays;
}

void TJpegReader::ReadScanline(uint8_t* row)
{
    JDIMENSION read = 0;
    Call([&] { read = jpeg_read_scanlines(&FInfo, &row, 1); });
    if (read != 1) Fail("Premature end of JPEG file");
}

}  // namespace quilmo
