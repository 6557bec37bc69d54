#include "support/bmp_builder.h"

#include <algorithm>

namespace quilmo::test {

namespace {

void Put16(TBytes& out, size_t at, uint32_t v)
{
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(TBytes& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

TBytes MakeBmp(const TBmpSpec& spec)
{
    const bool masksInHeader = spec.HeaderSize >= 52;
    const size_t masksAfter = masksInHeader ? 0 : spec.Masks.size() * 4;
    const size_t headerEnd = 14 + spec.HeaderSize + masksAfter;
    const size_t offset = spec.DataOffset.value_or(static_cast<uint32_t>(headerEnd + 4 * spec.Colours.size()));
    // Room for every field even when the header claims to be shorter than they are.
    TBytes out(std::max({offset, headerEnd + 4 * spec.Colours.size(), size_t{14 + 52}}), 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 10, static_cast<uint32_t>(offset));
    Put32(out, 14, spec.HeaderSize);
    Put32(out, 18, static_cast<uint32_t>(spec.Width));
    Put32(out, 22, static_cast<uint32_t>(spec.Height));
    Put16(out, 26, 1);
    Put16(out, 28, spec.Bits);
    Put32(out, 30, spec.Compression);
    Put32(out, 46, spec.ColoursUsed);
    for (size_t i = 0; i < spec.Masks.size(); ++i)
        Put32(out, (masksInHeader ? 14 + 40 : 14 + spec.HeaderSize) + 4 * i, spec.Masks[i]);
    for (size_t i = 0; i < spec.Colours.size(); ++i) {
        const size_t at = headerEnd + 4 * i;
        out[at] = spec.Colours[i][2];
        out[at + 1] = spec.Colours[i][1];
        out[at + 2] = spec.Colours[i][0];
    }
    out.resize(offset);
    out.insert(out.end(), spec.Pixels.begin(), spec.Pixels.end());
    Put32(out, 2, spec.FileSize.value_or(static_cast<uint32_t>(out.size())));
    return out;
}

TBytes MakeCoreBmp(uint16_t width, uint16_t height, uint16_t bits,
                   const std::vector<std::array<uint8_t, 3>>& colours, const TBytes& pixels)
{
    const size_t offset = 14 + 12 + 3 * colours.size();
    TBytes out(offset, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<uint32_t>(offset + pixels.size()));
    Put32(out, 10, static_cast<uint32_t>(offset));
    Put32(out, 14, 12);
    Put16(out, 18, width);
    Put16(out, 20, height);
    Put16(out, 22, 1);
    Put16(out, 24, bits);
    for (size_t i = 0; i < colours.size(); ++i) {
        out[26 + 3 * i] = colours[i][2];
        out[27 + 3 * i] = colours[i][1];
        out[28 + 3 * i] = colours[i][0];
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

TBytes MakeRows(int64_t stride, int32_t rows, int64_t bytesPerRow, uint8_t (*fill)(int32_t, int64_t))
{
    TBytes out(static_cast<size_t>(stride * rows), 0);
    for (int32_t r = 0; r < rows; ++r)
        for (int64_t x = 0; x < bytesPerRow; ++x) out[static_cast<size_t>(r * stride + x)] = fill(r, x);
    return out;
}

uint32_t ReadLE32(const TBytes& bytes, size_t offset)
{
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

}  // namespace quilmo::test
