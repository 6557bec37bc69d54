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
// How much of a file the host shows IsSupported.
inline constexpr size_t kFileStartSize = 2600;

}  // namespace quilmo::test
