#pragma once
// Writing to a stream from inside a C library's output callback, where no C++ exception may
// pass: a failure is kept, the callback stops the library its own way, and the caller raises
// the kept failure once the library has been left.

#include <cstddef>
#include <exception>

namespace quilmo {

class TStream;

class TStreamSink {
public:
    explicit TStreamSink(TStream& stream) : FStream(stream) {}

    // False when the stream failed; nothing is written after a failure.
    bool Write(const void* data, size_t count) noexcept;
    // Raises the kept failure, if there is one.
    void RethrowFailure() const;

private:
    TStream& FStream;
    std::exception_ptr FFailure;
};

}  // namespace quilmo
