#pragma once
// Colours described by code numbers, as HEIF, AVIF and JPEG XL pictures may describe theirs:
// colour primaries and transfer characteristics numbered as in ITU-T H.273 (the numbers of the
// nclx colour box, of AV1 and HEVC headers, and of JPEG XL's own colour encoding).

#include <cstdint>

#include "profile_building.h"

namespace quilmo {

inline constexpr int kCicpBT2020 = 9;
inline constexpr int kCicpDisplayP3 = 12;
inline constexpr int kCicpSRGBTransfer = 13;
// Transfers of high dynamic range, whose signal is light on an absolute scale (PQ) or relative to
// a display of its own (HLG); no tone curve of a profile describes them.
inline constexpr int kCicpPQ = 16;
inline constexpr int kCicpHLG = 18;

// The primaries and white point of code; sRGB's for codes without colours of their own
// (unspecified, reserved, and XYZ, which no three primaries describe).
TPrimaries CicpPrimaries(int code);

// The curve from stored values to linear light of code; sRGB's for unspecified and unknown codes
// and for PQ and HLG.
TToneCurve CicpTransfer(int code);

inline bool IsHdrTransfer(int code) { return code == kCicpPQ || code == kCicpHLG; }

}  // namespace quilmo
