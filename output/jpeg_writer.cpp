#include "jpeg_writer.h"

#include <string>
#include <vector>

#include "bgr_rows.h"
#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/errors.h"
#include "input/jpeg_error.h"
#include "stream_sink.h"

#include <jerror.h>

namespace quilmo {

namespace {

constexpr size_t kBufferSize = 65536;
static_assert(kMaxJpegSide == JPEG_MAX_DIMENSION);

// libjpeg's output, buffered, into a stream. Reached from the library's callbacks through the
// compressor's client_data.
struct TJpegOutput {
    explicit TJpegOutput(TStream& stream) : Sink(stream), Buffer(kBufferSize) {}

    jpeg_destination_mgr Manager{};
    TStreamSink Sink;
    std::vector<JOCTET> Buffer;
};

TJpegOutput& OutputOf(j_compress_ptr info)
{
    return *static_cast<TJpegOutput*>(info->client_data);
}

void StartBuffer(j_compress_ptr info)
{
    TJpegOutput& output = OutputOf(info);
    output.Manager.next_output_byte = output.Buffer.data();
    output.Manager.free_in_buffer = output.Buffer.size();
}

boolean FlushFullBuffer(j_compress_ptr info)
{
    TJpegOutput& output = OutputOf(info);
    if (!output.Sink.Write(output.Buffer.data(), output.Buffer.size())) ERREXIT(info, JERR_FILE_WRITE);
    StartBuffer(info);
    return TRUE;
}

void FlushRest(j_compress_ptr info)
{
    TJpegOutput& output = OutputOf(info);
    const size_t used = output.Buffer.size() - output.Manager.free_in_buffer;
    if (!output.Sink.Write(output.Buffer.data(), used)) ERREXIT(info, JERR_FILE_WRITE);
}

// One compressor writing into output, released in every case.
class TJpegWriter {
public:
    explicit TJpegWriter(TJpegOutput& output) : FOutput(output)
    {
        FInfo.err = InitJpegErrorManager(FErrors, false);
        if (!JpegCall(FErrors, [this] { jpeg_create_compress(&FInfo); })) {
            jpeg_destroy_compress(&FInfo);
            Fail();
        }
        FInfo.client_data = &output;
        output.Manager.init_destination = StartBuffer;
        output.Manager.empty_output_buffer = FlushFullBuffer;
        output.Manager.term_destination = FlushRest;
        FInfo.dest = &output.Manager;
    }
    ~TJpegWriter() { jpeg_destroy_compress(&FInfo); }
    TJpegWriter(const TJpegWriter&) = delete;
    TJpegWriter& operator=(const TJpegWriter&) = delete;

    void Write(TBigBitmap& picture, const TJpegSaveOptions& options, const TColorProfile& profile,
               const TRowGate& gate)
    {
        FInfo.image_width = static_cast<JDIMENSION>(picture.GetWidth());
        FInfo.image_height = static_cast<JDIMENSION>(picture.GetHeight());
        // The rows go in as they lie in the bands; libjpeg reads blue, green, red itself.
        FInfo.input_components = 3;
        FInfo.in_color_space = JCS_EXT_BGR;
        Call([this] { jpeg_set_defaults(&FInfo); });
        FInfo.dct_method = JDCT_FLOAT;
        Call([&] { jpeg_set_quality(&FInfo, options.Quality, TRUE); });
        if (options.Progressive) Call([this] { jpeg_simple_progression(&FInfo); });
        Call([this] { jpeg_start_compress(&FInfo, TRUE); });
        if (!profile.IsSRGB()) {
            const std::span<const uint8_t> icc = profile.Bytes();
            Call([&] { jpeg_write_icc_profile(&FInfo, icc.data(), static_cast<unsigned int>(icc.size())); });
        }
        TBGRRows rows(picture, gate);
        for (int32_t y = 0; y < picture.GetHeight(); ++y) {
            JSAMPROW row = const_cast<JSAMPROW>(rows.Row(y));
            Call([&] { jpeg_write_scanlines(&FInfo, &row, 1); });
        }
        Call([this] { jpeg_finish_compress(&FInfo); });
    }

private:
    template <typename F>
    void Call(const F& call)
    {
        if (!JpegCall(FErrors, call)) Fail();
    }

    [[noreturn]] void Fail()
    {
        FOutput.Sink.RethrowFailure();
        throw EWriteError(std::string("Cannot write the JPEG picture: ") + FErrors.Message);
    }

    TJpegOutput& FOutput;
    jpeg_compress_struct FInfo{};
    TJpegErrorManager FErrors;
};

}  // namespace

void CheckJpegSize(int32_t width, int32_t height)
{
    if (width <= kMaxJpegSide && height <= kMaxJpegSide) return;
    throw EWriteError("Cannot write the JPEG picture: a JPEG picture is at most " + std::to_string(kMaxJpegSide) +
                      " pixels wide and high, this one is " + std::to_string(width) + " x " +
                      std::to_string(height) + "; save it as PNG");
}

void WriteJpeg(TBigBitmap& picture, TStream& stream, const TJpegSaveOptions& options,
               const TColorProfile& profile, const TRowGate& gate)
{
    CheckJpegSize(picture.GetWidth(), picture.GetHeight());
    TJpegOutput output(stream);
    TJpegWriter writer(output);
    writer.Write(picture, options, profile, gate);
}

}  // namespace quilmo
