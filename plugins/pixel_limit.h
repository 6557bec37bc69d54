#pragma once
// The most pixels a plug-in decodes in one picture. A plug-in is a library of its own and cannot
// see the host's limit: the host passes it through QuilmoSetPixelLimit before every picture, and
// until it does the plug-in keeps the host's default.

#include <cstdint>

namespace quilmo::spi {

// True when width x height pixels are within the limit and each side fits the DIB header.
bool PicturePixelsAllowed(uint64_t width, uint64_t height);
int64_t PluginPixelLimit();

}  // namespace quilmo::spi
