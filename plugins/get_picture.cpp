#include "plugins/get_picture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "plugins/spi_codes.h"

namespace quilmo::spi {

namespace {

constexpr uint32_t kSourceMask = 7;
constexpr uint32_t kSourceFile = 0;
constexpr uint32_t kSourceMemory = 1;

class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : FFd(fd) {}
    ~TFileDescriptor() { if (FFd >= 0) ::close(FFd); }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return FFd; }

private:
    int FFd;
};

// The regular file from offset to its end; 0 or an error code. O_NONBLOCK keeps the open from
// waiting on a named pipe; it does not change how a regular file reads.
int32_t ReadFile(const char* name, int32_t offset, std::vector<uint8_t>& bytes)
{
    TFileDescriptor file(::open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return kCannotOpen;
    if (offset < 0) return kReadError;
    // The size known now sets the allocation; a file that grows meanwhile is read to its end.
    bytes.resize(status.st_size > offset ? static_cast<size_t>(status.st_size - offset) : 0);
    size_t done = 0;
    for (;;) {
        const off_t at = offset + static_cast<off_t>(done);
        ssize_t got;
        if (done < bytes.size()) {
            got = ::pread(file.Get(), bytes.data() + done, bytes.size() - done, at);
        } else {
            uint8_t more[65536];
            got = ::pread(file.Get(), more, sizeof more, at);
            if (got > 0) bytes.insert(bytes.end(), more, more + got);
        }
        if (got < 0) return kReadError;
        if (got == 0) break;
        done += static_cast<size_t>(got);
    }
    bytes.resize(done);
    return 0;
}

int32_t Decode(TDecodeFunction decode, const uint8_t* data, size_t size, void** info, void** bits,
               SusieProgressCallback* progress, int32_t callbackData)
{
    if (progress && progress(0, 1, callbackData) != 0) return kAborted;
    TDibBlocks blocks;
    if (const int32_t code = decode(data, size, blocks)) return code;
    if (progress && progress(1, 1, callbackData) != 0) return kAborted;
    *info = blocks.Info.Data.release();
    *bits = blocks.Bits.Data.release();
    return 0;
}

}  // namespace

int32_t AnswerGetPicture(TDecodeFunction decode, const char* source, int32_t offset, uint32_t flags, void** info,
                         void** bits, SusieProgressCallback* progress, int32_t callbackData)
{
    if (!source || !info || !bits) return kNotImplemented;
    try {
        switch (flags & kSourceMask) {
        case kSourceFile: {
            std::vector<uint8_t> bytes;
            if (const int32_t code = ReadFile(source, offset, bytes)) return code;
            return Decode(decode, bytes.data(), bytes.size(), info, bits, progress, callbackData);
        }
        case kSourceMemory:
            if (offset < 0) return kNotImplemented;
            return Decode(decode, reinterpret_cast<const uint8_t*>(source), static_cast<size_t>(offset), info, bits,
                          progress, callbackData);
        default:
            return kNotImplemented;
        }
    } catch (...) {
        // Nothing may leave a C interface; a failed allocation of the file's bytes lands here.
        return kOutOfMemory;
    }
}

}  // namespace quilmo::spi
