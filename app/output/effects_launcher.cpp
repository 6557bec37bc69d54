#include "effects_launcher.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/errors.h"
#include "bigbitmap/le_bytes.h"
#include "bigbitmap/stream.h"
#include "color/color_profile.h"
#include "output/bmp_writer.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

// The record is written to a file without a name, which the program reads as its standard
// input at its own pace: Quilmo never waits for it, the record is whole even if Quilmo ends at
// once, and the file goes away with the program's last descriptor of it.
class TUnlinkedFile : public TStream {
public:
    TUnlinkedFile()
    {
        std::error_code error;
        const std::string folder = std::filesystem::temp_directory_path(error).string();
        if (error) Fail(error.value());
        FFd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (FFd < 0) {
            // File systems without unnamed files: a named one, unlinked at once.
            std::string name = folder + "/quilmo-effects-XXXXXX";
            FFd = ::mkostemp(name.data(), O_CLOEXEC);
            if (FFd < 0) Fail(errno);
            ::unlink(name.c_str());
        }
    }
    ~TUnlinkedFile() override { ::close(FFd); }
    TUnlinkedFile(const TUnlinkedFile&) = delete;
    TUnlinkedFile& operator=(const TUnlinkedFile&) = delete;

    int Descriptor() const { return FFd; }

    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void* buffer, int64_t count) override
    {
        const auto* bytes = static_cast<const char*>(buffer);
        for (int64_t done = 0; done < count;) {
            const ssize_t written = ::write(FFd, bytes + done, static_cast<size_t>(count - done));
            if (written > 0)
                done += written;
            else if (errno != EINTR)
                Fail(written == 0 ? ENOSPC : errno);
        }
        return count;
    }
    int64_t Seek(int64_t offset, TSeekOrigin origin) override
    {
        const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                           : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                              : SEEK_END;
        return ::lseek(FFd, offset, whence);
    }

private:
    [[noreturn]] static void Fail(int error)
    {
        throw EWriteError(FillIn(UiText(UI_TEXT("quilmo", "画像を効果プログラムに渡せません。%1")), std::strerror(error)));
    }

    int FFd = -1;
};

// Runs program with its standard input from input (or /dev/null), in a grandchild of ours, so
// that it belongs to nobody when it ends and goes on when Quilmo ends. False when it could not
// be started.
bool Spawn(const std::string& program, const char* argument, int input)
{
    // Everything the child needs is made before forking: it may only call exec-safe functions.
    char* const arguments[] = {const_cast<char*>(program.c_str()), const_cast<char*>(argument),
                               nullptr};
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        ::setsid();
        if (::fork() != 0) ::_exit(0);
        if (input >= 0) ::dup2(input, STDIN_FILENO);
        ::execv(program.c_str(), arguments);
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return true;
}

}  // namespace

TEffectsLauncher::TEffectsLauncher(std::filesystem::path program) : FProgram(std::move(program)) {}

bool TEffectsLauncher::Available() const
{
    std::error_code error;
    return std::filesystem::is_regular_file(FProgram, error);
}

void TEffectsLauncher::Start(TBigBitmap* picture, const TColorProfile& profile) const
{
    const std::string program = FProgram.string();
    if (!picture) {
        Spawn(program, "c", -1);
        return;
    }
    TUnlinkedFile record;
    uint8_t head[8];
    PutLE32(head, kCopyDataIdentifier);
    PutLE32(head + 4, 0);
    record.WriteBuffer(head, sizeof head);
    WriteBmp(*picture, record, profile);
    // The length is known once the picture has been written.
    PutLE32(head + 4, static_cast<uint32_t>(record.Position() - int64_t{sizeof head}));
    record.SetPosition(0);
    record.WriteBuffer(head, sizeof head);
    record.SetPosition(0);
    // The child's copy loses O_CLOEXEC through dup2 onto its standard input.
    Spawn(program, nullptr, record.Descriptor());
}

}  // namespace quilmo
