#pragma once
// Runs quilmo-cli as a script would and collects what it says.

#include <filesystem>
#include <string>
#include <vector>

namespace quilmo::test {

struct TCliResult {
    int Status = -1;
    std::string Out;
    std::string Err;
};

TCliResult RunCli(const std::vector<std::string>& arguments);

// A fresh folder for one test's files, removed with the object.
class TScratchFolder {
public:
    TScratchFolder();
    ~TScratchFolder();
    std::filesystem::path operator/(const std::string& name) const { return FPath / name; }
    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};

}  // namespace quilmo::test
