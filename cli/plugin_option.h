#pragma once
// The import plug-ins of every command: those that ship with Quilmo, found beside the program,
// and before them those of --plugins DIR. Both options go before the command;
// --no-shipped-plugins leaves the shipped ones out.

#include <CLI/CLI.hpp>

namespace quilmo::cli {

void AddPluginOption(CLI::App& app);

}  // namespace quilmo::cli
