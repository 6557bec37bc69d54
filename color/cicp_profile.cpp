#include "cicp_profile.h"

namespace quilmo {

namespace {

constexpr TChromaticity kD65{0.3127, 0.3290};
constexpr TChromaticity kIlluminantC{0.310, 0.316};

// The curve of SMPTE 240M, whose linear part reaches four times the light it starts from.
constexpr TToneCurve kSmpte240Curve{1 / 0.45, 1 / 1.1115, 0.1115 / 1.1115, 1 / 4.0, 4 * 0.0228};

}  // namespace

TPrimaries CicpPrimaries(int code)
{
    switch (code) {
    case 4: return {kIlluminantC, {0.67, 0.33}, {0.21, 0.71}, {0.14, 0.08}};                // BT.470 M
    case 5: return {kD65, {0.64, 0.33}, {0.29, 0.60}, {0.15, 0.06}};                        // BT.470 B, G
    case 6:                                                                                 // BT.601
    case 7: return {kD65, {0.630, 0.340}, {0.310, 0.595}, {0.155, 0.070}};                  // SMPTE 240M
    case 8: return {kIlluminantC, {0.681, 0.319}, {0.243, 0.692}, {0.145, 0.049}};          // film
    case kCicpBT2020: return {kD65, {0.708, 0.292}, {0.170, 0.797}, {0.131, 0.046}};
    case 11: return {{0.314, 0.351}, {0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}};       // DCI-P3
    case kCicpDisplayP3: return {kD65, {0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}};
    case 22: return {kD65, {0.630, 0.340}, {0.295, 0.605}, {0.155, 0.077}};                 // EBU 3213
    default: return kSRGBPrimaries;
    }
}

TToneCurve CicpTransfer(int code)
{
    switch (code) {
    case 1:   // BT.709
    case 6:   // BT.601
    case 11:  // IEC 61966-2-4, BT.709's curve extended below black
    case 12:  // BT.1361
    case 14:  // BT.2020, 10 bits
    case 15:  // BT.2020, 12 bits
        return kRec709Curve;
    case 4: return GammaCurve(2.2);
    case 5: return GammaCurve(2.8);
    case 7: return kSmpte240Curve;
    case 8: return GammaCurve(1);
    case 17: return GammaCurve(2.6);  // SMPTE ST 428
    default: return kSRGBCurve;
    }
}

}  // namespace quilmo
