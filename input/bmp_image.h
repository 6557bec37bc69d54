#pragma once
// BMP files: a big bitmap that keeps the colours its V4 or V5 header describes (calibrated
// RGB, an embedded profile, or sRGB).

#include <memory>

#include "bigbitmap/big_bitmap.h"
#include "color_tagged.h"

namespace quilmo {

class TBmpImage : public TBigBitmap, public TColorTagged {
public:
    const char* ClassName() const override { return "TBmpImage"; }
    const TColorProfile& Profile() const override { return FProfile; }

    // A picture that carries no colours of its own leaves this one in sRGB.
    void Assign(TGraphic* source) override;
    void LoadFromStream(TStream& stream) override;

protected:
    std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TBmpImage>(); }

private:
    TColorProfile FProfile;
};

}  // namespace quilmo
