#include "file_identity.h"

#include <sys/stat.h>

#include "bigbitmap/errors.h"

namespace quilmo {

TFileIdentity TFileIdentities::Of(const std::string& name)
{
    TFileIdentity identity;
    try {
        identity.Path = FTargets.Of(name).native();
    } catch (const EWriteError&) {
        // A loop of links: no file can be read or written through it, so it is no other file.
        identity.Path = name;
        return identity;
    }
    struct stat status {};
    if (::stat(name.c_str(), &status) == 0)
        identity.Node = {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
    return identity;
}

}  // namespace quilmo
