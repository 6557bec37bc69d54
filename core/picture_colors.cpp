#include "picture_colors.h"

#include <algorithm>
#include <cstring>
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

// Rows of width pixels read at rowFrom(y) and written at rowTo(y), which may be the same row,
// through transform; copied as they are without one.
void ConvertRows(int32_t width, int32_t height, const TColorTransform* transform,
                 const std::function<const uint8_t*(int32_t row)>& rowFrom,
                 const std::function<uint8_t*(int32_t row)>& rowTo)
{
    if (width <= 0 || height <= 0) return;
    const int64_t tasks = (height + kRowsPerTask - 1) / kRowsPerTask;
    RunTasks(ThreadsFor(int64_t{width} * height, kPixelsPerThread), tasks, [&] {
        return [&](int64_t task) {
            const auto first = static_cast<int32_t>(task * kRowsPerTask);
            for (int32_t y = first; y < std::min(first + kRowsPerTask, height); ++y) {
                if (transform)
                    transform->Apply(rowFrom(y), rowTo(y), static_cast<size_t>(width));
                else
                    std::memcpy(rowTo(y), rowFrom(y), static_cast<size_t>(width) * 3);
            }
        };
    });
}

template <class Picture>
void ConvertInPlace(Picture& picture, const TColorProfile& from, const TColorProfile& to,
                    const std::function<uint8_t*(int32_t row)>& rowAt)
{
    const std::shared_ptr<const TColorTransform> transform = ColorTransform(from, to);
    if (transform) ConvertRows(picture.GetWidth(), picture.GetHeight(), transform.get(), rowAt, rowAt);
}

}  // namespace

void ConvertColors(TBigBitmap& picture, const TColorProfile& from, const TColorProfile& to)
{
    if (picture.PixelFormat() != bbpf24bit) return;
    ConvertInPlace(picture, from, to, [&](int32_t y) { return picture.GetScanline(y); });
}

void ConvertColors(TBitmap& picture, const TColorProfile& from, const TColorProfile& to)
{
    if (picture.PixelFormat() != pf24bit) return;
    ConvertInPlace(picture, from, to, [&](int32_t y) { return picture.ScanLine(y); });
}

void ConvertToSRGB(TBigBitmap& picture, const TColorProfile& profile) { ConvertColors(picture, profile, {}); }

void ConvertToSRGB(TBitmap& picture, const TColorProfile& profile) { ConvertColors(picture, profile, {}); }

void CopyInSRGB(TBigBitmap& copy, TBigBitmap& picture, const TColorProfile& profile)
{
    const std::shared_ptr<const TColorTransform> transform = ColorTransform(profile, {});
    TBigBitmap converted;
    RunAside([&] { converted.Allocate(picture.GetWidth(), picture.GetHeight(), bbpf24bit); });
    ConvertRows(picture.GetWidth(), picture.GetHeight(), transform.get(),
                [&](int32_t y) { return picture.GetScanline(y); }, [&](int32_t y) { return converted.GetScanline(y); });
    copy.TakeOver(converted);
}

}  // namespace quilmo
