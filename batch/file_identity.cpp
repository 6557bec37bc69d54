#include "file_identity.h"

#include <sys/stat.h>

#include <filesystem>

namespace quilmo {

namespace fs = std::filesystem;

TFileIdentity TFileIdentities::Of(const std::string& name)
{
    const fs::path path(name);
    const std::string folder = path.parent_path().native();
    auto resolved = FFolders.find(folder);
    if (resolved == FFolders.end()) {
        std::error_code error;
        const fs::path absolute = fs::absolute(folder.empty() ? fs::path(".") : fs::path(folder), error);
        fs::path real = fs::weakly_canonical(absolute, error);
        if (error) real = absolute.lexically_normal();
        resolved = FFolders.emplace(folder, real.native()).first;
    }
    TFileIdentity identity;
    identity.Path = (fs::path(resolved->second) / path.filename()).native();
    struct stat status {};
    if (::stat(name.c_str(), &status) == 0)
        identity.Node = {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
    return identity;
}

}  // namespace quilmo
