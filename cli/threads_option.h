#pragma once
// --threads N on a command: how many threads its work may use. Without it the command uses
// the default it is given (0: every processor the program may run on).

#include <CLI/CLI.hpp>

namespace quilmo::cli {

void AddThreadsOption(CLI::App& command, int defaultThreads, const std::string& description);

}  // namespace quilmo::cli
