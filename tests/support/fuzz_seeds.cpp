#include "support/fuzz_seeds.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace quilmo::test {

void WriteFuzzSeed(const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes)
{
    const char* root = std::getenv("QUILMO_SEED_DIR");
    if (!root || !*root) return;
    const std::filesystem::path folder = std::filesystem::path(root) / target;
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace quilmo::test
