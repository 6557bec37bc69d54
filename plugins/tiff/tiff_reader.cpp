#include "plugins/tiff/tiff_reader.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <limits>
#include <memory>

#include "plugins/dib_writer.h"
#include "plugins/pixel_limit.h"
#include "plugins/spi_codes.h"
#include "plugins/tiff/tiff_directory.h"
#include "plugins/tiff/tiff_samples.h"

namespace quilmo::spi {

namespace {

// The file in memory, read through libtiff's client interface.
struct TMemoryFile {
    const uint8_t* Data;
    uint64_t Size;
    uint64_t Position = 0;
};

TMemoryFile& FileOf(thandle_t handle) { return *static_cast<TMemoryFile*>(handle); }

tmsize_t ReadMemory(thandle_t handle, void* buffer, tmsize_t count)
{
    TMemoryFile& file = FileOf(handle);
    if (count < 0 || file.Position >= file.Size) return 0;
    const uint64_t n = std::min<uint64_t>(static_cast<uint64_t>(count), file.Size - file.Position);
    std::memcpy(buffer, file.Data + file.Position, n);
    file.Position += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t WriteNothing(thandle_t, void*, tmsize_t) { return -1; }

toff_t SeekMemory(thandle_t handle, toff_t offset, int whence)
{
    TMemoryFile& file = FileOf(handle);
    const uint64_t base = whence == SEEK_CUR ? file.Position : whence == SEEK_END ? file.Size : 0;
    // Positions past the end are allowed, as in a file; reads there find nothing.
    if (offset > std::numeric_limits<uint64_t>::max() - base) return static_cast<toff_t>(-1);
    file.Position = base + offset;
    return file.Position;
}

int CloseNothing(thandle_t) { return 0; }
toff_t SizeOfMemory(thandle_t handle) { return FileOf(handle).Size; }

int MapMemory(thandle_t handle, void** base, toff_t* size)
{
    *base = const_cast<uint8_t*>(FileOf(handle).Data);  // libtiff only reads a mapped file
    *size = FileOf(handle).Size;
    return 1;
}

void UnmapNothing(thandle_t, void*, toff_t) {}

// libtiff's messages would go to stderr; the error code says enough.
int Quiet(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct TFreeOptions {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};
struct TCloseTiff {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

// No single block libtiff allocates needs more than the samples of a picture at the limit, and
// room for its tables besides.
tmsize_t AllocationLimit()
{
    constexpr int64_t kMaxBytesPerPixel = kSampleBytesAtTheLimit;
    constexpr int64_t kTables = 64 << 20;
    constexpr int64_t kMax = std::numeric_limits<tmsize_t>::max();
    const int64_t pixels = PluginPixelLimit();
    return pixels > (kMax - kTables) / kMaxBytesPerPixel ? kMax : static_cast<tmsize_t>(pixels * kMaxBytesPerPixel + kTables);
}

// The ICC profile of tag 34675; sRGB without one.
TColorProfile ProfileOf(TIFF* tiff)
{
    uint32_t size = 0;
    const void* icc = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &size, &icc) || !icc) return {};
    return TColorProfile::FromICC({static_cast<const uint8_t*>(icc), size});
}

}  // namespace

bool LooksLikeTiff(const uint8_t* data, size_t size)
{
    if (!data || size < 4) return false;
    const bool little = data[0] == 'I' && data[1] == 'I', big = data[0] == 'M' && data[1] == 'M';
    const unsigned version = little ? data[2] | data[3] << 8 : data[2] << 8 | data[3];
    return (little || big) && (version == 42 || version == 43);
}

int32_t DecodeTiff(const uint8_t* data, size_t size, TDibBlocks& blocks)
{
    if (!LooksLikeTiff(data, size)) return kUnknownFormat;
    if (!DirectoryFitsTheFile(data, size)) return kBrokenData;
    const std::unique_ptr<TIFFOpenOptions, TFreeOptions> options(TIFFOpenOptionsAlloc());
    if (!options) return kOutOfMemory;
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), AllocationLimit());
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), Quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), Quiet, nullptr);
    TMemoryFile file{data, size};
    const std::unique_ptr<TIFF, TCloseTiff> tiff(TIFFClientOpenExt("picture", "r", &file, ReadMemory, WriteNothing,
                                                                    SeekMemory, CloseNothing, SizeOfMemory,
                                                                    MapMemory, UnmapNothing, options.get()));
    if (!tiff) return kBrokenData;

    uint32_t width = 0, height = 0;
    uint16_t orientation = ORIENTATION_TOPLEFT;
    if (!TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height))
        return kBrokenData;
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_ORIENTATION, &orientation);
    TDibWriter writer;
    if (const int32_t code = writer.Allocate(width, height, orientation)) return code;
    if (const int32_t code = ReadTiffPixels(tiff.get(), ProfileOf(tiff.get()), writer)) return code;
    writer.TakeBlocks(blocks);
    return 0;
}

}  // namespace quilmo::spi
