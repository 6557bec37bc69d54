#include "stream_sink.h"

#include "bigbitmap/stream.h"

namespace quilmo {

bool TStreamSink::Write(const void* data, size_t count) noexcept
{
    if (FFailure) return false;
    try {
        FStream.WriteBuffer(data, static_cast<int64_t>(count));
        return true;
    } catch (...) {
        FFailure = std::current_exception();
        return false;
    }
}

void TStreamSink::RethrowFailure() const
{
    if (FFailure) std::rethrow_exception(FFailure);
}

}  // namespace quilmo
