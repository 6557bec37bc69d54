#include "susie_graphic.h"

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/file_descriptor.h"
#include "bigbitmap/pixel_limit.h"
#include "bigbitmap/stream.h"
#include "graphic_registry.h"
#include "susie_dib.h"
#include "susie_errors.h"
#include "susie_plugins.h"

namespace quilmo {

namespace {

// Plug-ins see this much of the file when asked whether they read it.
constexpr size_t kFileStartSize = 2600;

const int kRegistryOwner = 0;

// Lock (F_RDLCK) or unlock the whole file. Open-file-description locks belong to this open
// file, not to the process, so they also conflict with locks held elsewhere in this program.
bool SetFileLock(int fd, short type)
{
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
#ifdef F_OFD_SETLK
    return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
#else
    return ::fcntl(fd, F_SETLK, &lock) == 0;
#endif
}

void ReadFileStart(int fd, std::array<uint8_t, kFileStartSize + 1>& start)
{
    size_t done = 0;
    while (done < kFileStartSize) {
        const ssize_t got = ::pread(fd, start.data() + done, kFileStartSize - done, static_cast<off_t>(done));
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
}

// Which plug-in reads the file: 0 with module set, or the host's error code.
int32_t FindPluginForFile(const std::filesystem::path& path, TSusieModule& module)
{
    // Without O_NONBLOCK, opening a named pipe would wait for a writer; a file that is no
    // regular file is refused right after opening anyway.
    TFileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode))
        return kSusieCannotOpen;
    if (!SetFileLock(file.Get(), F_RDLCK)) return kSusieCannotLock;
    std::array<uint8_t, kFileStartSize + 1> start{};
    ReadFileStart(file.Get(), start);
    const std::optional<int32_t> supported = FindSupportingPlugin(path.string(), start.data(), module);
    SetFileLock(file.Get(), F_UNLCK);
    if (!supported) return kSusieInternalError;
    return *supported ? 0 : kSusieNotSupported;
}

struct TFreeBlock {
    void operator()(void* block) const { std::free(block); }
};
using TPluginBlock = std::unique_ptr<void, TFreeBlock>;

// The blocks carry no size of their own; the allocator knows it, rounded up to its own
// granularity. A block a few bytes short of its rows thus reads the allocator's slack, which is
// still inside the block.
size_t BlockSize(const TPluginBlock& block) { return block ? malloc_usable_size(block.get()) : 0; }

int32_t ContinueDecoding(int32_t, int32_t, int32_t) { return 0; }

}  // namespace

void tsusiegraphic::Assign(TGraphic* source)
{
    TBitmap::Assign(source);
    if (auto* susie = dynamic_cast<tsusiegraphic*>(source)) {
        FPicFormat = susie->FPicFormat;
        FPicPalette = susie->FPicPalette;
    } else {
        FPicFormat = PixelFormat();
        FPicPalette.clear();
    }
    FProfile = source ? ProfileOf(*source) : TColorProfile();
}

void tsusiegraphic::AssignTo(TGraphic& dest)
{
    if (!dynamic_cast<TBitmap*>(&dest) && !dynamic_cast<TBigBitmap*>(&dest)) return;
    if (GetEmpty()) {
        dest.Assign(nullptr);
        return;
    }
    TMemoryStream stream;
    SaveToStream(stream);
    stream.SetPosition(0);
    dest.LoadFromStream(stream);
}

void tsusiegraphic::LoadFromFile(const std::filesystem::path& path) { SetSusieError(Decode(path)); }

int32_t tsusiegraphic::Decode(const std::filesystem::path& path)
{
    // No plug-in is released while the list is searched or a plug-in runs.
    const TSusiePluginsInUse inUse;
    if (SusiePlugins.Count() == 0) return kSusieNotSupported;
    TSusieModule module = nullptr;
    if (const int32_t code = FindPluginForFile(path, module)) return code;
    auto* getPicture = SusieFunction<SusieGetPicture>(module, "GetPicture");
    if (!getPicture) return kSusieNoGetPicture;
    // A plug-in that knows the limit refuses a larger picture before decoding it.
    if (auto* setPixelLimit = SusieFunction<SusieSetPixelLimit>(module, "QuilmoSetPixelLimit"))
        CallPlugin(setPixelLimit, MaxPicturePixels());

    void* info = nullptr;
    void* bits = nullptr;
    const int32_t result =
        CallPlugin(getPicture, path.c_str(), 0, 0u, &info, &bits, &ContinueDecoding, 0).value_or(kSusieInternalError);
    TPluginBlock infoBlock(info);
    // One block handed out twice is freed once and makes no picture.
    TPluginBlock bitsBlock(bits != info ? bits : nullptr);
    if (result != 0) return result;
    const auto* infoBytes = static_cast<const uint8_t*>(infoBlock.get());
    const int32_t code = SusieBlocksToBitmap(infoBytes, BlockSize(infoBlock),
                                             static_cast<const uint8_t*>(bitsBlock.get()), BlockSize(bitsBlock),
                                             *this);
    if (code != 0) return code;
    FProfile = SusieBlockProfile(infoBytes, BlockSize(infoBlock));
    FPicFormat = PixelFormat();
    FPicPalette = FPicFormat == pf4bit || FPicFormat == pf8bit ? Palette() : TPalette{};
    return 0;
}

void RegisterSusieGraphic(const std::string& extension, const std::string& description)
{
    RegisterGraphicFormat({extension, description, [] { return std::make_unique<tsusiegraphic>(); },
                           &kRegistryOwner});
}

void UnregisterSusieGraphic() { UnregisterGraphicFormats(&kRegistryOwner); }

}  // namespace quilmo
