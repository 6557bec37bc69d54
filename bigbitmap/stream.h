#pragma once
// Byte streams the picture codecs read from and write to.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

namespace quilmo {

enum class TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream {
public:
    virtual ~TStream() = default;

    // Copy up to count bytes; return how many were copied (0 at the end).
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    // Store up to count bytes; return how many were stored.
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Move the position and return the new one.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    virtual int64_t Size();
    // Bytes between the position and the end (0 when the position is past it).
    int64_t Remaining();
    // Those bytes, read.
    std::vector<uint8_t> ReadRest();

    // Exactly count bytes or EReadError / EWriteError.
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
};

// A growable block of memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : FData(std::move(bytes)) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }

    const std::vector<uint8_t>& Bytes() const { return FData; }
    std::vector<uint8_t> TakeBytes();

private:
    std::vector<uint8_t> FData;
    int64_t FPosition = 0;
};

// Reads a block of memory owned by someone else.
class TReadOnlyMemoryStream : public TStream {
public:
    TReadOnlyMemoryStream(const void* data, size_t size)
        : FData(static_cast<const uint8_t*>(data)), FSize(static_cast<int64_t>(size)) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return FSize; }

private:
    const uint8_t* FData;
    int64_t FSize;
    int64_t FPosition = 0;
};

// Two pieces of memory read and written as one stream: a short head (a file header that a
// packed DIB lacks) followed by a data block. Owns neither piece and never grows them.
class TShiftedMemoryStream : public TStream {
public:
    TShiftedMemoryStream(void* head, int32_t headSize, void* data, int32_t dataSize);

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

private:
    uint8_t* FHead;
    int32_t FHeadSize;
    uint8_t* FData;
    int32_t FDataSize;
    // Wider than the pieces, so that no seek wraps around into them.
    int64_t FPosition = 0;
};

enum class TFileMode { fmOpenRead, fmCreate };

// A file on disk. Opening failures raise EReadError or EWriteError naming the file. Only regular
// files are opened for reading; pipes, devices and folders are refused without waiting on them.
class TFileStream : public TStream {
public:
    TFileStream(const std::filesystem::path& path, TFileMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    // Flush and close; raises EWriteError when the data did not reach the disk.
    void Close();

private:
    std::FILE* FFile = nullptr;
};

// Raises EWriteError "Cannot create file "PATH". REASON" (in the user's language).
[[noreturn]] void FailToCreate(const std::filesystem::path& path, const char* reason);
// "Cannot open file "PATH". REASON" and "Cannot create folder "PATH". REASON", in the user's
// language.
std::string FileNotOpenedText(const std::filesystem::path& path, const std::string& reason);
std::string FolderNotCreatedText(const std::filesystem::path& path, const std::string& reason);

// Writes a file as a whole or not at all: the bytes go to a temporary file in the target folder,
// which replaces the target only after write succeeded. On failure no file is left behind and
// an existing target is untouched. A replaced file keeps its permission bits; a symbolic link
// stays a link, and the file it leads to (SaveTarget) is the one replaced. A file the user may
// not write is not replaced (EWriteError "... Permission denied"), as writing it in place would
// not be allowed.
void WriteFileAtomically(const std::filesystem::path& path,
                         const std::function<void(TStream&)>& write);

}  // namespace quilmo
