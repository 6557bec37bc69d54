#include "support/fuzz_seeds.h"

#include <cstdlib>
#include <filesystem>

#include "bigbitmap/stream.h"

namespace quilmo::test {

void WriteFuzzSeed(const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes)
{
    const char* root = std::getenv("QUILMO_SEED_DIR");
    if (!root || !*root) return;
    const std::filesystem::path folder = std::filesystem::path(root) / target;
    std::filesystem::create_directories(folder);
    // Both runs of a threaded test program write the same seeds at the same time: each seed
    // appears whole, never as one run's bytes cut short by the other's.
    WriteFileAtomically(folder / name,
                        [&](TStream& stream) { stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size())); });
}

}  // namespace quilmo::test
