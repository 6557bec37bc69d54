#include "picture_colors.h"

#include <algorithm>
#include <functional>
#include <memory>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/bitmap.h"
#include "color/color_transform.h"
#include "resample/work_threads.h"

namespace quilmo {

namespace {

// Rows one task converts, and the pixels worth a thread of their own.
constexpr int32_t kRowsPerTask = 64;
constexpr int64_t kPixelsPerThread = 1 << 16;

void ConvertRows(int32_t width, int32_t height, const TColorProfile& from, const TColorProfile& to,
                 const std::function<uint8_t*(int32_t row)>& rowAt)
{
    const std::shared_ptr<const TColorTransform> transform = ColorTransform(from, to);
    if (!transform || width <= 0 || height <= 0) return;
    const int64_t tasks = (height + kRowsPerTask - 1) / kRowsPerTask;
    RunTasks(ThreadsFor(int64_t{width} * height, kPixelsPerThread), tasks, [&] {
        return [&](int64_t task) {
            const auto first = static_cast<int32_t>(task * kRowsPerTask);
            for (int32_t y = first; y < std::min(first + kRowsPerTask, height); ++y)
                transform->Apply(rowAt(y), rowAt(y), static_cast<size_t>(width));
        };
    });
}

}  // namespace

void ConvertColors(TBigBitmap& picture, const TColorProfile& from, const TColorProfile& to)
{
    if (picture.PixelFormat() != bbpf24bit) return;
    ConvertRows(picture.GetWidth(), picture.GetHeight(), from, to, [&](int32_t y) { return picture.GetScanline(y); });
}

void ConvertColors(TBitmap& picture, const TColorProfile& from, const TColorProfile& to)
{
    if (picture.PixelFormat() != pf24bit) return;
    ConvertRows(picture.GetWidth(), picture.GetHeight(), from, to, [&](int32_t y) { return picture.ScanLine(y); });
}

void ConvertToSRGB(TBigBitmap& picture, const TColorProfile& profile) { ConvertColors(picture, profile, {}); }

void ConvertToSRGB(TBitmap& picture, const TColorProfile& profile) { ConvertColors(picture, profile, {}); }

}  // namespace quilmo
