#include "bmp_writer.h"

#include <memory>
#include <vector>

#include "bgr_rows.h"
#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/dib_writer.h"
#include "bigbitmap/stream.h"
#include "color/color_transform.h"

namespace quilmo {

void WriteBmp(TBigBitmap& picture, TStream& stream, const TColorProfile& profile)
{
    const std::shared_ptr<const TColorTransform> toSRGB = ColorTransform(profile, {});
    if (!toSRGB || picture.GetEmpty()) {
        picture.SaveToStream(stream);
        return;
    }
    const TDIBLayout layout{picture.GetWidth(), picture.GetHeight(), 24, nullptr, false};
    WriteDIBHeaders(stream, layout);
    // Rows bottom-up, each padded to 32 bits with zeros.
    std::vector<uint8_t> row(static_cast<size_t>(DIBStride(24, layout.Width)), 0);
    TBGRRows rows(picture);
    for (int32_t y = layout.Height - 1; y >= 0; --y) {
        toSRGB->Apply(rows.Row(y), row.data(), static_cast<size_t>(layout.Width));
        stream.WriteBuffer(row.data(), static_cast<int64_t>(row.size()));
    }
}

}  // namespace quilmo
