#pragma once
// Pictures of high dynamic range (PQ or HLG samples) brought to standard range, so that they show
// as meant rather than washed out. Light is taken relative to 203 cd/m², the reference white of
// ITU-R BT.2408, which becomes white; HLG first goes through the display transform of BT.2100
// for a display of 1000 cd/m². The brightest channel of a pixel is kept as it is up to 80 % of
// white and rolled off above that, so that the format's peak (10000 cd/m² for PQ, 1000 for HLG)
// reaches white; the other channels are scaled with it, which keeps the hue of highlights. The
// result is encoded with the sRGB curve in the picture's own primaries.

#include <cstdint>
#include <vector>

namespace quilmo::spi {

class THdrToneMap {
public:
    // Output samples run from 0 to this.
    static constexpr uint32_t kOutMax = 65535;

    // transfer is kCicpPQ or kCicpHLG; samples run from 0 to maxValue.
    THdrToneMap(int transfer, uint32_t maxValue);

    // count pixels of channels samples each (red, green, blue, then alpha if any) into out, with
    // the same layout: the colours mapped, alpha scaled to kOutMax.
    void Map(const uint16_t* samples, uint32_t count, int channels, uint16_t* out) const;

private:
    bool FHlg;
    uint32_t FMax;
    double FPeak;                // the format's peak, relative to white
    std::vector<float> FLinear;  // each sample value to light relative to white (scene light for HLG)
    std::vector<uint16_t> FEncode;  // linear light 0 to 1 in steps of 1/kOutMax to the sRGB curve
};

}  // namespace quilmo::spi
