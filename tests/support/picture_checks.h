#pragma once
// Checks on pictures shared by the test programs.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/bitmap.h"

namespace quilmo::test {

// The colour (0x00BBGGRR) of a pixel, through the palette for indexed formats.
TColor ColourAt(const TBitmap& bitmap, int32_t x, int32_t y);
TColor ColourAt(TBigBitmap& bitmap, int32_t x, int32_t y);

// A 24-bit big bitmap whose pixel (x, y) has colour Pattern(x, y).
TColor Pattern(int32_t x, int32_t y);
void FillPattern(TBigBitmap& bitmap, int32_t width, int32_t height);

// Every pixel of a 24-bit big bitmap, row after row from the top, without padding.
std::vector<uint8_t> PixelBytes(TBigBitmap& bitmap);

// Runs action and expects it to throw exactly E with exactly that message.
template <typename E, typename Action>
void ExpectError(Action&& action, const std::string& message)
{
    try {
        action();
        ADD_FAILURE() << "expected \"" << message << "\"";
    } catch (const E& e) {
        EXPECT_EQ(std::string(e.what()), message);
    } catch (const std::exception& e) {
        ADD_FAILURE() << "expected \"" << message << "\", got another error: " << e.what();
    }
}

}  // namespace quilmo::test
