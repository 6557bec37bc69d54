#include "shipped_plugins.h"

namespace quilmo {

namespace fs = std::filesystem;

fs::path ShippedPluginFolder(const fs::path& programFolder)
{
    if (programFolder.empty()) return {};
    // "build/app/" is the folder "build/app" too.
    const fs::path folder = programFolder.has_filename() ? programFolder : programFolder.parent_path();
    const fs::path above = folder.parent_path();
    for (const fs::path& candidate : {above / "plugins", above / "lib" / "quilmo" / "plugins"}) {
        std::error_code error;
        if (fs::is_directory(candidate, error)) return candidate;
    }
    return {};
}

fs::path ProgramFolder()
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : program.parent_path();
}

}  // namespace quilmo
