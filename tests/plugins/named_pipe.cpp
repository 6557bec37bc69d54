#include "named_pipe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace quilmo::test {

TNamedPipe::TNamedPipe(std::filesystem::path path) : FPath(std::move(path))
{
    if (::mkfifo(FPath.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed: " + FPath.string());
    FWatcher = std::thread([this] { Watch(); });
}

TNamedPipe::~TNamedPipe() { ReaderWaited(); }

bool TNamedPipe::ReaderWaited()
{
    {
        std::lock_guard lock(FMutex);
        FStopped = true;
    }
    FStop.notify_one();
    if (FWatcher.joinable()) FWatcher.join();
    return FReaderWaited;
}

void TNamedPipe::Watch()
{
    std::unique_lock lock(FMutex);
    while (!FStop.wait_for(lock, std::chrono::seconds(5), [this] { return FStopped; })) {
        // Without a reader this fails at once; with one waiting, it lets that reader go on.
        const int writer = ::open(FPath.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (writer >= 0) {
            FReaderWaited = true;
            ::close(writer);
        }
    }
}

}  // namespace quilmo::test
