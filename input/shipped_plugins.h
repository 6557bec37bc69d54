#pragma once
// The import plug-ins that ship with Quilmo lie in a folder found from the program's own place,
// so that they work without any set-up.

#include <filesystem>

namespace quilmo {

// The shipped plug-ins' folder for a program in programFolder: "../plugins" beside it in the
// build tree (build/app: build/plugins), else "../lib/quilmo/plugins" of an installed program
// (/usr/bin: /usr/lib/quilmo/plugins). Empty when neither exists.
std::filesystem::path ShippedPluginFolder(const std::filesystem::path& programFolder);

// The folder of this program's own file; empty when the system does not tell.
std::filesystem::path ProgramFolder();

}  // namespace quilmo
