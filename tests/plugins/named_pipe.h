#pragma once
// A named pipe for the tests of readers that must not wait on files that are no regular files.
// Opening a pipe for reading waits for a writer; so that such a reader fails its test instead of
// hanging it, the pipe is opened for writing now and then while a reader waits, and that is noted.

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

namespace quilmo::test {

class TNamedPipe {
public:
    explicit TNamedPipe(std::filesystem::path path);
    ~TNamedPipe();
    TNamedPipe(const TNamedPipe&) = delete;
    TNamedPipe& operator=(const TNamedPipe&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    // Stops watching; true when a reader had to be let go.
    bool ReaderWaited();

private:
    void Watch();

    std::filesystem::path FPath;
    std::mutex FMutex;
    std::condition_variable FStop;
    bool FStopped = false;
    bool FReaderWaited = false;
    std::thread FWatcher;
};

}  // namespace quilmo::test
