#pragma once
// The files the test plug-ins decode say what GetPicture is to return: "QSPI", then as
// little-endian 32-bit values the result, the flags, the info block size and the bits block
// size, then the two blocks. A block of size 0 is handed out as a null pointer.

#include <cstddef>
#include <cstdint>

namespace quilmo::test {

inline constexpr char kScriptMagic[4] = {'Q', 'S', 'P', 'I'};
inline constexpr size_t kScriptHeaderSize = 20;
// Flag: hand the info block out as the bits block too.
inline constexpr uint32_t kScriptSameBlockTwice = 1;
// Flag: on entering GetPicture make the file named as the picture plus kHeldSuffix, then wait
// until one named with kReleasedSuffix appears (20 seconds at most), so that a test can act while
// a plug-in runs.
inline constexpr uint32_t kScriptHoldUntilReleased = 2;
inline constexpr const char* kHeldSuffix = ".held";
inline constexpr const char* kReleasedSuffix = ".released";
// How much of a file the host shows IsSupported.
inline constexpr size_t kFileStartSize = 2600;

}  // namespace quilmo::test
