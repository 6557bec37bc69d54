#include "png_writer.h"

#include <memory>
#include <span>
#include <string>

#include "bgr_rows.h"
#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/errors.h"
#include "input/png_error.h"
#include "png_deflate_bands.h"
#include "stream_sink.h"
#include "write_failure.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

void WriteBytes(png_structp png, png_bytep data, size_t count)
{
    auto& sink = *static_cast<TStreamSink*>(png_get_io_ptr(png));
    if (!sink.Write(data, count)) png_error(png, "write failed");
}

void FlushNothing(png_structp) {}

constexpr png_byte kIdat[] = "IDAT";
constexpr png_byte kIend[] = "IEND";

void BgrToRgb(const uint8_t* bgr, int32_t width, uint8_t* rgb)
{
    for (int32_t x = 0; x < width; ++x, bgr += 3, rgb += 3) {
        rgb[0] = bgr[2];
        rgb[1] = bgr[1];
        rgb[2] = bgr[0];
    }
}

// One libpng writer into sink, released in every case.
class TPngWriter {
public:
    explicit TPngWriter(TStreamSink& sink) : FSink(sink)
    {
        const bool created = PngCall(FErrors, [this] {
            FPng.Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &FErrors, PngErrorFunction,
                                               PngWarningFunction);
        });
        if (!created) Fail();
        if (FPng.Png) FPng.Info = png_create_info_struct(FPng.Png);
        if (!FPng.Info) FailToWrite("PNG", UiText(UI_TEXT("quilmo", "メモリーが足りません")));
        png_set_write_fn(FPng.Png, &sink, WriteBytes, FlushNothing);
        // libpng writes at most a million pixels across by default; PNG itself holds any width
        // a big bitmap does.
        png_set_user_limits(FPng.Png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    }
    TPngWriter(const TPngWriter&) = delete;
    TPngWriter& operator=(const TPngWriter&) = delete;

    void Write(TBigBitmap& picture, const TColorProfile& profile, const TRowGate& gate)
    {
        Call([&] {
            png_set_IHDR(FPng.Png, FPng.Info, static_cast<png_uint_32>(picture.GetWidth()),
                         static_cast<png_uint_32>(picture.GetHeight()), 8, PNG_COLOR_TYPE_RGB,
                         PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
            if (!profile.IsSRGB()) {
                const std::span<const uint8_t> icc = profile.Bytes();
                png_set_iCCP(FPng.Png, FPng.Info, "ICC profile", PNG_COMPRESSION_TYPE_BASE, icc.data(),
                             static_cast<png_uint_32>(icc.size()));
            }
            png_write_info(FPng.Png, FPng.Info);
        });
        const int32_t width = picture.GetWidth();
        const TPngPixels pixels{width, picture.GetHeight(), [&picture, &gate, width]() -> TPngRowReader {
            auto rows = std::make_shared<TBGRRows>(picture, gate);
            return [rows, width](int32_t y, uint8_t* rgb) { BgrToRgb(rows->Row(y), width, rgb); };
        }};
        // The pixel data is deflated here, on every thread, and written as IDAT chunks of our
        // own; libpng writes the chunks around them.
        DeflatePngPixels(pixels, [this](std::span<const uint8_t> data) {
            Call([&] { png_write_chunk(FPng.Png, kIdat, data.data(), data.size()); });
        });
        Call([this] { png_write_chunk(FPng.Png, kIend, nullptr, 0); });
    }

private:
    template <typename F>
    void Call(const F& call)
    {
        if (!PngCall(FErrors, call)) Fail();
    }

    [[noreturn]] void Fail()
    {
        FSink.RethrowFailure();
        FailToWrite("PNG", FErrors.Message);
    }

    TStreamSink& FSink;
    TPngErrors FErrors;
    // Released after the writer's other members, and also when the constructor fails.
    struct THandles {
        png_structp Png = nullptr;
        png_infop Info = nullptr;
        ~THandles() { png_destroy_write_struct(&Png, &Info); }
    } FPng;
};

}  // namespace

void WritePng(TBigBitmap& picture, TStream& stream, const TColorProfile& profile, const TRowGate& gate)
{
    TStreamSink sink(stream);
    TPngWriter writer(sink);
    writer.Write(picture, profile, gate);
}

}  // namespace quilmo
