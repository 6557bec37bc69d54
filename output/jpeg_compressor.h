#pragma once
// One libjpeg compressor writing into a stream through a buffer, released in every case. Its
// failures, the library's and the stream's, are raised as C++ errors once the library has been
// left.

#include <vector>

#include "input/jpeg_error.h"
#include "stream_sink.h"

namespace quilmo {

class TStream;

class TJpegCompressor {
public:
    explicit TJpegCompressor(TStream& stream);
    ~TJpegCompressor();
    TJpegCompressor(const TJpegCompressor&) = delete;
    TJpegCompressor& operator=(const TJpegCompressor&) = delete;

    j_compress_ptr Info() { return &FInfo; }

    // Runs call, one library call; a failure raises the stream's error, or EWriteError
    // ("Cannot write the JPEG picture: <the library's message>").
    template <typename F>
    void Call(const F& call)
    {
        if (!JpegCall(FErrors, call)) Fail();
    }

private:
    struct TOutput {
        explicit TOutput(TStream& stream);
        jpeg_destination_mgr Manager{};
        TStreamSink Sink;
        std::vector<JOCTET> Buffer;
    };
    static TOutput& OutputOf(j_compress_ptr info);
    static void StartBuffer(j_compress_ptr info);
    static boolean FlushFullBuffer(j_compress_ptr info);
    static void FlushRest(j_compress_ptr info);

    [[noreturn]] void Fail();

    TOutput FOutput;
    jpeg_compress_struct FInfo{};
    TJpegErrorManager FErrors;
};

}  // namespace quilmo
