#pragma once
// The colour fields of V4 and V5 bitmap headers (the LOGCOLORSPACE part), as stored; what they
// mean as a profile is the colour library's business.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quilmo {

class TStream;

inline constexpr size_t kV4HeaderSize = 108;
inline constexpr size_t kV5HeaderSize = 124;

// bV4CSType: endpoints and gammas, sRGB, the system's colour space (sRGB), a profile named by
// file, a profile inside the DIB.
inline constexpr uint32_t LCS_CALIBRATED_RGB = 0;
inline constexpr uint32_t LCS_sRGB = 0x73524742;                 // 'sRGB'
inline constexpr uint32_t LCS_WINDOWS_COLOR_SPACE = 0x57696E20;  // 'Win '
inline constexpr uint32_t PROFILE_LINKED = 0x4C494E4B;           // 'LINK'
inline constexpr uint32_t PROFILE_EMBEDDED = 0x4D424544;         // 'MBED'

struct TDIBColorSpace {
    // Headers shorter than V4's describe sRGB.
    uint32_t CSType = LCS_sRGB;
    // X, Y, Z of the red, green and blue endpoints, 2.30 fixed point.
    std::array<uint32_t, 9> Endpoints{};
    // Red, green and blue gamma, 16.16 fixed point.
    std::array<uint32_t, 3> Gammas{};
    // V5: where the embedded profile lies, in bytes from the start of the info header, and its
    // length.
    uint32_t ProfileData = 0;
    uint32_t ProfileSize = 0;
};

// The colour fields of the info header of headerSize bytes at header.
TDIBColorSpace ParseDIBColorSpace(const uint8_t* header, size_t headerSize);

// The bytes of the profile a PROFILE_EMBEDDED header names, read from stream, where the info
// header starts at infoStart; none when it names none or lies beyond the stream's end. The
// stream's position is kept.
std::vector<uint8_t> ReadEmbeddedProfile(TStream& stream, int64_t infoStart, const TDIBColorSpace& colours);

}  // namespace quilmo
