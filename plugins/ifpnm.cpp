// ifpnm.spi: the import plug-in for Netpbm pictures that ships with Quilmo.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <memory>
#include <vector>

#include "plugins/pnm/pnm_reader.h"
#include "plugins/spi_codes.h"
#include "plugins/spi_export.h"

using namespace quilmo::spi;

namespace {

constexpr uint32_t kSourceMask = 7;
constexpr uint32_t kSourceFile = 0;
constexpr uint32_t kSourceMemory = 1;

constexpr std::array<const char*, 10> kPluginInfo = {
    "00IN",           "Quilmo Netpbm reader (PBM, PGM, PPM)",
    "*.pnm",          "Portable anymap",
    "*.ppm",          "Portable pixmap",
    "*.pgm",          "Portable graymap",
    "*.pbm",          "Portable bitmap",
};

struct TCloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Opens a regular file for reading. O_NONBLOCK keeps the open from waiting on a named pipe;
// it does not change how a regular file reads.
std::FILE* OpenRegularFile(const char* name)
{
    const int fd = ::open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat status {};
    std::FILE* file = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) ? ::fdopen(fd, "rb") : nullptr;
    if (!file) ::close(fd);
    return file;
}

// The file from offset to its end; 0 or an error code.
int32_t ReadFile(const char* name, int32_t offset, std::vector<uint8_t>& bytes)
{
    std::unique_ptr<std::FILE, TCloseFile> file(OpenRegularFile(name));
    if (!file) return kCannotOpen;
    if (offset < 0 || std::fseek(file.get(), offset, SEEK_SET) != 0) return kReadError;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    return std::ferror(file.get()) ? kReadError : 0;
}

int32_t Decode(const uint8_t* data, size_t size, void** info, void** bits, SusieProgressCallback* progress,
               int32_t callbackData)
{
    if (progress && progress(0, 1, callbackData) != 0) return kAborted;
    TDibBlocks blocks;
    if (const int32_t code = DecodePnm(data, size, blocks)) return code;
    if (progress && progress(1, 1, callbackData) != 0) return kAborted;
    *info = blocks.Info.Data.release();
    *bits = blocks.Bits.Data.release();
    return 0;
}

}  // namespace

int32_t GetPluginInfo(int32_t infoNumber, char* buffer, int32_t bufferLength)
{
    return CopyPluginInfo(kPluginInfo, infoNumber, buffer, bufferLength);
}

int32_t IsSupported(const char*, const void* fileStart)
{
    // The first bytes of the file; the host always passes them, at least 2 KiB.
    return LooksLikePnm(static_cast<const uint8_t*>(fileStart), 3) ? 1 : 0;
}

int32_t GetPicture(const char* source, int32_t offset, uint32_t flags, void** info, void** bits,
                   SusieProgressCallback* progress, int32_t callbackData)
{
    if (!source || !info || !bits) return kNotImplemented;
    try {
        switch (flags & kSourceMask) {
        case kSourceFile: {
            std::vector<uint8_t> bytes;
            if (const int32_t code = ReadFile(source, offset, bytes)) return code;
            return Decode(bytes.data(), bytes.size(), info, bits, progress, callbackData);
        }
        case kSourceMemory:
            if (offset < 0) return kNotImplemented;
            return Decode(reinterpret_cast<const uint8_t*>(source), static_cast<size_t>(offset), info, bits,
                          progress, callbackData);
        default:
            return kNotImplemented;
        }
    } catch (...) {
        // Nothing may leave a C interface; a failed allocation of the file's bytes lands here.
        return kOutOfMemory;
    }
}
