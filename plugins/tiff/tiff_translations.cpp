#include "plugins/tiff/tiff_translations.h"

#include <tiffio.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "color/lcms_handles.h"

namespace quilmo::spi {

namespace {

template <typename T>
T SampleAt(const uint8_t* samples, size_t index)
{
    T value;
    std::memcpy(&value, samples + index * sizeof(T), sizeof(T));
    return value;
}

uint8_t Round16(uint32_t value) { return static_cast<uint8_t>((value * 255 + 32767) / 65535); }

// An unsigned sample of 8 or 16 bits as 8 bits.
uint8_t Unsigned8(const uint8_t* samples, size_t index, uint16_t bits)
{
    return bits == 8 ? samples[index] : Round16(SampleAt<uint16_t>(samples, index));
}

// 0 to 1 as 0 to 255; what lies outside is clamped, and NaN is 0.
uint8_t Level(double value)
{
    if (!(value > 0)) return 0;
    return value >= 1 ? 255 : static_cast<uint8_t>(std::lround(value * 255));
}

double HalfToDouble(uint16_t half)
{
    const int exponent = (half >> 10) & 0x1F;
    const int fraction = half & 0x3FF;
    const double magnitude = exponent == 0    ? std::ldexp(fraction, -24)
                              : exponent == 31 ? (fraction ? NAN : INFINITY)
                                               : std::ldexp(fraction + 1024, exponent - 25);
    return (half & 0x8000) ? -magnitude : magnitude;
}

using TLevelOf = uint8_t (*)(const uint8_t* samples, size_t index);

uint8_t HighByte(const uint8_t* samples, size_t index) { return static_cast<uint8_t>(SampleAt<uint32_t>(samples, index) >> 24); }
uint8_t HalfLevel(const uint8_t* samples, size_t index) { return Level(HalfToDouble(SampleAt<uint16_t>(samples, index))); }
uint8_t FloatLevel(const uint8_t* samples, size_t index) { return Level(SampleAt<float>(samples, index)); }
uint8_t DoubleLevel(const uint8_t* samples, size_t index) { return Level(SampleAt<double>(samples, index)); }

class TWideSamples final : public TSampleTranslation {
public:
    TWideSamples(TSampleLayout layout, TLevelOf levelOf) : FLayout(layout), FLevelOf(levelOf) {}

    void Translate(const uint8_t* samples, uint32_t count, uint8_t* out) const override
    {
        const size_t total = size_t{count} * static_cast<size_t>(FLayout.Channels());
        for (size_t i = 0; i < total; ++i) out[i] = FLevelOf(samples, i);
    }

    TSampleLayout Layout() const override { return FLayout; }

private:
    TSampleLayout FLayout;
    TLevelOf FLevelOf;
};

// The alpha sample that follows colourChannels colour samples, into the alpha of RGBA output.
void CopyAlpha(const uint8_t* samples, uint32_t count, int colourChannels, uint16_t bits, uint8_t* out)
{
    const size_t inChannels = static_cast<size_t>(colourChannels) + 1;
    for (uint32_t i = 0; i < count; ++i) out[4 * size_t{i} + 3] = Unsigned8(samples, i * inChannels + colourChannels, bits);
}

// lcms's layout of pixels of channels samples of bytes each in space, one more for alpha, which the
// transform passes over.
cmsUInt32Number LcmsLayout(int space, int channels, int bytes, TAlpha alpha)
{
    return COLORSPACE_SH(space) | CHANNELS_SH(channels) | BYTES_SH(bytes) | EXTRA_SH(alpha == TAlpha::None ? 0 : 1);
}

class TCmykSamples final : public TSampleTranslation {
public:
    TCmykSamples(TAlpha alpha, uint16_t bits, TTransformHandle transform)
        : FAlpha(alpha), FBits(bits), FTransform(std::move(transform))
    {
    }

