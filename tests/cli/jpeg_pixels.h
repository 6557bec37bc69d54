#pragma once
// The decoded pixels of JPEG files that quilmo-cli wrote, compared.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace quilmo::test {

// Whether the pixels of columns 0..width-1 of rows 0..height-1 of the JPEG files a and b are
// the same; the first that differs is told.
::testing::AssertionResult SameTopLeftPixels(const std::string& a, const std::string& b, int32_t width, int32_t height);

}  // namespace quilmo::test
