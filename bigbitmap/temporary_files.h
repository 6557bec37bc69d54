#pragma once
// The temporary files of the saves in progress, known to a handler of a signal that ends the
// program, so that a save cut short that way leaves nothing behind.

#include <filesystem>

namespace quilmo {

// Makes path known for as long as it lives. A path too long to keep, or more saves at once than
// there are places for, are not made known; the save itself is not affected.
class TTemporaryFile {
public:
    explicit TTemporaryFile(const std::filesystem::path& path) noexcept;
    ~TTemporaryFile();
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

private:
    int FSlot = -1;
};

// Removes every file made known now. Makes only calls that a signal handler may make.
void RemoveTemporaryFiles() noexcept;

}  // namespace quilmo