    void Translate(const uint8_t* samples, uint32_t count, uint8_t* out) const override
    {
        const size_t inChannels = FAlpha == TAlpha::None ? 4 : 5, outChannels = FAlpha == TAlpha::None ? 3 : 4;
        if (FTransform) {
            cmsDoTransform(FTransform.get(), samples, out, count);
        } else {
            // The plain formula, as libtiff reads 8-bit inks.
            for (uint32_t i = 0; i < count; ++i) {
                const size_t at = i * inChannels;
                const unsigned paper = 255u - Unsigned8(samples, at + 3, FBits);
                for (int c = 0; c < 3; ++c)
                    out[i * outChannels + c] = static_cast<uint8_t>(paper * (255u - Unsigned8(samples, at + c, FBits)) / 255);
            }
        }
        if (FAlpha != TAlpha::None) CopyAlpha(samples, count, 4, FBits, out);
    }

    TSampleLayout Layout() const override { return {3, FAlpha}; }

private:
    TAlpha FAlpha;
    uint16_t FBits;
    TTransformHandle FTransform;
};

// How the samples of an encoding of L*a*b* give L*, a* and b*: the sample (signed where said)
// times its scale plus its offset.
struct TLabEncoding {
    bool Signed = false;
    double Scale[3] = {};
    double Offset[3] = {};
};

bool LabEncodingOf(uint16_t photometric, uint16_t bits, TLabEncoding& encoding)
{
    const double max = bits == 8 ? 255 : 65535;
    switch (photometric) {
    case PHOTOMETRIC_CIELAB:  // a* and b* signed, in whole units or 1/256ths
        encoding = {true, {100 / max, bits == 8 ? 1 : 1 / 256.0, bits == 8 ? 1 : 1 / 256.0}, {0, 0, 0}};
        return true;
    case PHOTOMETRIC_ICCLAB:  // a* and b* from 128 down and up, in whole units or 1/256ths
        encoding = {false, {100 / max, bits == 8 ? 1 : 1 / 256.0, bits == 8 ? 1 : 1 / 256.0}, {0, -128, -128}};
        return true;
    case PHOTOMETRIC_ITULAB:  // the ranges of RFC 2301: a* from -85 to 85, b* from -75 to 125
        encoding = {false, {100 / max, 170 / max, 200 / max}, {0, -85, -75}};
        return true;
    default: return false;
    }
}

// L*a*b* relative to another white than D50 brought to D50, the white of ICC's L*a*b*: through
// XYZ, adapted as lcms adapts between illuminants (Bradford), which is linear and so a matrix.
class TWhiteAdaptation {
public:
    explicit TWhiteAdaptation(const TChromaticity& white)
    {
        const cmsCIExyY xyY{white.X, white.Y, 1};
        cmsxyY2XYZ(&FWhite, &xyY);
        const cmsCIEXYZ* d50 = cmsD50_XYZ();
        FNeeded = std::abs(FWhite.X - d50->X) > 1e-3 || std::abs(FWhite.Z - d50->Z) > 1e-3;
        const cmsCIEXYZ basis[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        for (int column = 0; column < 3; ++column) {
            cmsCIEXYZ adapted;
            cmsAdaptToIlluminant(&adapted, &FWhite, d50, &basis[column]);
            FMatrix[0][column] = adapted.X;
            FMatrix[1][column] = adapted.Y;
            FMatrix[2][column] = adapted.Z;
        }
    }

    void Apply(cmsCIELab& lab) const
    {
        if (!FNeeded) return;
        cmsCIEXYZ xyz;
        cmsLab2XYZ(&FWhite, &xyz, &lab);
        const double in[3] = {xyz.X, xyz.Y, xyz.Z};
        double out[3];
        for (int row = 0; row < 3; ++row) out[row] = FMatrix[row][0] * in[0] + FMatrix[row][1] * in[1] + FMatrix[row][2] * in[2];
        const cmsCIEXYZ adapted{out[0], out[1], out[2]};
        cmsXYZ2Lab(cmsD50_XYZ(), &lab, &adapted);
    }

private:
    cmsCIEXYZ FWhite{};
    bool FNeeded = false;
    double FMatrix[3][3] = {};
};

class TLabSamples final : public TSampleTranslation {
public:
    TLabSamples(TSampleLayout layout, uint16_t bits, const TLabEncoding& encoding, const TChromaticity& white,
                TTransformHandle transform)
        : FLayout(layout), FBits(bits), FEncoding(encoding), FAdaptation(white), FTransform(std::move(transform))
    {
    }

