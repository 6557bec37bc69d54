#pragma once
// --plugins DIR, given before the command: the import plug-ins of DIR are loaded first, so that
// every command reads the formats they announce.

#include <CLI/CLI.hpp>

namespace quilmo::cli {

void AddPluginOption(CLI::App& app);

}  // namespace quilmo::cli
