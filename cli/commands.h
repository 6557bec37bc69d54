#pragma once
// The subcommands of quilmo-cli. Each adds itself to the application; its callback does the
// work and throws on failure (main prints the message and exits with status 1).

#include <CLI/CLI.hpp>

namespace quilmo::cli {

// info, convert
void AddPictureCommands(CLI::App& app);
// resize
void AddResizeCommand(CLI::App& app);

}  // namespace quilmo::cli
