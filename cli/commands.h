#pragma once
// The subcommands of quilmo-cli. Each adds itself to the application; its callback does the
// work and throws on failure (main prints the message and exits with status 1, or 2 for
// ERefused).

#include <stdexcept>
#include <string>

#include <CLI/CLI.hpp>

namespace quilmo {
class TBigBitmap;
class TColorProfile;
}

namespace quilmo::cli {

// A command refused before it wrote anything, as a usage error is.
class ERefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// info, convert
void AddPictureCommands(CLI::App& app);
// The picture as the joining code sees it: a big bitmap, 24 bits unless a BMP said otherwise.
// Returns the colours of its numbers.
TColorProfile LoadPicture(const std::string& path, TBigBitmap& bitmap);
// join
void AddJoinCommand(CLI::App& app);
// resize
void AddResizeCommand(CLI::App& app);
// batch
void AddBatchCommand(CLI::App& app);

}  // namespace quilmo::cli
