#include "save_target.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "stream.h"

namespace quilmo {

namespace fs = std::filesystem;

namespace {

// As many links as the system itself follows before it reports a loop.
constexpr int kMaxLinkHops = 40;

// The file name's links lead to, named as the links spell it.
fs::path FollowLinks(const fs::path& name)
{
    fs::path target = name;
    for (int hop = 0;; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(target, error))) return target;
        const fs::path link = fs::read_symlink(target, error);
        if (error) FailToCreate(name, error.message().c_str());
        if (hop == kMaxLinkHops) FailToCreate(name, std::strerror(ELOOP));
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
}

}  // namespace

fs::path TSaveTargets::Of(const fs::path& name)
{
    const fs::path target = FollowLinks(name);
    const fs::path folder = target.parent_path();
    auto resolved = FFolders.find(folder.native());
    if (resolved == FFolders.end()) {
        std::error_code error;
        const fs::path absolute = fs::absolute(folder.empty() ? fs::path(".") : folder, error);
        fs::path real = fs::weakly_canonical(absolute, error);
        // A folder that cannot be resolved fails the save itself; its name still identifies it.
        if (error) real = absolute.lexically_normal();
        resolved = FFolders.emplace(folder.native(), real).first;
    }
    return resolved->second / target.filename();
}

fs::path SaveTarget(const fs::path& name)
{
    return TSaveTargets().Of(name);
}

}  // namespace quilmo
