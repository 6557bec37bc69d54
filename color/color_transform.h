#pragma once
// Converting pixels from one profile's colours into another's: relative colorimetric with black
// point compensation, perceptual where a profile has only perceptual tables. Between two RGB
// matrix-shapers (the common case) through tables of our own, within one level of lcms and many
// times faster; through lcms otherwise. Transforms are shared: each pair of profiles is made
// into a transform once and kept for the next caller.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "bigbitmap/geometry.h"
#include "color_profile.h"

namespace quilmo {

class TMatrixShaper;

class TColorTransform {
public:
    // Takes over a transform of lcms, or the fast conversion between two matrix-shapers.
    explicit TColorTransform(void* transform);
    explicit TColorTransform(std::unique_ptr<TMatrixShaper> shaper);
    ~TColorTransform();
    TColorTransform(const TColorTransform&) = delete;
    TColorTransform& operator=(const TColorTransform&) = delete;

    // pixels of the source profile's kind at from (blue, green, red; grey as three equal bytes;
    // CMYK as four bytes, 0 for no ink) into blue, green, red at to. For RGB and grey pixels from
    // and to may be the same memory. Safe to call from several threads at once.
    void Apply(const uint8_t* from, uint8_t* to, size_t pixels) const;

private:
    void* FTransform = nullptr;
    std::unique_ptr<TMatrixShaper> FShaper;
};

// The transform from from's colours into to's (an RGB profile); none when they are the same
// colours. Raises EConvertError when lcms cannot make one.
std::shared_ptr<const TColorTransform> ColorTransform(const TColorProfile& from, const TColorProfile& to);

// color (sRGB) in to's colours, as the transform of sRGB pictures into to gives it.
TColor ConvertColor(TColor color, const TColorProfile& to);

}  // namespace quilmo
