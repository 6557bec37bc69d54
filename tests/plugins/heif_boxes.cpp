#include "heif_boxes.h"

#include <cstring>

namespace quilmo::test {

namespace {

void Put(TBytes& out, uint64_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void Put(TBytes& out, const char* text, bool terminated = false)
{
    out.insert(out.end(), text, text + std::strlen(text) + (terminated ? 1 : 0));
}

void Put(TBytes& out, const TBytes& bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

TBytes Box(const char* type, const TBytes& content)
{
    TBytes box;
    Put(box, content.size() + 8, 4);
    Put(box, type);
    Put(box, content);
    return box;
}

// A full box of version 0 without flags.
TBytes FullBox(const char* type, const TBytes& content)
{
    TBytes versioned(4, 0);
    Put(versioned, content);
    return Box(type, versioned);
}

TBytes ItemInfos(const std::vector<THeifItemSpec>& items)
{
    TBytes infos;
    Put(infos, items.size(), 2);
    for (const THeifItemSpec& item : items) {
        TBytes entry = {2, 0, 0, 0};  // version 2
        Put(entry, item.Id, 2);
        Put(entry, 0, 2);  // protection index
        Put(entry, item.Type, true);
        Put(entry, "", true);  // name
        Put(infos, Box("infe", entry));
    }
    return FullBox("iinf", infos);
}

TBytes Locations(const std::vector<THeifItemSpec>& items)
{
    TBytes locations = {1, 0, 0, 0, 0x44, 0x00};  // version 1; 4-byte offsets and lengths
    Put(locations, items.size(), 2);
    uint64_t offset = 0;
    for (const THeifItemSpec& item : items) {
        Put(locations, item.Id, 2);
        Put(locations, 1, 2);  // in the idat box
        Put(locations, 0, 2);  // this file
        Put(locations, 1, 2);  // one extent
        Put(locations, offset, 4);
        Put(locations, item.Data.size(), 4);
        offset += item.Data.size();
    }
    return Box("iloc", locations);
}

TBytes References(const std::vector<THeifItemSpec>& items)
{
    TBytes references;
    for (const THeifItemSpec& item : items) {
        if (!item.Inputs.empty()) {
            TBytes inputs;
            Put(inputs, item.Id, 2);
            Put(inputs, item.Inputs.size(), 2);
            for (const uint32_t input : item.Inputs) Put(inputs, input, 2);
            Put(references, Box("dimg", inputs));
        }
        if (item.AlphaFor) {
            TBytes alpha;
            Put(alpha, item.Id, 2);
            Put(alpha, 1, 2);
            Put(alpha, item.AlphaFor, 2);
            Put(references, Box("auxl", alpha));
        }
    }
    return FullBox("iref", references);
}

// An ispe property for each item that has a size, an hvcC for each HEVC item and an auxC for
// each alpha.
TBytes Properties(const std::vector<THeifItemSpec>& items)
{
    TBytes properties, associations;
    Put(associations, items.size(), 4);
    int count = 0;
    for (const THeifItemSpec& item : items) {
        TBytes indices;
        if (item.Width) {
            TBytes size;
            Put(size, item.Width, 4);
            Put(size, item.Height, 4);
            Put(properties, FullBox("ispe", size));
            indices.push_back(static_cast<uint8_t>(++count));
        }
        if (std::strcmp(item.Type, "hvc1") == 0) {
            TBytes configuration = {1};  // version
            Put(configuration, TBytes(20, 0));
            Put(configuration, {0x03, 0});  // four-byte NAL unit lengths; no parameter sets
            Put(properties, Box("hvcC", configuration));
            indices.push_back(static_cast<uint8_t>(++count));
        }
        if (item.AlphaFor) {
            TBytes type;
            Put(type, "urn:mpeg:hevc:2015:auxid:1", true);
            Put(properties, FullBox("auxC", type));
            indices.push_back(static_cast<uint8_t>(++count));
        }
        Put(associations, item.Id, 2);
        associations.push_back(static_cast<uint8_t>(indices.size()));
        Put(associations, indices);
    }
    TBytes container = Box("ipco", properties);
    Put(container, FullBox("ipma", associations));
    return Box("iprp", container);
}

}  // namespace

TBytes HeifFile(uint32_t primary, const std::vector<THeifItemSpec>& items)
{
    TBytes type;
    Put(type, "heic");
    Put(type, 0, 4);
    Put(type, "mif1heic");
    TBytes handler(4, 0);
    Put(handler, "pict");
    Put(handler, TBytes(13, 0));  // reserved, empty name
    TBytes primaryItem;
    Put(primaryItem, primary, 2);
    TBytes data;
    for (const THeifItemSpec& item : items) Put(data, item.Data);

    TBytes meta = FullBox("hdlr", handler);
    for (const TBytes& box : {FullBox("pitm", primaryItem), ItemInfos(items), Locations(items), References(items),
                              Properties(items), Box("idat", data)})
        Put(meta, box);
    TBytes file = Box("ftyp", type);
    Put(file, FullBox("meta", meta));
    return file;
}

TBytes GridData(uint8_t rows, uint8_t columns, uint32_t width, uint32_t height)
{
    TBytes data = {0, 1, static_cast<uint8_t>(rows - 1), static_cast<uint8_t>(columns - 1)};  // 32-bit sizes
    Put(data, width, 4);
    Put(data, height, 4);
    return data;
}

TBytes OverlayData(uint32_t width, uint32_t height)
{
    TBytes data = {0, 1};  // 32-bit sizes
    Put(data, TBytes(8, 0xFF));  // the fill colour
    Put(data, width, 4);
    Put(data, height, 4);
    return data;
}

}  // namespace quilmo::test
