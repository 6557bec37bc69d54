#include "color_profile.h"

#include <array>

#include "lcms_handles.h"

namespace quilmo {

namespace {

// Two profiles describe the same colours when no sample differs by more than this distance in
// L*a*b*, well below one 8-bit level and below what anyone sees.
constexpr float kSameColourDistance = 0.5f;

constexpr std::array<uint8_t, 9> kRgbLevels{0, 32, 64, 96, 128, 160, 192, 224, 255};
constexpr std::array<uint8_t, 5> kInkLevels{0, 64, 128, 192, 255};

std::vector<uint8_t> RgbSamples()
{
    std::vector<uint8_t> pixels;
    for (uint8_t r : kRgbLevels)
        for (uint8_t g : kRgbLevels)
            for (uint8_t b : kRgbLevels) pixels.insert(pixels.end(), {b, g, r});
    return pixels;
}

std::vector<uint8_t> GraySamples()
{
    std::vector<uint8_t> pixels;
    for (int v = 0; v <= 256; v += 8) {
        const auto level = static_cast<uint8_t>(v == 256 ? 255 : v);
        pixels.insert(pixels.end(), {level, level, level});
    }
    return pixels;
}

std::vector<uint8_t> CmykSamples()
{
    std::vector<uint8_t> pixels;
    for (uint8_t c : kInkLevels)
        for (uint8_t m : kInkLevels)
            for (uint8_t y : kInkLevels)
                for (uint8_t k : kInkLevels) pixels.insert(pixels.end(), {c, m, y, k});
    return pixels;
}

struct TKindOf {
    cmsColorSpaceSignature Space;
    TProfileKind Kind;
    size_t PixelBytes;
    std::vector<uint8_t> (*Samples)();
};

constexpr std::array<TKindOf, 3> kKinds{{
    {cmsSigRgbData, TProfileKind::RGB, 3, RgbSamples},
    {cmsSigGrayData, TProfileKind::Gray, 3, GraySamples},
    {cmsSigCmykData, TProfileKind::CMYK, 4, CmykSamples},
}};

// The colours of the sample pixels of kind in profile; none when lcms cannot convert them.
std::vector<float> SampleColours(cmsHPROFILE profile, const TKindOf& kind)
{
    const TProfileHandle lab(cmsCreateLab4Profile(nullptr));
    if (!lab) return {};
    const TTransformHandle transform(cmsCreateTransform(profile, PixelLayout(kind.Space), lab.get(), TYPE_Lab_FLT,
                                                        INTENT_RELATIVE_COLORIMETRIC,
                                                        cmsFLAGS_NOOPTIMIZE | cmsFLAGS_NOCACHE));
    if (!transform) return {};
    const std::vector<uint8_t> pixels = kind.Samples();
    const size_t count = pixels.size() / kind.PixelBytes;
    std::vector<float> colours(count * 3);
    cmsDoTransform(transform.get(), pixels.data(), colours.data(), static_cast<cmsUInt32Number>(count));
    return colours;
}

bool SameColours(const std::vector<float>& a, const std::vector<float>& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i += 3) {
        const float dl = a[i] - b[i], da = a[i + 1] - b[i + 1], db = a[i + 2] - b[i + 2];
        if (dl * dl + da * da + db * db > kSameColourDistance * kSameColourDistance) return false;
    }
    return true;
}

const std::vector<float>& SRGBColours()
{
    static const std::vector<float> colours = [] {
        const TProfileHandle srgb(cmsCreate_sRGBProfile());
        return SampleColours(srgb.get(), kKinds[0]);
    }();
    return colours;
}

// Signatures are taken as the numbers a profile holds: any four bytes, most of which no
// enumerator of lcms names.
bool IsPictureProfileClass(uint32_t deviceClass)
{
    return deviceClass == cmsSigInputClass || deviceClass == cmsSigDisplayClass ||
           deviceClass == cmsSigOutputClass || deviceClass == cmsSigColorSpaceClass;
}

}  // namespace

TColorProfile TColorProfile::FromICC(std::span<const uint8_t> bytes)
{
    if (bytes.empty()) return {};
    const TProfileHandle profile(
        cmsOpenProfileFromMem(bytes.data(), static_cast<cmsUInt32Number>(bytes.size())));
    if (!profile || !IsPictureProfileClass(cmsGetDeviceClass(profile.get()))) return {};
    const uint32_t space = cmsGetColorSpace(profile.get());
    for (const TKindOf& kind : kKinds) {
        if (static_cast<uint32_t>(kind.Space) != space) continue;
        auto data = std::make_shared<TData>();
        data->Samples = SampleColours(profile.get(), kind);
        if (data->Samples.empty()) return {};
        data->Bytes.assign(bytes.begin(), bytes.end());
        data->Kind = kind.Kind;
        data->SRGB = kind.Kind == TProfileKind::RGB && SameColours(data->Samples, SRGBColours());
        data->Output = cmsIsIntentSupported(profile.get(), INTENT_RELATIVE_COLORIMETRIC, LCMS_USED_AS_OUTPUT) ||
                       cmsIsIntentSupported(profile.get(), INTENT_PERCEPTUAL, LCMS_USED_AS_OUTPUT);
        TColorProfile result;
        result.FData = std::move(data);
        return result;
    }
    return {};
}

bool TColorProfile::IsJoinable() const
{
    return IsSRGB() || (FData->Kind == TProfileKind::RGB && FData->Output);
}

std::span<const uint8_t> TColorProfile::Bytes() const
{
    if (!FData) return {};
    return FData->Bytes;
}

bool operator==(const TColorProfile& a, const TColorProfile& b)
{
    if (a.IsSRGB() || b.IsSRGB()) return a.IsSRGB() && b.IsSRGB();
    if (a.FData == b.FData) return true;
    return a.FData->Kind == b.FData->Kind && SameColours(a.FData->Samples, b.FData->Samples);
}

}  // namespace quilmo
