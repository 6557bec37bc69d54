#pragma once
// PNG pictures through libpng: every colour type and bit depth, palettes, interlacing.
// Transparent and partly transparent pixels are composed over white.

#include <memory>

#include "compressed_graphic.h"

namespace quilmo {

class TPNGImage : public TCompressedGraphic {
public:
    const char* ClassName() const override { return "TPNGImage"; }

protected:
    std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TPNGImage>(); }
    THeader ReadHeader(std::span<const uint8_t> bytes) const override;
    void Decode(std::span<const uint8_t> bytes, TPictureRows& rows) const override;
};

}  // namespace quilmo
