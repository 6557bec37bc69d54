#pragma once
// What decoding a HEIF file's primary image will take, from the sizes its boxes and coded
// streams declare, known before libheif takes memory for any of it. Decoding makes the primary
// image and its auxiliary images (alpha, depth); a grid or an overlay is a canvas of its own,
// on which its input images are decoded.

#include <cstddef>
#include <cstdint>

namespace quilmo::spi {

// A side must be below this for libheif: its own limit, or the pixel limit when that is less.
int HeifSideLimit();

struct THeifDecoding {
    uint32_t Primary = 0;       // the primary image's item, as the file names it
    uint64_t LargestCoded = 0;  // the pixels of the largest coded image to decode
};

// 0, or the plug-in error code: kOutOfMemory when an image to be made is above the pixel limit
// or has a side libheif refuses, when a canvas and the largest image decoded onto it come to
// more than two pictures at the limit, or when the coded images decoded in all (every tile,
// as often as it is used) come to more than four; kBrokenData when the boxes are broken,
// refer to items that are missing, or go round in a circle, or when the primary image is the
// thumbnail or an auxiliary image of another (which is not the picture); kUnknownFormat for an
// image of a kind libheif cannot decode.
int32_t CheckHeifDecoding(const uint8_t* data, size_t size, THeifDecoding& decoding);

}  // namespace quilmo::spi
