#include "plugins/hdr_tone_map.h"

#include <algorithm>
#include <cmath>

#include "color/cicp_profile.h"

namespace quilmo::spi {

namespace {

constexpr double kReferenceWhite = 203;  // cd/m²
constexpr double kKnee = 0.8;            // of white, where the roll-off starts

// SMPTE ST 2084: a signal of 0 to 1 to cd/m².
double PqToLight(double signal)
{
    constexpr double m1 = 2610.0 / 16384, m2 = 2523.0 / 4096 * 128;
    constexpr double c1 = 3424.0 / 4096, c2 = 2413.0 / 4096 * 32, c3 = 2392.0 / 4096 * 32;
    const double e = std::pow(signal, 1 / m2);
    return 10000 * std::pow(std::max(e - c1, 0.0) / (c2 - c3 * e), 1 / m1);
}

// ARIB STD-B67 (HLG): a signal of 0 to 1 to scene light of 0 to 1.
double HlgToSceneLight(double signal)
{
    constexpr double a = 0.17883277, b = 1 - 4 * a, c = 0.55991073;
    return signal <= 0.5 ? signal * signal / 3 : (std::exp((signal - c) / a) + b) / 12;
}

// The display transform of BT.2100 for HLG on a display of 1000 cd/m²: the gain that scene light
// of luminance y gets, relative to white.
constexpr double kHlgPeak = 1000;
double HlgGain(double y) { return y > 0 ? kHlgPeak / kReferenceWhite * std::pow(y, 1.2 - 1) : 0; }

double SRGBEncode(double linear)
{
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
}

}  // namespace

THdrToneMap::THdrToneMap(int transfer, uint32_t maxValue)
    : FHlg(transfer == kCicpHLG), FMax(std::max<uint32_t>(maxValue, 1)),
      FPeak((FHlg ? kHlgPeak : 10000) / kReferenceWhite), FLinear(FMax + 1), FEncode(kOutMax + 1)
{
    for (uint32_t value = 0; value <= FMax; ++value) {
        const double signal = static_cast<double>(value) / FMax;
        FLinear[value] = static_cast<float>(FHlg ? HlgToSceneLight(signal) : PqToLight(signal) / kReferenceWhite);
    }
    for (uint32_t i = 0; i <= kOutMax; ++i)
        FEncode[i] = static_cast<uint16_t>(std::lround(SRGBEncode(static_cast<double>(i) / kOutMax) * kOutMax));
}

void THdrToneMap::Map(const uint16_t* samples, uint32_t count, int channels, uint16_t* out) const
{
    // Above the knee, x runs from the knee to the peak as t from 0 to tPeak, and comes to the
    // knee's share of white plus the rest of it times t / (1 + t), scaled to reach white at the
    // peak; the slope at the knee stays about 1.
    const double tPeak = (FPeak - kKnee) / (1 - kKnee);
    const double rollOffScale = (1 + tPeak) / tPeak;
    for (uint32_t i = 0; i < count; ++i, samples += channels, out += channels) {
        double light[3];
        for (int c = 0; c < 3; ++c) light[c] = FLinear[std::min<uint32_t>(samples[c], FMax)];
        if (FHlg) {
            const double gain = HlgGain(0.2627 * light[0] + 0.6780 * light[1] + 0.0593 * light[2]);
            for (double& l : light) l *= gain;
        }
        const double brightest = std::max({light[0], light[1], light[2]});
        if (brightest > kKnee) {
            const double t = (brightest - kKnee) / (1 - kKnee);
            const double rolled = std::min(1.0, kKnee + (1 - kKnee) * t / (1 + t) * rollOffScale);
            for (double& l : light) l *= rolled / brightest;
        }
        for (int c = 0; c < 3; ++c) out[c] = FEncode[static_cast<size_t>(std::lround(std::clamp(light[c], 0.0, 1.0) * kOutMax))];
        if (channels == 4) out[3] = static_cast<uint16_t>((std::min<uint32_t>(samples[3], FMax) * uint64_t{kOutMax} + FMax / 2) / FMax);
    }
}

}  // namespace quilmo::spi
