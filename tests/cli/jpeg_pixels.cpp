#include "jpeg_pixels.h"

#include "bigbitmap/big_bitmap.h"
#include "input/jpeg_image.h"
#include "support/picture_checks.h"

namespace quilmo::test {

namespace {

void ReadPixels(const std::string& path, TBigBitmap& pixels)
{
    TJPEGImage jpeg;
    jpeg.LoadFromFile(path);
    pixels.Assign(&jpeg);
}

}  // namespace

::testing::AssertionResult SameTopLeftPixels(const std::string& a, const std::string& b, int32_t width, int32_t height)
{
    TBigBitmap first, second;
    ReadPixels(a, first);
    ReadPixels(b, second);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            if (ColourAt(first, x, y) != ColourAt(second, x, y))
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << " differs";
    return ::testing::AssertionSuccess();
}

}  // namespace quilmo::test
