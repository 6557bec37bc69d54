#pragma once
// The one limit on the size of a picture that any reader accepts. Readers check it from the
// picture's header, before they take memory for its pixels; what a join builds is not limited
// by it.

#include <cstdint>

namespace quilmo {

inline constexpr int64_t kDefaultMaxPicturePixels = int64_t{1} << 28;

// Process-wide; safe to read from any thread.
int64_t MaxPicturePixels();
// Limits below one pixel are taken as one.
void SetMaxPicturePixels(int64_t limit);

// Throws EInvalidGraphic naming the size when width x height is above the limit.
void CheckPicturePixels(int64_t width, int64_t height);

}  // namespace quilmo
