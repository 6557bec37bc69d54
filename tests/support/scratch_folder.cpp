#include "support/scratch_folder.h"

#include <stdlib.h>

#include <cerrno>
#include <system_error>

namespace quilmo::test {

TScratchFolder::TScratchFolder()
{
    std::string name = (std::filesystem::temp_directory_path() / "quilmo-test-XXXXXX").string();
    if (!mkdtemp(name.data())) throw std::system_error(errno, std::generic_category(), "mkdtemp " + name);
    FPath = name;
}

TScratchFolder::~TScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

}  // namespace quilmo::test
