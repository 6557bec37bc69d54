#include "stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "errors.h"
#include "save_target.h"
#include "temporary_files.h"
#include "ui_text.h"

namespace quilmo {

namespace {

int64_t SeekTarget(int64_t offset, TSeekOrigin origin, int64_t position, int64_t size)
{
    switch (origin) {
    case TSeekOrigin::soBeginning: return offset;
    case TSeekOrigin::soCurrent: return position + offset;
    case TSeekOrigin::soEnd: return size + offset;
    }
    return position;
}

}  // namespace

int64_t TStream::Size()
{
    const int64_t position = Position();
    const int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

int64_t TStream::Remaining()
{
    return std::max<int64_t>(0, Size() - Position());
}

std::vector<uint8_t> TStream::ReadRest()
{
    std::vector<uint8_t> bytes(static_cast<size_t>(Remaining()));
    ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    return bytes;
}

void TStream::ReadBuffer(void* buffer, int64_t count)
{
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count)
{
    if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

// --- TMemoryStream

int64_t TMemoryStream::Read(void* buffer, int64_t count)
{
    const int64_t size = Size();
    if (count <= 0 || FPosition < 0 || FPosition >= size) return 0;
    const int64_t n = std::min(count, size - FPosition);
    std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count)
{
    if (count <= 0 || FPosition < 0) return 0;
    const auto end = static_cast<size_t>(FPosition + count);
    if (end > FData.size()) {
        if (end > FData.capacity()) FData.reserve(std::max(end, FData.capacity() * 2));
        FData.resize(end);
    }
    std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    FPosition = SeekTarget(offset, origin, FPosition, Size());
    return FPosition;
}

std::vector<uint8_t> TMemoryStream::TakeBytes()
{
    FPosition = 0;
    return std::exchange(FData, {});
}

// --- TReadOnlyMemoryStream

int64_t TReadOnlyMemoryStream::Read(void* buffer, int64_t count)
{
    if (count <= 0 || FPosition < 0 || FPosition >= FSize) return 0;
    const int64_t n = std::min(count, FSize - FPosition);
    std::memcpy(buffer, FData + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TReadOnlyMemoryStream::Write(const void*, int64_t)
{
    return 0;
}

int64_t TReadOnlyMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    FPosition = SeekTarget(offset, origin, FPosition, FSize);
    return FPosition;
}

// --- TShiftedMemoryStream

TShiftedMemoryStream::TShiftedMemoryStream(void* head, int32_t headSize, void* data,
                                           int32_t dataSize)
    : FHead(static_cast<uint8_t*>(head)),
      FHeadSize(headSize),
      FData(static_cast<uint8_t*>(data)),
      FDataSize(dataSize)
{
}

int64_t TShiftedMemoryStream::Read(void* buffer, int64_t count)
{
    const int64_t available = int64_t{FHeadSize} + FDataSize - FPosition;
    if (FPosition < 0 || count < 0 || available <= 0) return 0;
    const int64_t n = std::min(count, available);
    auto* out = static_cast<uint8_t*>(buffer);
    if (FPosition < FHeadSize) {
        const int64_t fromHead = std::min(n, FHeadSize - FPosition);
        std::memcpy(out, FHead + FPosition, fromHead);
        if (n > fromHead) std::memcpy(out + fromHead, FData, n - fromHead);
    } else {
        std::memcpy(out, FData + (FPosition - FHeadSize), n);
    }
    FPosition += n;
    return n;
}

int64_t TShiftedMemoryStream::Write(const void* buffer, int64_t count)
{
    const int64_t available = int64_t{FHeadSize} + FDataSize - FPosition;
    if (FPosition < 0 || count < 0 || available <= 0) return 0;
    const int64_t n = std::min(count, available);
    const auto* in = static_cast<const uint8_t*>(buffer);
    if (FPosition < FHeadSize) {
        const int64_t toHead = std::min(n, FHeadSize - FPosition);
        std::memcpy(FHead + FPosition, in, toHead);
        if (n > toHead) std::memcpy(FData, in + toHead, n - toHead);
    } else {
        std::memcpy(FData + (FPosition - FHeadSize), in, n);
    }
    FPosition += n;
    return n;
}

int64_t TShiftedMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    FPosition = SeekTarget(offset, origin, FPosition, int64_t{FHeadSize} + FDataSize);
    return FPosition;
}

// --- TFileStream

std::string FileNotOpenedText(const std::filesystem::path& path, const std::string& reason)
{
    return FillIn(UiText(UI_TEXT("quilmo", "ファイル \"%1\" を開けません。%2")), {path.string(), reason});
}

std::string FolderNotCreatedText(const std::filesystem::path& path, const std::string& reason)
{
    return FillIn(UiText(UI_TEXT("quilmo", "フォルダー \"%1\" を作成できません。%2")), {path.string(), reason});
}

void FailToCreate(const std::filesystem::path& path, const char* reason)
{
    throw EWriteError(FillIn(UiText(UI_TEXT("quilmo", "ファイル \"%1\" を作成できません。%2")), {path.string(), reason}));
}

namespace {

[[noreturn]] void FailToOpen(const std::filesystem::path& path, const std::string& reason)
{
    throw EReadError(FileNotOpenedText(path, reason));
}

// Only regular files are read: a pipe, a device or a folder is refused at once instead of
// leaving the reader waiting on it. The type is checked on a descriptor opened without waiting.
std::FILE* OpenForReading(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) FailToOpen(path, std::strerror(errno));
    struct stat status {};
    std::string reason;
    if (::fstat(fd, &status) != 0)
        reason = std::strerror(errno);
    else if (S_ISDIR(status.st_mode))
        reason = std::strerror(EISDIR);
    else if (!S_ISREG(status.st_mode))
        reason = UiText(UI_TEXT("quilmo", "通常のファイルではありません"));
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        reason = std::strerror(errno);
    else if (std::FILE* file = ::fdopen(fd, "rb"))
        return file;
    else
        reason = std::strerror(errno);
    ::close(fd);
    FailToOpen(path, reason);
}

}  // namespace

TFileStream::TFileStream(const std::filesystem::path& path, TFileMode mode)
{
    if (mode == TFileMode::fmOpenRead) {
        FFile = OpenForReading(path);
        return;
    }
    FFile = std::fopen(path.c_str(), "wb");
    if (!FFile) FailToCreate(path, std::strerror(errno));
}

TFileStream::~TFileStream()
{
    if (FFile) std::fclose(FFile);
}

int64_t TFileStream::Read(void* buffer, int64_t count)
{
    if (count <= 0) return 0;
    return static_cast<int64_t>(std::fread(buffer, 1, static_cast<size_t>(count), FFile));
}

int64_t TFileStream::Write(const void* buffer, int64_t count)
{
    if (count <= 0) return 0;
    return static_cast<int64_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), FFile));
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    if (offset != 0 || origin != TSeekOrigin::soCurrent) {
        if (fseeko(FFile, offset, whence) != 0) return -1;
    }
    return ftello(FFile);
}

