#pragma once
// The colours a picture's numbers mean: an ICC profile, or none for sRGB. A profile is looked at
// once, when it is made: whether lcms can use it, what kind of pixels it describes, whether it
// describes sRGB, and what colours a set of sample pixels have in it, so that profiles can be
// compared by what they do rather than by their bytes.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace quilmo {

// The pixels a profile describes.
enum class TProfileKind : uint8_t { RGB, Gray, CMYK };

class TColorProfile {
public:
    // sRGB, without a profile.
    TColorProfile() = default;

    // The profile of bytes; sRGB without a profile when lcms cannot use them as an input profile
    // of RGB, grey or CMYK pixels.
    static TColorProfile FromICC(std::span<const uint8_t> bytes);

    // True without a profile, and for every profile that describes sRGB (the common
    // IEC 61966-2.1 profiles, lcms's own).
    bool IsSRGB() const { return !FData || FData->SRGB; }
    // A profile that pictures can be converted into: RGB, and usable as an output profile.
    bool IsJoinable() const;
    TProfileKind Kind() const { return FData ? FData->Kind : TProfileKind::RGB; }
    // The ICC bytes; none without a profile.
    std::span<const uint8_t> Bytes() const;

    // The same colours: both sRGB, or profiles of one kind whose sample pixels come out as the
    // same colours within a fraction of a level (dates, names and identifiers in the profiles
    // do not matter).
    friend bool operator==(const TColorProfile& a, const TColorProfile& b);

private:
    struct TData {
        std::vector<uint8_t> Bytes;
        TProfileKind Kind = TProfileKind::RGB;
        bool SRGB = false;
        bool Output = false;      // usable as an output profile
        std::vector<float> Samples;  // L*, a*, b* of the kind's sample pixels
    };

    std::shared_ptr<const TData> FData;
};

}  // namespace quilmo
