#include "plugins/pixel_limit.h"

#include <algorithm>
#include <atomic>
#include <limits>

#include "bigbitmap/pixel_limit.h"
#include "plugins/spi_export.h"

namespace quilmo::spi {

namespace {
std::atomic<int64_t> pixelLimit{kDefaultMaxPicturePixels};
}

int64_t PluginPixelLimit() { return pixelLimit.load(std::memory_order_relaxed); }

bool PicturePixelsAllowed(uint64_t width, uint64_t height)
{
    constexpr uint64_t kMaxSide = std::numeric_limits<int32_t>::max();
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) return false;
    return width * height <= static_cast<uint64_t>(PluginPixelLimit());
}

}  // namespace quilmo::spi

int32_t QuilmoSetPixelLimit(int64_t maxPixels)
{
    quilmo::spi::pixelLimit.store(std::max<int64_t>(maxPixels, 1), std::memory_order_relaxed);
    return 0;
}
