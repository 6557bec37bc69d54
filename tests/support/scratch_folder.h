#pragma once
// A fresh folder for one test's files, removed with the object and all it holds. mkdtemp makes
// its name, so no other process ever shares it: not the same test program run at the same
// time, not the tests of another build tree.

#include <filesystem>
#include <string>

namespace quilmo::test {

class TScratchFolder {
public:
    TScratchFolder();
    ~TScratchFolder();
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    std::filesystem::path operator/(const std::string& name) const { return FPath / name; }

private:
    std::filesystem::path FPath;
};

}  // namespace quilmo::test