    void Translate(const uint8_t* samples, uint32_t count, uint8_t* out) const override
    {
        // A few pixels at a time: L*a*b* in doubles takes three times the room of the samples.
        constexpr uint32_t kChunk = 1024;
        const size_t inChannels = static_cast<size_t>(FLayout.Channels());
        const size_t outChannels = FLayout.Alpha == TAlpha::None ? 3 : 4;
        std::array<cmsCIELab, kChunk> lab;
        for (uint32_t first = 0; first < count; first += kChunk) {
            const uint32_t pixels = std::min(kChunk, count - first);
            for (uint32_t i = 0; i < pixels; ++i) {
                double value[3] = {};
                for (int c = 0; c < FLayout.ColourChannels; ++c)
                    value[c] = Raw(samples, (first + i) * inChannels + c) * FEncoding.Scale[c] + FEncoding.Offset[c];
                lab[i] = {value[0], value[1], value[2]};
                FAdaptation.Apply(lab[i]);
            }
            cmsDoTransform(FTransform.get(), lab.data(), out + first * outChannels, pixels);
        }
        if (FLayout.Alpha != TAlpha::None) CopyAlpha(samples, count, FLayout.ColourChannels, FBits, out);
    }

    TSampleLayout Layout() const override { return {3, FLayout.Alpha}; }

private:
    // L* is never signed; a single channel is L* alone.
    double Raw(const uint8_t* samples, size_t index) const
    {
        const bool isSigned = FEncoding.Signed && index % static_cast<size_t>(FLayout.Channels()) != 0;
        if (FBits == 8) return isSigned ? static_cast<int8_t>(samples[index]) : samples[index];
        return isSigned ? SampleAt<int16_t>(samples, index) : SampleAt<uint16_t>(samples, index);
    }

    TSampleLayout FLayout;
    uint16_t FBits;
    TLabEncoding FEncoding;
    TWhiteAdaptation FAdaptation;
    TTransformHandle FTransform;
};

}  // namespace

std::unique_ptr<TSampleTranslation> WideSamples(TSampleLayout layout, uint16_t format, uint16_t bits)
{
    TLevelOf levelOf = nullptr;
    if (format == SAMPLEFORMAT_UINT && bits == 32) levelOf = HighByte;
    if (format == SAMPLEFORMAT_IEEEFP)
        levelOf = bits == 16 ? HalfLevel : bits == 32 ? FloatLevel : bits == 64 ? DoubleLevel : nullptr;
    if (!levelOf) return nullptr;
    return std::make_unique<TWideSamples>(layout, levelOf);
}

std::unique_ptr<TSampleTranslation> CmykSamples(TAlpha alpha, uint16_t bits, const TColorProfile& profile)
{
    TTransformHandle transform;
    if (profile.Kind() == TProfileKind::CMYK) {
        const TProfileHandle from = OpenProfile(profile);
        const TProfileHandle to(cmsCreate_sRGBProfile());
        if (from && to)
            transform.reset(cmsCreateTransform(from.get(), LcmsLayout(PT_CMYK, 4, bits / 8, alpha), to.get(),
                                               LcmsLayout(PT_RGB, 3, 1, alpha), ConversionIntent(from.get(), to.get()),
                                               cmsFLAGS_BLACKPOINTCOMPENSATION | cmsFLAGS_NOCACHE));
    }
    return std::make_unique<TCmykSamples>(alpha, bits, std::move(transform));
}

std::unique_ptr<TSampleTranslation> LabSamples(TSampleLayout layout, uint16_t photometric, uint16_t bits,
                                               const TChromaticity& white)
{
    TLabEncoding encoding;
    if ((bits != 8 && bits != 16) || !LabEncodingOf(photometric, bits, encoding)) return nullptr;
    const TProfileHandle lab(cmsCreateLab4Profile(nullptr));
    const TProfileHandle srgb(cmsCreate_sRGBProfile());
    if (!lab || !srgb) return nullptr;
    TTransformHandle transform(cmsCreateTransform(lab.get(), TYPE_Lab_DBL, srgb.get(), LcmsLayout(PT_RGB, 3, 1, layout.Alpha),
                                                  INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE));
    if (!transform) return nullptr;
    return std::make_unique<TLabSamples>(layout, bits, encoding, white, std::move(transform));
}

}  // namespace quilmo::spi
