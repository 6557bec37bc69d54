#pragma once
// GIF pictures through giflib: the first frame on the logical screen. Transparent pixels, and
// the parts of the screen the frame does not cover, are white.

#include <memory>

#include "compressed_graphic.h"

namespace quilmo {

class TGIFImage : public TCompressedGraphic {
public:
    const char* ClassName() const override { return "TGIFImage"; }

protected:
    std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TGIFImage>(); }
    THeader ReadHeader(std::span<const uint8_t> bytes) const override;
    void Decode(std::span<const uint8_t> bytes, TPictureRows& rows) const override;
};

}  // namespace quilmo
