#pragma once
// Samples of a TIFF page that no DIB holds as they are, turned into 8-bit red, green and blue (and
// alpha) samples row by row: 32-bit integers (their high byte) and floating-point samples (0 to 1,
// clamped), CMYK inks (through the page's CMYK profile, or the plain ink formula libtiff uses), and
// CIELab, ICC Lab and ITU Lab (into sRGB, L*a*b* taken relative to D50 as in ICC profiles).

#include <cstddef>
#include <cstdint>
#include <memory>

#include "color/color_profile.h"
#include "color/profile_building.h"
#include "plugins/pixel_converter.h"

namespace quilmo::spi {

class TSampleTranslation {
public:
    virtual ~TSampleTranslation() = default;
    // count pixels of the page's interleaved samples (in the machine's byte order) into out, as
    // many 8-bit samples a pixel as Layout() has.
    virtual void Translate(const uint8_t* samples, uint32_t count, uint8_t* out) const = 0;
    // What Translate gives.
    virtual TSampleLayout Layout() const = 0;
};

// Grey or RGB samples of 32-bit integers or of floating-point numbers of 16, 32 or 64 bits; none
// for other kinds.
std::unique_ptr<TSampleTranslation> WideSamples(TSampleLayout layout, uint16_t format, uint16_t bits);

// Four inks of 8 or 16 bits, 0 for no ink, then alpha when there is one: through profile when it
// is a CMYK profile lcms converts from, else by the plain formula.
std::unique_ptr<TSampleTranslation> CmykSamples(TAlpha alpha, uint16_t bits, const TColorProfile& profile);

// L* alone or L*, a*, b* of 8 or 16 bits in the page's photometric encoding, relative to white,
// then alpha when there is one; none for other encodings.
std::unique_ptr<TSampleTranslation> LabSamples(TSampleLayout layout, uint16_t photometric, uint16_t bits,
                                               const TChromaticity& white);

}  // namespace quilmo::spi
