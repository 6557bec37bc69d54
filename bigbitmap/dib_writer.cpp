#include "dib_writer.h"

#include <algorithm>
#include <string>
#include <vector>

#include "dib_utils.h"
#include "errors.h"
#include "le_bytes.h"
#include "stream.h"
#include "ui_text.h"

namespace quilmo {

namespace {

int ColourCount(const TDIBLayout& layout)
{
    return layout.Palette ? static_cast<int>(std::min<size_t>(layout.Palette->size(), 256)) : 0;
}

}  // namespace

int64_t DIBHeaderSize(const TDIBLayout& layout)
{
    return kInfoHeaderSize + (layout.Masks565 ? 12 : 0) + 4 * ColourCount(layout);
}

int64_t DIBImageSize(const TDIBLayout& layout)
{
    return DIBStride(layout.Bits, layout.Width) * layout.Height;
}

int64_t BmpFileSize(const TDIBLayout& layout)
{
    return kFileHeaderSize + DIBHeaderSize(layout) + DIBImageSize(layout);
}

void CheckBmpFileSize(const TDIBLayout& layout)
{
    const int64_t size = BmpFileSize(layout);
    if (size > int64_t{UINT32_MAX})
        throw EWriteError(FillIn(UiText(UI_TEXT("quilmo", "BMP 画像を書き出せません: BMP ファイルは 4 GiB までですが、この画像は %1 バイトになります。PNG で保存してください")),
                                 std::to_string(size)));
}

void WriteDIBHeaders(TStream& stream, const TDIBLayout& layout)
{
    CheckBmpFileSize(layout);
    const int colours = ColourCount(layout);
    const int64_t offset = kFileHeaderSize + DIBHeaderSize(layout);
    std::vector<uint8_t> head(static_cast<size_t>(offset), 0);
    uint8_t* p = head.data();
    PutLE16(p, kBitmapFileType);
    PutLE32(p + 2, static_cast<uint32_t>(BmpFileSize(layout)));
    PutLE32(p + 10, static_cast<uint32_t>(offset));
    p += kFileHeaderSize;
    PutLE32(p, kInfoHeaderSize);
    PutLE32(p + 4, static_cast<uint32_t>(layout.Width));
    PutLE32(p + 8, static_cast<uint32_t>(layout.Height));
    PutLE16(p + 12, 1);
    PutLE16(p + 14, static_cast<uint16_t>(layout.Bits));
    PutLE32(p + 16, layout.Masks565 ? BI_BITFIELDS : BI_RGB);
    PutLE32(p + 32, static_cast<uint32_t>(colours));
    p += kInfoHeaderSize;
    if (layout.Masks565) {
        PutLE32(p, 0xF800);
        PutLE32(p + 4, 0x07E0);
        PutLE32(p + 8, 0x001F);
        p += 12;
    }
    for (int i = 0; i < colours; ++i, p += 4) {
        const TPaletteEntry& e = (*layout.Palette)[i];
        p[0] = e.peBlue;
        p[1] = e.peGreen;
        p[2] = e.peRed;
        p[3] = 0;
    }
    stream.WriteBuffer(head.data(), offset);
}

}  // namespace quilmo
