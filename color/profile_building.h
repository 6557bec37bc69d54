#pragma once
// RGB profiles made from coded colour descriptions (the calibrated colour space of a BMP header,
// the primaries and transfer of a video-style colour description) rather than read from a file.

#include "color_profile.h"

namespace quilmo {

// A CIE 1931 chromaticity.
struct TChromaticity {
    double X = 0;
    double Y = 0;
};

struct TPrimaries {
    TChromaticity White, Red, Green, Blue;
};

// The tone curve from a stored value v (0 to 1) to linear light: (A v + B)^Gamma where v >= D,
// C v below it (the ICC parametric curve with five parameters).
struct TToneCurve {
    double Gamma = 1;
    double A = 1;
    double B = 0;
    double C = 0;
    double D = 0;
};

inline constexpr TToneCurve GammaCurve(double gamma) { return {gamma, 1, 0, 0, 0}; }
// IEC 61966-2-1 (sRGB) and ITU-R BT.709 (also BT.601 and BT.2020 at 8 bits).
inline constexpr TToneCurve kSRGBCurve{2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
inline constexpr TToneCurve kRec709Curve{1 / 0.45, 1 / 1.099, 0.099 / 1.099, 1 / 4.5, 0.081};
inline constexpr TPrimaries kSRGBPrimaries{{0.3127, 0.3290}, {0.64, 0.33}, {0.30, 0.60}, {0.15, 0.06}};

// The RGB profile of primaries with a curve for each channel; sRGB without a profile when they
// describe no colours (chromaticities outside 0..1 or on one line, curves without a positive
// gamma).
TColorProfile ProfileFromPrimaries(const TPrimaries& primaries, const TToneCurve& red, const TToneCurve& green,
                                   const TToneCurve& blue);
inline TColorProfile ProfileFromPrimaries(const TPrimaries& primaries, const TToneCurve& curve)
{
    return ProfileFromPrimaries(primaries, curve, curve, curve);
}

}  // namespace quilmo
