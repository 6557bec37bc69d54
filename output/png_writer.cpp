#include "png_writer.h"

#include <string>

#include "bgr_rows.h"
#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/errors.h"
#include "input/png_error.h"
#include "stream_sink.h"

namespace quilmo {

namespace {

void WriteBytes(png_structp png, png_bytep data, size_t count)
{
    auto& sink = *static_cast<TStreamSink*>(png_get_io_ptr(png));
    if (!sink.Write(data, count)) png_error(png, "write failed");
}

void FlushNothing(png_structp) {}

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
        if (!FPng.Info) throw EWriteError("Cannot write the PNG picture: out of memory");
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
            png_set_bgr(FPng.Png);
        });
        TBGRRows rows(picture, gate);
        for (int32_t y = 0; y < picture.GetHeight(); ++y) {
            png_bytep row = const_cast<png_bytep>(rows.Row(y));
            Call([&] { png_write_row(FPng.Png, row); });
        }
        Call([this] { png_write_end(FPng.Png, nullptr); });
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
        throw EWriteError(std::string("Cannot write the PNG picture: ") + FErrors.Message);
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
