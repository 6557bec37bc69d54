#include "plugins/heif/heif_limits.h"

#include <algorithm>
#include <map>
#include <set>

#include "plugins/heif/coded_sizes.h"
#include "plugins/heif/heif_items.h"
#include "plugins/pixel_limit.h"
#include "plugins/spi_codes.h"

namespace quilmo::spi {

namespace {

// libheif's own limit on a side, which a side must be below.
constexpr int64_t kLibheifSideLimit = 32768;
// Neither the pixels held at once nor those decoded in all may come to more than this many
// pictures at the limit: a picture at the limit, made of tiles, with an alpha made of tiles,
// takes four.
constexpr uint64_t kPicturesAtTheLimit = 4;
// How deep images may derive from derived images, or be the auxiliary images of others; a file
// that goes deeper is taken for broken.
constexpr size_t kMaxNesting = 8;

uint64_t Sum(uint64_t a, uint64_t b) { return a > UINT64_MAX - b ? UINT64_MAX : a + b; }

bool Allowed(uint64_t width, uint64_t height)
{
    const auto side = static_cast<uint64_t>(HeifSideLimit());
    return width < side && height < side && PicturePixelsAllowed(width, height);
}

bool IsCoded(uint32_t type) { return type == FourCC("hvc1") || type == FourCC("av01"); }
bool IsDerived(uint32_t type) { return type == FourCC("grid") || type == FourCC("iovl") || type == FourCC("iden"); }

// The output size of a grid or an overlay, which their data begins with.
bool ReadCanvasSize(uint32_t type, const std::vector<uint8_t>& data, uint64_t& width, uint64_t& height)
{
    TByteReader reader(data);
    reader.Skip(1);  // version
    const size_t fieldSize = (reader.U8() & 1) ? 4 : 2;
    reader.Skip(type == FourCC("grid") ? 2 : 8);  // rows and columns; or the fill colour
    width = reader.Number(fieldSize);
    height = reader.Number(fieldSize);
    return !reader.Failed();
}

struct TCost {
    uint64_t Held = 0;     // pixels held at once while the image is made
    uint64_t Decoded = 0;  // coded pixels decoded to make it
};

// The cost of making each image, its auxiliary images included, worked out once per item.
class TDecodingCost {
public:
    explicit TDecodingCost(const THeifFile& heif) : FHeif(heif)
    {
        for (const auto& [id, item] : heif.Items)
            for (const uint32_t of : item.AuxiliaryFor) FAuxiliaries[of].push_back(id);
    }

    int32_t Of(uint32_t id, TCost& cost)
    {
        if (const auto known = FKnown.find(id); known != FKnown.end()) {
            cost = known->second;
            return 0;
        }
        const auto item = FHeif.Items.find(id);
        if (item == FHeif.Items.end() || FOpen.size() > kMaxNesting || !FOpen.insert(id).second) return kBrokenData;
        int32_t code = OwnCost(item->second, cost);
        const auto auxiliaries = FAuxiliaries.find(id);
        for (size_t i = 0; code == 0 && auxiliaries != FAuxiliaries.end() && i < auxiliaries->second.size(); ++i) {
            if (!Decodable(auxiliaries->second[i])) continue;  // nor does libheif decode it
            TCost more;
            code = Of(auxiliaries->second[i], more);
            cost = {Sum(cost.Held, more.Held), Sum(cost.Decoded, more.Decoded)};
        }
        FOpen.erase(id);
        if (code == 0) FKnown[id] = cost;
        return code;
    }

    uint64_t LargestCoded() const { return FLargestCoded; }

private:
    bool Decodable(uint32_t id) const
    {
        const auto item = FHeif.Items.find(id);
        return item != FHeif.Items.end() && (IsCoded(item->second.Type) || IsDerived(item->second.Type));
    }

    int32_t OwnCost(const THeifItem& item, TCost& cost)
    {
        if (IsCoded(item.Type)) return CodedCost(item, cost);
        if (IsDerived(item.Type)) return DerivedCost(item, cost);
        return item.Type == 0 ? kBrokenData : kUnknownFormat;
    }

    // The larger of the size the file gives and the size the coded stream gives.
    int32_t CodedCost(const THeifItem& item, TCost& cost)
    {
        std::vector<uint8_t> data;
        if (item.Width == 0 || item.Height == 0 || !FHeif.ItemData(item, data)) return kBrokenData;
        TCodedSize coded;
        for (const TBox& configuration : item.Configurations) {
            const bool read = configuration.Type == FourCC("hvcC") ? AddHevcSizes(configuration.Content, data, coded)
                                                                   : AddAv1Sizes(configuration.Content, data, coded);
            if (!read) return kBrokenData;
        }
        if (!Allowed(item.Width, item.Height)) return kOutOfMemory;
        if ((coded.Width != 0 || coded.Height != 0) && !Allowed(coded.Width, coded.Height)) return kOutOfMemory;
        const uint64_t pixels = std::max(uint64_t{item.Width} * item.Height, coded.Width * coded.Height);
        FLargestCoded = std::max(FLargestCoded, pixels);
        cost = {pixels, pixels};
        return 0;
    }

    // The canvas is held while the inputs are decoded onto it one after another.
    int32_t DerivedCost(const THeifItem& item, TCost& cost)
    {
        uint64_t canvas = 0;
        if (item.Type != FourCC("iden")) {
            std::vector<uint8_t> data;
            uint64_t width = 0, height = 0;
            if (!FHeif.ItemData(item, data) || !ReadCanvasSize(item.Type, data, width, height)) return kBrokenData;
            if (!Allowed(width, height)) return kOutOfMemory;
            canvas = width * height;
        }
        TCost inputs;
        for (const uint32_t id : item.Inputs) {
            TCost input;
            if (const int32_t code = Of(id, input)) return code;
            inputs = {std::max(inputs.Held, input.Held), Sum(inputs.Decoded, input.Decoded)};
        }
        cost = {Sum(canvas, inputs.Held), inputs.Decoded};
        return 0;
    }

    const THeifFile& FHeif;
    std::map<uint32_t, std::vector<uint32_t>> FAuxiliaries;
    std::map<uint32_t, TCost> FKnown;
    std::set<uint32_t> FOpen;
    uint64_t FLargestCoded = 0;
};

}  // namespace

int HeifSideLimit() { return static_cast<int>(std::min(kLibheifSideLimit - 1, PluginPixelLimit()) + 1); }

int32_t CheckHeifDecoding(const uint8_t* data, size_t size, THeifDecoding& decoding)
{
    THeifFile heif;
    if (!ReadHeifItems({data, size}, heif)) return kBrokenData;
    const auto primary = heif.Items.find(heif.Primary);
    if (primary != heif.Items.end() &&
        (!primary->second.ThumbnailFor.empty() || !primary->second.AuxiliaryFor.empty()))
        return kBrokenData;
    decoding.Primary = heif.Primary;
    TDecodingCost costs(heif);
    TCost cost;
    if (const int32_t code = costs.Of(heif.Primary, cost)) return code;
    const auto limit = static_cast<uint64_t>(PluginPixelLimit());
    const uint64_t budget = limit > UINT64_MAX / kPicturesAtTheLimit ? UINT64_MAX : kPicturesAtTheLimit * limit;
    if (cost.Held > budget || cost.Decoded > budget) return kOutOfMemory;
    decoding.LargestCoded = costs.LargestCoded();
    return 0;
}

}  // namespace quilmo::spi
