#include "bmp_writer.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "bgr_rows.h"
#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/dib_writer.h"
#include "bigbitmap/stream.h"
#include "color/color_transform.h"
#include "resample/work_threads.h"

namespace quilmo {

namespace {

// Rows converted in one piece of work, and the pixels worth a thread of their own.
constexpr int32_t kRowsPerTask = 64;
constexpr int64_t kPixelsPerThread = 1 << 16;

}  // namespace

void WriteBmp(TBigBitmap& picture, TStream& stream, const TColorProfile& profile)
{
    const std::shared_ptr<const TColorTransform> toSRGB = ColorTransform(profile, {});
    if (!toSRGB || picture.GetEmpty()) {
        picture.SaveToStream(stream);
        return;
    }
    const TDIBLayout layout{picture.GetWidth(), picture.GetHeight(), 24, nullptr, false};
    WriteDIBHeaders(stream, layout);
    // Rows bottom-up, each padded to 32 bits with zeros, converted on the work threads in groups
    // that are written in order as they become ready.
    const auto stride = static_cast<size_t>(DIBStride(24, layout.Width));
    const int64_t tasks = (layout.Height + kRowsPerTask - 1) / kRowsPerTask;
    std::vector<std::vector<uint8_t>> groups(static_cast<size_t>(tasks));
    RunTasks(
        ThreadsFor(int64_t{layout.Width} * layout.Height, kPixelsPerThread), tasks,
        [&] {
            return [&, rows = std::make_shared<TBGRRows>(picture)](int64_t task) {
                const int32_t first = layout.Height - 1 - static_cast<int32_t>(task) * kRowsPerTask;
                const int32_t count = std::min(kRowsPerTask, first + 1);
                std::vector<uint8_t>& group = groups[static_cast<size_t>(task)];
                group.assign(stride * static_cast<size_t>(count), 0);
                for (int32_t k = 0; k < count; ++k)
                    toSRGB->Apply(rows->Row(first - k), group.data() + stride * static_cast<size_t>(k),
                                  static_cast<size_t>(layout.Width));
            };
        },
        [&](int64_t task) {
            std::vector<uint8_t>& group = groups[static_cast<size_t>(task)];
            stream.WriteBuffer(group.data(), static_cast<int64_t>(group.size()));
            group = {};
        });
}

}  // namespace quilmo
