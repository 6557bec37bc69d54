#include "plugins/get_picture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "bigbitmap/file_descriptor.h"
#include "plugins/spi_codes.h"

namespace quilmo::spi {

namespace {

constexpr uint32_t kSourceMask = 7;
constexpr uint32_t kSourceFile = 0;
constexpr uint32_t kSourceMemory = 1;

// The regular file from offset to its end as it was when opened; 0 or an error code. O_NONBLOCK
// keeps the open from waiting on a named pipe; it does not change how a regular file reads.
int32_t ReadFile(const char* name, int32_t offset, TMallocBlock& bytes)
{
    TFileDescriptor file(::open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return kCannotOpen;
    if (offset < 0) return kReadError;
    const size_t size = status.st_size > offset ? static_cast<size_t>(status.st_size - offset) : 0;
    if (!bytes.Allocate(size)) return kOutOfMemory;
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(file.Get(), bytes.Data.get() + done, size - done, offset + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return kReadError;
        if (got == 0) break;  // the file shrank meanwhile
        done += static_cast<size_t>(got);
    }
    bytes.Size = done;
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
            TMallocBlock bytes;
            if (const int32_t code = ReadFile(source, offset, bytes)) return code;
            return Decode(decode, bytes.Data.get(), bytes.Size, info, bits, progress, callbackData);
        }
        case kSourceMemory:
            if (offset < 0) return kNotImplemented;
            return Decode(decode, reinterpret_cast<const uint8_t*>(source), static_cast<size_t>(offset), info, bits,
                          progress, callbackData);
        default:
            return kNotImplemented;
        }
    } catch (...) {
        // Nothing may leave a C interface; a decoder's failed allocation lands here.
        return kOutOfMemory;
    }
}

}  // namespace quilmo::spi
