#include "plugins/heif/heif_items.h"

#include <algorithm>

namespace quilmo::spi {

namespace {

// The version of a full box; its flags go to flags when asked for.
uint8_t FullBoxVersion(TByteReader& reader, uint32_t* flags = nullptr)
{
    const uint32_t versionAndFlags = reader.U32();
    if (flags) *flags = versionAndFlags & 0xFFFFFF;
    return static_cast<uint8_t>(versionAndFlags >> 24);
}

bool ReadPrimary(TByteSpan content, THeifFile& heif)
{
    TByteReader reader(content);
    heif.Primary = FullBoxVersion(reader) == 0 ? reader.U16() : reader.U32();
    return !reader.Failed();
}

bool ReadItemInfos(TByteSpan content, THeifFile& heif)
{
    TByteReader reader(content);
    reader.Skip(FullBoxVersion(reader) == 0 ? 2 : 4);  // the entry count; the boxes say it too
    std::vector<TBox> entries;
    if (reader.Failed() || !ReadBoxes(reader.Rest(), entries)) return false;
    for (const TBox& entry : entries) {
        if (entry.Type != FourCC("infe")) continue;
        TByteReader fields(entry.Content);
        const uint8_t version = FullBoxVersion(fields);
        if (version < 2) continue;  // an old entry, which names no image
        const uint32_t id = version == 2 ? fields.U16() : fields.U32();
        fields.Skip(2);  // protection index
        const uint32_t type = fields.U32();
        if (fields.Failed()) return false;
        heif.Items[id].Type = type;
    }
    return true;
}

bool ReadLocations(TByteSpan content, THeifFile& heif)
{
    TByteReader reader(content);
    const uint8_t version = FullBoxVersion(reader);
    const uint8_t sizes = reader.U8(), moreSizes = reader.U8();
    const size_t offsetSize = sizes >> 4, lengthSize = sizes & 15, baseOffsetSize = moreSizes >> 4;
    const size_t indexSize = version == 1 || version == 2 ? moreSizes & 15 : 0;
    const auto validSize = [](size_t size) { return size == 0 || size == 4 || size == 8; };
    if (!validSize(offsetSize) || !validSize(lengthSize) || !validSize(baseOffsetSize) || !validSize(indexSize))
        return false;
    const uint32_t count = version < 2 ? reader.U16() : reader.U32();
    for (uint32_t i = 0; i < count && !reader.Failed(); ++i) {
        THeifItem& item = heif.Items[version < 2 ? reader.U16() : reader.U32()];
        if (version == 1 || version == 2) item.ConstructionMethod = reader.U16() & 15;
        item.DataReference = reader.U16();
        item.BaseOffset = reader.Number(baseOffsetSize);
        const uint16_t extents = reader.U16();
        // Extents that take no bytes of the box could be counted without end.
        if (extents > 1 && indexSize + offsetSize + lengthSize == 0) return false;
        item.Extents.clear();
        for (uint16_t e = 0; e < extents && !reader.Failed(); ++e) {
            reader.Skip(indexSize);
            const uint64_t offset = reader.Number(offsetSize);
            item.Extents.push_back({offset, reader.Number(lengthSize)});
        }
    }
    return !reader.Failed();
}

bool ReadReferences(TByteSpan content, THeifFile& heif)
{
    TByteReader reader(content);
    const size_t idSize = FullBoxVersion(reader) == 0 ? 2 : 4;
    std::vector<TBox> references;
    if (reader.Failed() || !ReadBoxes(reader.Rest(), references)) return false;
    for (const TBox& reference : references) {
        TByteReader fields(reference.Content);
        const auto from = static_cast<uint32_t>(fields.Number(idSize));
        const uint16_t count = fields.U16();
        std::vector<uint32_t> to;
        for (uint16_t i = 0; i < count && !fields.Failed(); ++i) to.push_back(static_cast<uint32_t>(fields.Number(idSize)));
        if (fields.Failed()) return false;
        std::vector<uint32_t>* list = reference.Type == FourCC("dimg")   ? &heif.Items[from].Inputs
                                      : reference.Type == FourCC("auxl") ? &heif.Items[from].AuxiliaryFor
                                      : reference.Type == FourCC("thmb") ? &heif.Items[from].ThumbnailFor
                                                                         : nullptr;
        if (list) list->insert(list->end(), to.begin(), to.end());
    }
    return true;
}

void AddProperty(const TBox& property, THeifItem& item)
{
    if (property.Type == FourCC("hvcC") || property.Type == FourCC("av1C")) {
        item.Configurations.push_back(property);
    } else if (property.Type == FourCC("ispe")) {
        TByteReader fields(property.Content);
        FullBoxVersion(fields);
        const uint32_t width = fields.U32(), height = fields.U32();
        if (fields.Failed()) return;
        item.Width = std::max(item.Width, width);
        item.Height = std::max(item.Height, height);
    }
}

bool ReadAssociations(TByteSpan content, const std::vector<TBox>& properties, THeifFile& heif)
{
    TByteReader reader(content);
    uint32_t flags = 0;
    const uint8_t version = FullBoxVersion(reader, &flags);
    const uint32_t count = reader.U32();
    for (uint32_t i = 0; i < count && !reader.Failed(); ++i) {
        THeifItem& item = heif.Items[version < 1 ? reader.U16() : reader.U32()];
        const uint8_t associations = reader.U8();
        for (uint8_t a = 0; a < associations && !reader.Failed(); ++a) {
            // The top bit says whether the property is essential; the rest is its index from 1.
            const size_t index = (flags & 1) ? reader.U16() & 0x7FFF : reader.U8() & 0x7F;
            if (index >= 1 && index <= properties.size()) AddProperty(properties[index - 1], item);
        }
    }
    return !reader.Failed();
}

bool ReadProperties(TByteSpan content, THeifFile& heif)
{
    std::vector<TBox> boxes, properties;
    if (!ReadBoxes(content, boxes)) return false;
    for (const TBox& box : boxes)
        if (box.Type == FourCC("ipco") && !ReadBoxes(box.Content, properties)) return false;
    for (const TBox& box : boxes)
        if (box.Type == FourCC("ipma") && !ReadAssociations(box.Content, properties, heif)) return false;
    return true;
}

bool ReadMeta(TByteSpan content, THeifFile& heif)
{
    TByteReader reader(content);
    FullBoxVersion(reader);
    std::vector<TBox> boxes;
    if (reader.Failed() || !ReadBoxes(reader.Rest(), boxes)) return false;
    for (const TBox& box : boxes) {
        bool read = true;
        switch (box.Type) {
        case FourCC("pitm"): read = ReadPrimary(box.Content, heif); break;
        case FourCC("iinf"): read = ReadItemInfos(box.Content, heif); break;
        case FourCC("iloc"): read = ReadLocations(box.Content, heif); break;
        case FourCC("iref"): read = ReadReferences(box.Content, heif); break;
        case FourCC("iprp"): read = ReadProperties(box.Content, heif); break;
        case FourCC("idat"): heif.Idat = box.Content; break;
        default: break;
        }
        if (!read) return false;
    }
    return true;
}

}  // namespace

bool THeifFile::ItemData(const THeifItem& item, std::vector<uint8_t>& data) const
{
    if (item.DataReference != 0 || item.ConstructionMethod > 1) return false;
    const TByteSpan source = item.ConstructionMethod == 0 ? File : Idat;
    data.clear();
    for (const THeifExtent& extent : item.Extents) {
        const uint64_t start = item.BaseOffset + extent.Offset;
        if (start < item.BaseOffset || start > source.size()) return false;
        const uint64_t length = extent.Length ? extent.Length : source.size() - start;
        if (length > source.size() - start || length > File.size() - data.size()) return false;
        data.insert(data.end(), source.begin() + start, source.begin() + start + length);
    }
    return true;
}

bool ReadHeifItems(TByteSpan file, THeifFile& heif)
{
    heif.File = file;
    std::vector<TBox> boxes;
    // What follows a broken box is not read; the meta box comes before the pictures' data.
    ReadBoxes(file, boxes);
    const auto meta = std::find_if(boxes.begin(), boxes.end(), [](const TBox& box) { return box.Type == FourCC("meta"); });
    return meta != boxes.end() && ReadMeta(meta->Content, heif);
}

}  // namespace quilmo::spi
