#pragma once
// The results a plug-in's GetPicture returns.

#include <cstdint>

namespace quilmo::spi {

inline constexpr int32_t kNotImplemented = -1;
inline constexpr int32_t kAborted = 1;
inline constexpr int32_t kUnknownFormat = 2;
inline constexpr int32_t kBrokenData = 3;
inline constexpr int32_t kOutOfMemory = 4;
inline constexpr int32_t kReadError = 6;
inline constexpr int32_t kCannotOpen = 7;
inline constexpr int32_t kInternalError = 8;

}  // namespace quilmo::spi
