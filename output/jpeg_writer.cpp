#include "jpeg_writer.h"

#include <string>

#include "bgr_rows.h"
#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/errors.h"
#include "jpeg_compressor.h"
#include "write_failure.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

static_assert(kMaxJpegSide == JPEG_MAX_DIMENSION);

void WriteRows(TJpegCompressor& compressor, TBigBitmap& picture, const TJpegSaveOptions& options,
               const TColorProfile& profile, const TRowGate& gate)
{
    const j_compress_ptr info = compressor.Info();
    info->image_width = static_cast<JDIMENSION>(picture.GetWidth());
    info->image_height = static_cast<JDIMENSION>(picture.GetHeight());
    // The rows go in as they lie in the bands; libjpeg reads blue, green, red itself.
    info->input_components = 3;
    info->in_color_space = JCS_EXT_BGR;
    compressor.Call([&] { jpeg_set_defaults(info); });
    info->dct_method = JDCT_FLOAT;
    compressor.Call([&] { jpeg_set_quality(info, options.Quality, TRUE); });
    if (options.Progressive) compressor.Call([&] { jpeg_simple_progression(info); });
    compressor.Call([&] { jpeg_start_compress(info, TRUE); });
    WriteIccProfile(compressor, profile);
    TBGRRows rows(picture, gate);
    for (int32_t y = 0; y < picture.GetHeight(); ++y) {
        JSAMPROW row = const_cast<JSAMPROW>(rows.Row(y));
        compressor.Call([&] { jpeg_write_scanlines(info, &row, 1); });
    }
    compressor.Call([&] { jpeg_finish_compress(info); });
}

}  // namespace

void CheckJpegSize(int32_t width, int32_t height)
{
    if (width <= kMaxJpegSide && height <= kMaxJpegSide) return;
    FailToWrite("JPEG", FillIn(UiText(UI_TEXT("quilmo", "JPEG 画像の幅と高さは %1 ピクセルまでですが、この画像は %2 x %3 です。PNG で保存してください")),
                               {std::to_string(kMaxJpegSide), std::to_string(width), std::to_string(height)}));
}

void WriteIccProfile(TJpegCompressor& compressor, const TColorProfile& profile)
{
    if (profile.IsSRGB()) return;
    const std::span<const uint8_t> icc = profile.Bytes();
    compressor.Call([&] {
        jpeg_write_icc_profile(compressor.Info(), icc.data(), static_cast<unsigned int>(icc.size()));
    });
}

void WriteJpeg(TBigBitmap& picture, TStream& stream, const TJpegSaveOptions& options,
               const TColorProfile& profile, const TRowGate& gate)
{
    CheckJpegSize(picture.GetWidth(), picture.GetHeight());
    TJpegCompressor compressor(stream);
    WriteRows(compressor, picture, options, profile, gate);
}

}  // namespace quilmo
