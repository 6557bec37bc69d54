#pragma once
// --max-pixels N, given before the command: the largest picture, in pixels, that any reader
// accepts (2^28 unless given).

#include <CLI/CLI.hpp>

namespace quilmo::cli {

void AddPixelLimitOption(CLI::App& app);

}  // namespace quilmo::cli