void TFileStream::Close()
{
    std::FILE* file = std::exchange(FFile, nullptr);
    const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    if (std::fclose(file) != 0 || !flushed) throw EWriteError("Stream write error");
}

// --- atomic writing

namespace {

namespace fs = std::filesystem;

// The permission bits of a file that is to be replaced; none when there is no such file.
std::optional<fs::perms> ExistingPermissions(const fs::path& target)
{
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (error || !fs::exists(status)) return std::nullopt;
    return status.permissions() & fs::perms::mask;
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path,
                         const std::function<void(TStream&)>& write)
{
    const fs::path target = SaveTarget(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::optional<fs::perms> kept = ExistingPermissions(target);
    // A rename needs only the folder's permission; a file its owner may not write is refused
    // as writing it in place would refuse it.
    if (kept && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
        FailToCreate(path, std::strerror(errno));
    // The temporary name does not grow with the target's, so every name that can be saved can
    // have a temporary beside it. One that replaces a file stays private until it has that
    // file's permission bits.
    std::random_device random;
    fs::path temporary;
    std::optional<TTemporaryFile> known;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = folder / (".quilmo-" + std::to_string(random()) + ".tmp");
        // Known before it is made, so that a signal that ends the program never finds it made
        // and unknown.
        known.emplace(temporary);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kept ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) FailToCreate(path, std::strerror(errno));
    ::close(fd);
    try {
        TFileStream stream(temporary, TFileMode::fmCreate);
        write(stream);
        stream.Close();
        std::error_code error;
        if (kept) fs::permissions(temporary, *kept, error);
        if (!error) fs::rename(temporary, target, error);
        if (error) FailToCreate(path, error.message().c_str());
    } catch (...) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw;
    }
}

}  // namespace quilmo
