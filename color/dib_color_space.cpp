#include "dib_color_space.h"

#include <array>

#include "profile_building.h"

namespace quilmo {

namespace {

constexpr double kEndpointUnit = 1 << 30;  // 2.30 fixed point
constexpr double kGammaUnit = 1 << 16;     // 16.16 fixed point

struct TXYZ {
    double X = 0, Y = 0, Z = 0;
};

TChromaticity ChromaticityOf(const TXYZ& c)
{
    const double sum = c.X + c.Y + c.Z;
    if (sum <= 0) return {};
    return {c.X / sum, c.Y / sum};
}

// The primaries of the endpoints; the white point is where all three are full.
TColorProfile CalibratedProfile(const TDIBColorSpace& colours)
{
    std::array<TXYZ, 3> endpoints;
    TXYZ white;
    for (size_t i = 0; i < 3; ++i) {
        endpoints[i] = {colours.Endpoints[3 * i] / kEndpointUnit, colours.Endpoints[3 * i + 1] / kEndpointUnit,
                        colours.Endpoints[3 * i + 2] / kEndpointUnit};
        white = {white.X + endpoints[i].X, white.Y + endpoints[i].Y, white.Z + endpoints[i].Z};
    }
    const TPrimaries primaries{ChromaticityOf(white), ChromaticityOf(endpoints[0]), ChromaticityOf(endpoints[1]),
                               ChromaticityOf(endpoints[2])};
    return ProfileFromPrimaries(primaries, GammaCurve(colours.Gammas[0] / kGammaUnit),
                                GammaCurve(colours.Gammas[1] / kGammaUnit), GammaCurve(colours.Gammas[2] / kGammaUnit));
}

}  // namespace

TColorProfile RgbProfile(std::span<const uint8_t> bytes)
{
    TColorProfile profile = TColorProfile::FromICC(bytes);
    return profile.Kind() == TProfileKind::RGB ? profile : TColorProfile();
}

TColorProfile ProfileOfDIB(const TDIBColorSpace& colours, std::span<const uint8_t> embedded)
{
    switch (colours.CSType) {
    case LCS_CALIBRATED_RGB: return CalibratedProfile(colours);
    case PROFILE_EMBEDDED: return RgbProfile(embedded);
    default: return {};
    }
}

}  // namespace quilmo
