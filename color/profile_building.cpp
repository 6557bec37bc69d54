#include "profile_building.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "lcms_handles.h"

namespace quilmo {

namespace {

// lcms's number for the curve ICC calls parametric type 3.
constexpr cmsInt32Number kFiveParameterCurve = 4;

// Where an ICC header keeps its date, and the one profiles made here carry: 2024-01-01 00:00:00,
// six big-endian 16-bit numbers.
constexpr size_t kDateOffset = 24;
constexpr std::array<uint8_t, 12> kDate{0x07, 0xE8, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0};

struct TFreeCurve {
    void operator()(cmsToneCurve* curve) const { cmsFreeToneCurve(curve); }
};
using TCurveHandle = std::unique_ptr<cmsToneCurve, TFreeCurve>;

bool IsChromaticity(const TChromaticity& c)
{
    return std::isfinite(c.X) && std::isfinite(c.Y) && c.X >= 0 && c.X <= 1 && c.Y > 0 && c.Y <= 1;
}

bool IsCurve(const TToneCurve& c)
{
    return std::isfinite(c.Gamma) && c.Gamma > 0 && std::isfinite(c.A) && std::isfinite(c.B) &&
           std::isfinite(c.C) && std::isfinite(c.D);
}

TCurveHandle BuildCurve(const TToneCurve& c)
{
    const cmsFloat64Number parameters[5] = {c.Gamma, c.A, c.B, c.C, c.D};
    return TCurveHandle(cmsBuildParametricToneCurve(nullptr, kFiveParameterCurve, parameters));
}

cmsCIExyY XyY(const TChromaticity& c) { return {c.X, c.Y, 1.0}; }

}  // namespace

TColorProfile ProfileFromPrimaries(const TPrimaries& primaries, const TToneCurve& red, const TToneCurve& green,
                                   const TToneCurve& blue)
{
    for (const TChromaticity& c : {primaries.White, primaries.Red, primaries.Green, primaries.Blue})
        if (!IsChromaticity(c)) return {};
    for (const TToneCurve* curve : {&red, &green, &blue})
        if (!IsCurve(*curve)) return {};
    const std::array<TCurveHandle, 3> curves{BuildCurve(red), BuildCurve(green), BuildCurve(blue)};
    for (const TCurveHandle& curve : curves)
        if (!curve) return {};
    const cmsCIExyY white = XyY(primaries.White);
    const cmsCIExyYTRIPLE triple{XyY(primaries.Red), XyY(primaries.Green), XyY(primaries.Blue)};
    cmsToneCurve* const transfer[3] = {curves[0].get(), curves[1].get(), curves[2].get()};
    const TProfileHandle profile(cmsCreateRGBProfile(&white, &triple, transfer));
    cmsUInt32Number size = 0;
    if (!profile || !cmsSaveProfileToMem(profile.get(), nullptr, &size) || size < kDateOffset + kDate.size())
        return {};
    std::vector<uint8_t> bytes(size);
    if (!cmsSaveProfileToMem(profile.get(), bytes.data(), &size)) return {};
    // lcms dates a profile when it is made; the same colours make the same bytes.
    std::copy(kDate.begin(), kDate.end(), bytes.begin() + kDateOffset);
    return TColorProfile::FromICC(bytes);
}

}  // namespace quilmo
