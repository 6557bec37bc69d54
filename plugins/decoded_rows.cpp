#include "plugins/decoded_rows.h"

#include <optional>
#include <vector>

namespace quilmo::spi {

namespace {

void PutRows(const TDecodedRows& rows, const THdrToneMap* toneMap, TDibWriter& writer)
{
    const uint32_t width = writer.StoredWidth();
    const TPixelConverter converter(rows.Layout, toneMap ? THdrToneMap::kOutMax : rows.MaxValue);
    const size_t rowSamples = size_t{width} * static_cast<size_t>(rows.Layout.Channels());
    std::vector<uint16_t> wide, mapped(toneMap ? rowSamples : 0);
    for (uint32_t y = 0; y < writer.StoredHeight(); ++y) {
        const uint8_t* row = rows.Top + y * rows.Stride;
        const auto* deep = reinterpret_cast<const uint16_t*>(row);
        if (!toneMap) {
            if (rows.Deep)
                converter.Put(deep, width, writer.StoredRow(y));
            else
                converter.Put(row, width, writer.StoredRow(y));
            continue;
        }
        if (!rows.Deep) {
            wide.assign(row, row + rowSamples);
            deep = wide.data();
        }
        toneMap->Map(deep, width, rows.Layout.Channels(), mapped.data());
        converter.Put(mapped.data(), width, writer.StoredRow(y));
    }
}

}  // namespace

int32_t PutDecodedPicture(const TDecodedRows& rows, uint32_t width, uint32_t height, const TPictureColours& colours,
                          TDibBlocks& blocks)
{
    TDibWriter writer;
    if (const int32_t code = writer.Allocate(width, height, 1)) return code;
    const std::optional<THdrToneMap> toneMap =
        colours.HdrTransfer ? std::make_optional<THdrToneMap>(colours.HdrTransfer, rows.MaxValue) : std::nullopt;
    PutRows(rows, toneMap ? &*toneMap : nullptr, writer);
    const bool grey = rows.Layout.ColourChannels == 1 || colours.Profile.Kind() == TProfileKind::Gray;
    if (const int32_t code = PutColours(colours.Profile, grey, writer)) return code;
    writer.TakeBlocks(blocks);
    return 0;
}

}  // namespace quilmo::spi
