#pragma once
// Tests hand the inputs they build to the fuzzers as seeds: when QUILMO_SEED_DIR is set, each
// seed is written to $QUILMO_SEED_DIR/<target>/<name>.

#include <cstdint>
#include <string>
#include <vector>

namespace quilmo::test {

void WriteFuzzSeed(const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes);

}  // namespace quilmo::test
