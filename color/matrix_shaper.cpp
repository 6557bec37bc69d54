#include "matrix_shaper.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quilmo {

namespace {

using TMatrix = std::array<std::array<double, 3>, 3>;

struct TShaper {
    TMatrix Colorants;  // columns: the connection space's XYZ of red, green and blue
    std::array<const cmsToneCurve*, 3> Curves;
};

bool StartsAtBlack(const cmsToneCurve* curve) { return std::abs(cmsEvalToneCurveFloat(curve, 0)) < 1e-6; }

// The same curve, as far as lcms's 16-bit table of it tells.
bool SameCurve(const cmsToneCurve* a, const cmsToneCurve* b)
{
    const cmsUInt32Number entries = cmsGetToneCurveEstimatedTableEntries(a);
    const cmsUInt16Number* table = cmsGetToneCurveEstimatedTable(a);
    return entries == cmsGetToneCurveEstimatedTableEntries(b) &&
           std::equal(table, table + entries, cmsGetToneCurveEstimatedTable(b));
}

// The matrix-shaper lcms would use for profile in that direction, if it is one.
bool ReadShaper(cmsHPROFILE profile, cmsUInt32Number direction, TShaper& shaper)
{
    if (cmsGetColorSpace(profile) != cmsSigRgbData || !cmsIsMatrixShaper(profile) ||
        cmsIsCLUT(profile, INTENT_RELATIVE_COLORIMETRIC, direction))
        return false;
    const cmsTagSignature colorants[3] = {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag};
    const cmsTagSignature curves[3] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
    for (int c = 0; c < 3; ++c) {
        const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, colorants[c]));
        shaper.Curves[c] = static_cast<const cmsToneCurve*>(cmsReadTag(profile, curves[c]));
        if (!xyz || !shaper.Curves[c] || !StartsAtBlack(shaper.Curves[c])) return false;
        shaper.Colorants[0][c] = xyz->X;
        shaper.Colorants[1][c] = xyz->Y;
        shaper.Colorants[2][c] = xyz->Z;
    }
    return true;
}

bool Invert(const TMatrix& m, TMatrix& inverse)
{
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    if (std::abs(det) < 1e-12) return false;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            // The cofactor of (c, r), from the rows and columns after each one, cyclically.
            const int r1 = (c + 1) % 3, r2 = (c + 2) % 3, c1 = (r + 1) % 3, c2 = (r + 2) % 3;
            inverse[r][c] = (m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1]) / det;
        }
    return true;
}

}  // namespace

std::unique_ptr<TMatrixShaper> TMatrixShaper::Make(cmsHPROFILE from, cmsHPROFILE to)
{
    TShaper source, target;
    TMatrix toRgb;
    if (!ReadShaper(from, LCMS_USED_AS_INPUT, source) || !ReadShaper(to, LCMS_USED_AS_OUTPUT, target) ||
        !Invert(target.Colorants, toRgb))
        return nullptr;
    auto shaper = std::make_unique<TMatrixShaper>();
    for (int in = 0; in < 3; ++in)
        for (int v = 0; v < 256; ++v) {
            const double linear = cmsEvalToneCurveFloat(source.Curves[in], v / 255.0);
            for (int out = 0; out < 3; ++out) {
                double weight = 0;
                for (int k = 0; k < 3; ++k) weight += toRgb[out][k] * source.Colorants[k][in];
                shaper->FContributions[in][v].To[out] =
                    static_cast<int32_t>(std::lround(weight * linear * (1 << kContributionBits)));
            }
        }
    for (int out = 0; out < 3; ++out) {
        for (int earlier = 0; earlier < out && !shaper->FBack[out]; ++earlier)
            if (SameCurve(target.Curves[earlier], target.Curves[out])) shaper->FBack[out] = shaper->FBack[earlier];
        if (shaper->FBack[out]) continue;
        cmsToneCurve* back = cmsReverseToneCurve(target.Curves[out]);
        if (!back) return nullptr;
        std::vector<uint8_t>& table = shaper->FBackTables[out];
        table.resize(kLinearOne + 1);
        for (int32_t i = 0; i <= kLinearOne; ++i) {
            const double value = std::clamp<double>(cmsEvalToneCurveFloat(back, float(i) / kLinearOne), 0, 1);
            table[static_cast<size_t>(i)] = static_cast<uint8_t>(std::lround(value * 255));
        }
        cmsFreeToneCurve(back);
        shaper->FBack[out] = table.data();
    }
    return shaper;
}

void TMatrixShaper::Apply(const uint8_t* from, uint8_t* to, size_t pixels) const
{
    constexpr int kShift = kContributionBits - kLinearBits;
    const uint8_t* const red = FBack[0];
    const uint8_t* const green = FBack[1];
    const uint8_t* const blue = FBack[2];
#if defined(__SSE2__)
    const __m128i half = _mm_set1_epi32(1 << (kShift - 1));
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi16(static_cast<int16_t>(kLinearOne));
    for (size_t i = 0; i < pixels; ++i, from += 3, to += 3) {
        const uint8_t b = from[0], g = from[1], r = from[2];
        __m128i sum = _mm_add_epi32(
            _mm_add_epi32(_mm_load_si128(reinterpret_cast<const __m128i*>(FContributions[0][r].To.data())),
                          _mm_load_si128(reinterpret_cast<const __m128i*>(FContributions[1][g].To.data()))),
            _mm_load_si128(reinterpret_cast<const __m128i*>(FContributions[2][b].To.data())));
        sum = _mm_srai_epi32(_mm_add_epi32(sum, half), kShift);
        // Saturated to 16 bits, then held to 0..kLinearOne.
        const __m128i linear = _mm_min_epi16(_mm_max_epi16(_mm_packs_epi32(sum, sum), zero), one);
        to[2] = red[_mm_extract_epi16(linear, 0)];
        to[1] = green[_mm_extract_epi16(linear, 1)];
        to[0] = blue[_mm_extract_epi16(linear, 2)];
    }
#else
    for (size_t i = 0; i < pixels; ++i, from += 3, to += 3) {
        const uint8_t b = from[0], g = from[1], r = from[2];
        int32_t linear[3];
        for (int out = 0; out < 3; ++out) {
            const int32_t sum = FContributions[0][r].To[out] + FContributions[1][g].To[out] + FContributions[2][b].To[out];
            linear[out] = std::clamp((sum + (1 << (kShift - 1))) >> kShift, 0, kLinearOne);
        }
        to[2] = red[linear[0]];
        to[1] = green[linear[1]];
        to[0] = blue[linear[2]];
    }
#endif
}

}  // namespace quilmo
