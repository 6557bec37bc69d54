#include "effects_launcher.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/le_bytes.h"
#include "bigbitmap/stream.h"

namespace quilmo {

namespace {

// Counts what would be written, so the record can give the length before the picture.
class TCountingStream : public TStream {
public:
    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void*, int64_t count) override
    {
        FSize += count;
        return count;
    }
    int64_t Seek(int64_t, TSeekOrigin) override { return FSize; }

private:
    int64_t FSize = 0;
};

// The write end of a pipe; stops quietly once the reader has gone.
class TPipeStream : public TStream {
public:
    explicit TPipeStream(int fd) : FFd(fd) {}
    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void* buffer, int64_t count) override
    {
        const auto* bytes = static_cast<const char*>(buffer);
        for (int64_t done = 0; done < count && !FClosed;) {
            const ssize_t written = ::write(FFd, bytes + done, static_cast<size_t>(count - done));
            if (written > 0)
                done += written;
            else if (errno != EINTR)
                FClosed = true;
        }
        FWritten += count;
        return count;
    }
    int64_t Seek(int64_t, TSeekOrigin) override { return FWritten; }

private:
    int FFd;
    bool FClosed = false;
    int64_t FWritten = 0;
};

// A reader that goes away early must not end Quilmo: SIGPIPE is held back while the picture is
// written, and one that arrived meanwhile is taken before it is let through again.
class TSigPipeHold {
public:
    TSigPipeHold()
    {
        sigemptyset(&FPipe);
        sigaddset(&FPipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &FPipe, &FOld);
    }
    ~TSigPipeHold()
    {
        const timespec now{0, 0};
        while (sigtimedwait(&FPipe, nullptr, &now) == SIGPIPE) {
        }
        pthread_sigmask(SIG_SETMASK, &FOld, nullptr);
    }
    TSigPipeHold(const TSigPipeHold&) = delete;
    TSigPipeHold& operator=(const TSigPipeHold&) = delete;

private:
    sigset_t FPipe;
    sigset_t FOld;
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

void TEffectsLauncher::Start(TBigBitmap* picture) const
{
    const std::string program = FProgram.string();
    if (!picture) {
        Spawn(program, "c", -1);
        return;
    }
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return;
    // The child's copy of the read end loses O_CLOEXEC through dup2 onto its standard input.
    const bool started = Spawn(program, nullptr, ends[0]);
    ::close(ends[0]);
    if (started) {
        TCountingStream counter;
        picture->SaveToStream(counter);
        uint8_t head[8];
        PutLE32(head, kCopyDataIdentifier);
        PutLE32(head + 4, static_cast<uint32_t>(counter.Position()));
        const TSigPipeHold hold;
        TPipeStream pipe(ends[1]);
        pipe.Write(head, sizeof head);
        picture->SaveToStream(pipe);
    }
    ::close(ends[1]);
}

}  // namespace quilmo
