#include "jpeg_compressor.h"

#include <string>

#include "bigbitmap/errors.h"
#include "write_failure.h"

#include <jerror.h>

namespace quilmo {

namespace {

constexpr size_t kBufferSize = 65536;

}  // namespace

TJpegCompressor::TOutput::TOutput(TStream& stream) : Sink(stream), Buffer(kBufferSize) {}

// Reached from the library's callbacks through the compressor's client_data.
TJpegCompressor::TOutput& TJpegCompressor::OutputOf(j_compress_ptr info)
{
    return *static_cast<TOutput*>(info->client_data);
}

void TJpegCompressor::StartBuffer(j_compress_ptr info)
{
    TOutput& output = OutputOf(info);
    output.Manager.next_output_byte = output.Buffer.data();
    output.Manager.free_in_buffer = output.Buffer.size();
}

boolean TJpegCompressor::FlushFullBuffer(j_compress_ptr info)
{
    TOutput& output = OutputOf(info);
    if (!output.Sink.Write(output.Buffer.data(), output.Buffer.size())) ERREXIT(info, JERR_FILE_WRITE);
    StartBuffer(info);
    return TRUE;
}

void TJpegCompressor::FlushRest(j_compress_ptr info)
{
    TOutput& output = OutputOf(info);
    const size_t used = output.Buffer.size() - output.Manager.free_in_buffer;
    if (!output.Sink.Write(output.Buffer.data(), used)) ERREXIT(info, JERR_FILE_WRITE);
}

TJpegCompressor::TJpegCompressor(TStream& stream) : FOutput(stream)
{
    FInfo.err = InitJpegErrorManager(FErrors, false);
    if (!JpegCall(FErrors, [this] { jpeg_create_compress(&FInfo); })) {
        jpeg_destroy_compress(&FInfo);
        Fail();
    }
    FInfo.client_data = &FOutput;
    FOutput.Manager.init_destination = StartBuffer;
    FOutput.Manager.empty_output_buffer = FlushFullBuffer;
    FOutput.Manager.term_destination = FlushRest;
    FInfo.dest = &FOutput.Manager;
}

TJpegCompressor::~TJpegCompressor()
{
    jpeg_destroy_compress(&FInfo);
}

void TJpegCompressor::Fail()
{
    FOutput.Sink.RethrowFailure();
    FailToWrite("JPEG", FErrors.Message);
}

}  // namespace quilmo
