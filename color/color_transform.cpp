#include "color_transform.h"

#include <mutex>
#include <vector>

#include "bigbitmap/errors.h"
#include "lcms_handles.h"
#include "matrix_shaper.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

// Transforms kept for reuse; a batch may meet many profiles, so the oldest make room.
constexpr size_t kKeptTransforms = 16;

struct TKeptTransform {
    TColorProfile From;
    TColorProfile To;
    std::shared_ptr<const TColorTransform> Transform;
};

std::mutex gKeptMutex;
std::vector<TKeptTransform> gKept;

std::shared_ptr<const TColorTransform> FindKept(const TColorProfile& from, const TColorProfile& to)
{
    for (const TKeptTransform& kept : gKept)
        if (kept.From == from && kept.To == to) return kept.Transform;
    return nullptr;
}

std::shared_ptr<const TColorTransform> MakeTransform(const TColorProfile& from, const TColorProfile& to)
{
    const TProfileHandle source = OpenProfile(from);
    const TProfileHandle target = OpenProfile(to);
    if (source && target)
        if (std::unique_ptr<TMatrixShaper> shaper = TMatrixShaper::Make(source.get(), target.get()))
            return std::make_shared<TColorTransform>(std::move(shaper));
    cmsHTRANSFORM transform = nullptr;
    if (source && target)
        transform = cmsCreateTransform(source.get(), PixelLayout(cmsGetColorSpace(source.get())), target.get(),
                                       TYPE_BGR_8, ConversionIntent(source.get(), target.get()),
                                       cmsFLAGS_BLACKPOINTCOMPENSATION | cmsFLAGS_NOCACHE);
    if (!transform) throw EConvertError(UiText(UI_TEXT("quilmo", "画像の色を変換できません")));
    return std::make_shared<TColorTransform>(transform);
}

}  // namespace

TColorTransform::TColorTransform(void* transform) : FTransform(transform) {}

TColorTransform::TColorTransform(std::unique_ptr<TMatrixShaper> shaper) : FShaper(std::move(shaper)) {}

TColorTransform::~TColorTransform()
{
    if (FTransform) cmsDeleteTransform(FTransform);
}

void TColorTransform::Apply(const uint8_t* from, uint8_t* to, size_t pixels) const
{
    if (FShaper)
        FShaper->Apply(from, to, pixels);
    else
        cmsDoTransform(FTransform, from, to, static_cast<cmsUInt32Number>(pixels));
}

std::shared_ptr<const TColorTransform> ColorTransform(const TColorProfile& from, const TColorProfile& to)
{
    if (from == to) return nullptr;
    {
        const std::lock_guard lock(gKeptMutex);
        if (auto kept = FindKept(from, to)) return kept;
    }
    // Made outside the lock: other threads go on finding the transforms they need meanwhile.
    std::shared_ptr<const TColorTransform> made = MakeTransform(from, to);
    const std::lock_guard lock(gKeptMutex);
    if (auto kept = FindKept(from, to)) return kept;
    if (gKept.size() == kKeptTransforms) gKept.erase(gKept.begin());
    gKept.push_back({from, to, made});
    return made;
}

TColor ConvertColor(TColor color, const TColorProfile& to)
{
    const std::shared_ptr<const TColorTransform> transform = ColorTransform({}, to);
    if (!transform) return color;
    uint8_t pixel[3] = {ColorBlue(color), ColorGreen(color), ColorRed(color)};
    transform->Apply(pixel, pixel, 1);
    return RGBColor(pixel[2], pixel[1], pixel[0]);
}

}  // namespace quilmo
