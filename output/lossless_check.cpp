#include "lossless_check.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>

#include "color/color_transform.h"
#include "input/color_tagged.h"
#include "input/jpeg_image.h"
#include "input/jpeg_reader.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

// A picture as its JPEG header describes it, upright.
struct TJpegFacts {
    std::span<const uint8_t> Bytes;
    J_COLOR_SPACE Space = JCS_UNKNOWN;
    std::vector<std::pair<int, int>> Sampling;  // each component's factors across and down
    int Orientation = 1;
    TBlockTurn Turn;
    TSize Size;  // upright
    TSize Mcu;   // in pixels, upright
};

std::optional<TJpegFacts> ReadFacts(const TLosslessJoin& join, size_t i)
{
    const auto* jpeg = dynamic_cast<const TJPEGImage*>(join.Pictures[i].Picture);
    if (!jpeg) return std::nullopt;
    TJpegFacts facts;
    facts.Bytes = jpeg->Bytes();
    try {
        TJpegReader reader(facts.Bytes);
        reader.ReadHeader();
        const j_decompress_ptr info = reader.Info();
        facts.Space = info->jpeg_color_space;
        facts.Orientation = reader.Orientation();
        facts.Turn = BlockTurnOf(facts.Orientation);
        int across = 1, down = 1;
        for (int c = 0; c < info->num_components; ++c) {
            std::pair<int, int> factors{info->comp_info[c].h_samp_factor, info->comp_info[c].v_samp_factor};
            if (facts.Turn.Transpose) std::swap(factors.first, factors.second);
            across = std::max(across, factors.first);
            down = std::max(down, factors.second);
            facts.Sampling.push_back(factors);
        }
        facts.Mcu = {DCTSIZE * across, DCTSIZE * down};
        facts.Size = {reader.StoredWidth(), reader.StoredHeight()};
        if (facts.Turn.Transpose) facts.Size = {facts.Size.Height, facts.Size.Width};
    } catch (const std::exception& e) {
        throw EReadError(PictureLabel(join, i) + ": " + e.what());
    }
    return facts;
}

bool Joinable(J_COLOR_SPACE space)
{
    return space == JCS_GRAYSCALE || space == JCS_YCbCr || space == JCS_RGB;
}

std::string KindText(J_COLOR_SPACE space)
{
    switch (space) {
    case JCS_GRAYSCALE: return UiText(UI_TEXT("quilmo", "グレースケール"));
    case JCS_YCbCr: return UiText(UI_TEXT("quilmo", "カラー (YCbCr)"));
    case JCS_RGB: return UiText(UI_TEXT("quilmo", "カラー (RGB)"));
    case JCS_CMYK:
    case JCS_YCCK: return UiText(UI_TEXT("quilmo", "CMYK (連結では RGB に変換されます)"));
    default: return UiText(UI_TEXT("quilmo", "連結で変換される色"));
    }
}

std::string SamplingText(const TJpegFacts& facts)
{
    std::string text;
    for (const auto& [across, down] : facts.Sampling) {
        if (!text.empty()) text += ',';
        text += std::to_string(across) + 'x' + std::to_string(down);
    }
    return text;
}

std::string NotMultiple(int32_t mcu)
{
    return FillIn(UiText(UI_TEXT("quilmo", "MCU の %1 の倍数ではありません")), std::to_string(mcu));
}

// Pictures that are not JPEG pictures of the first one's kind (colour space, components and
// sampling). Returns the first picture when all are of its kind.
const TJpegFacts* CheckKinds(const TLosslessJoin& join, std::span<const std::optional<TJpegFacts>> facts,
                             std::vector<std::string>& reasons)
{
    const size_t known = reasons.size();
    const TJpegFacts* first = nullptr;
    size_t firstIndex = 0;
    for (size_t i = 0; i < facts.size(); ++i) {
        const std::string label = PictureLabel(join, i);
        if (!facts[i]) {
            reasons.push_back(FillIn(UiText(UI_TEXT("quilmo", "%1 は JPEG 画像ではありません")), label));
        } else if (!Joinable(facts[i]->Space)) {
            reasons.push_back(FillIn(UiText(UI_TEXT("quilmo", "%1 は %2 です")), {label, KindText(facts[i]->Space)}));
        } else if (!first) {
            first = &*facts[i];
            firstIndex = i;
        } else if (facts[i]->Space != first->Space) {
            reasons.push_back(FillIn(UiText(UI_TEXT("quilmo", "%1 は %2、%3 は %4 です")),
                                     {label, KindText(facts[i]->Space), PictureLabel(join, firstIndex),
                                      KindText(first->Space)}));
        } else if (facts[i]->Sampling != first->Sampling) {
            reasons.push_back(FillIn(UiText(UI_TEXT("quilmo", "%1 のサンプリングは %2、%3 は %4 です")),
                                     {label, SamplingText(*facts[i]), PictureLabel(join, firstIndex),
                                      SamplingText(*first)}));
        }
    }
    return reasons.size() == known ? first : nullptr;
}

// Pictures that cannot be turned upright by moving whole blocks, or that do not fit their
// places.
void CheckShapes(const TLosslessJoin& join, std::span<const std::optional<TJpegFacts>> facts,
                 std::vector<std::string>& reasons)
{
    for (size_t i = 0; i < facts.size(); ++i) {
        if (!facts[i]) continue;
        const TJpegFacts& f = *facts[i];
        const std::string label = PictureLabel(join, i);
        const std::string orientation = std::to_string(f.Orientation);
        if (f.Turn.MirrorX && f.Size.Width % f.Mcu.Width != 0)
            reasons.push_back(FillIn(UiText(UI_TEXT("quilmo", "%1 は無劣化では正立にできません (EXIF の向き %2): 正立では幅 %3 ピクセルで、%4")),
                                     {label, orientation, std::to_string(f.Size.Width), NotMultiple(f.Mcu.Width)}));
        if (f.Turn.MirrorY && f.Size.Height % f.Mcu.Height != 0)
            reasons.push_back(FillIn(UiText(UI_TEXT("quilmo", "%1 は無劣化では正立にできません (EXIF の向き %2): 正立では高さ %3 ピクセルで、%4")),
                                     {label, orientation, std::to_string(f.Size.Height), NotMultiple(f.Mcu.Height)}));
        const TRect& place = join.Pictures[i].Place;
        if (place.Width() != f.Size.Width || place.Height() != f.Size.Height)
            reasons.push_back(FillIn(UiText(UI_TEXT("quilmo", "%1 は %2 x %3 ピクセルで、置く場所の大きさと違います")),
                                     {label, std::to_string(f.Size.Width), std::to_string(f.Size.Height)}));
    }
}

// The colours the join is made in, and the pictures the rule would convert into them.
TColorProfile CheckColors(const TLosslessJoin& join, std::span<const std::optional<TJpegFacts>> facts,
                          std::vector<std::string>& reasons)
{
    std::vector<TColorProfile> profiles;
    for (const TLosslessPicture& picture : join.Pictures)
        profiles.push_back(picture.Picture ? ProfileOf(*picture.Picture) : TColorProfile());
    TColorProfile space = JoinedColorSpace(profiles, join.ColorSpace);
    for (size_t i = 0; i < profiles.size(); ++i) {
        if (!facts[i] || profiles[i] == space) continue;
        reasons.push_back(FillIn(UiText(space.IsSRGB() ? UI_TEXT("quilmo", "%1 は sRGB に変換されます")
                                                       : UI_TEXT("quilmo", "%1 はほかの画像のプロファイルに変換されます")),
                                 PictureLabel(join, i)));
    }
    return space;
}

// Every edge inside the joined picture on the MCU grid. Pictures out of line because of the
// gap or the frame are told by those; the others by where they start.
void CheckPlaces(const TLosslessJoin& join, TSize mcu, std::vector<std::string>& reasons)
{
    bool startsOff = false;
    for (const TLosslessPicture& picture : join.Pictures)
        startsOff = startsOff || picture.Place.Left % mcu.Width != 0 || picture.Place.Top % mcu.Height != 0;
    const std::string size = std::to_string(mcu.Width) + " x " + std::to_string(mcu.Height);
    bool explained = false;
    if (startsOff && join.Pictures.size() > 1 && (join.Gap % mcu.Width != 0 || join.Gap % mcu.Height != 0)) {
        reasons.push_back(FillIn(UiText(UI_TEXT("quilmo", "間隔の %1 ピクセルが MCU (%2) の倍数ではありません")),
                                 {std::to_string(join.Gap), size}));
        explained = true;
    }
    if (startsOff && (join.Frame.Left % mcu.Width != 0 || join.Frame.Top % mcu.Height != 0)) {
        reasons.push_back(FillIn(UiText(UI_TEXT("quilmo", "枠の左と上の幅 (%1, %2) が MCU (%3) の倍数ではありません")),
                                 {std::to_string(join.Frame.Left), std::to_string(join.Frame.Top), size}));
        explained = true;
    }
    for (size_t i = 0; i < join.Pictures.size(); ++i) {
        const TRect& place = join.Pictures[i].Place;
        const std::string label = PictureLabel(join, i);
        if (!explained && place.Left % mcu.Width != 0)
            reasons.push_back(FillIn(UiText(UI_TEXT("quilmo", "%1 は x = %2 から始まり、%3")),
                                     {label, std::to_string(place.Left), NotMultiple(mcu.Width)}));
        if (!explained && place.Top % mcu.Height != 0)
            reasons.push_back(FillIn(UiText(UI_TEXT("quilmo", "%1 は y = %2 から始まり、%3")),
                                     {label, std::to_string(place.Top), NotMultiple(mcu.Height)}));
        if (place.Right != join.Size.Width && place.Width() % mcu.Width != 0)
            reasons.push_back(FillIn(UiText(UI_TEXT("quilmo", "%1 は幅 %2 ピクセルで、%3")),
                                     {label, std::to_string(place.Width()), NotMultiple(mcu.Width)}));
        if (place.Bottom != join.Size.Height && place.Height() % mcu.Height != 0)
            reasons.push_back(FillIn(UiText(UI_TEXT("quilmo", "%1 は高さ %2 ピクセルで、%3")),
                                     {label, std::to_string(place.Height()), NotMultiple(mcu.Height)}));
    }
}

// color (0x00BBGGRR) as samples of a picture coded in space.
std::vector<double> SamplesOf(TColor color, J_COLOR_SPACE space)
{
    const double r = color & 0xFF, g = color >> 8 & 0xFF, b = color >> 16 & 0xFF;
    const double y = 0.299 * r + 0.587 * g + 0.114 * b;
    switch (space) {
    case JCS_GRAYSCALE: return {y};
    case JCS_RGB: return {r, g, b};
    default:
        return {y, -0.168735892 * r - 0.331264108 * g + 0.5 * b + 128,
                0.5 * r - 0.418687589 * g - 0.081312411 * b + 128};
    }
}

std::string Joined(const std::vector<std::string>& reasons)
{
    std::string text;
    for (const std::string& reason : reasons) text += (text.empty() ? "" : "; ") + reason;
    return text;
}

}  // namespace

std::string PictureLabel(const TLosslessJoin& join, size_t i)
{
    const std::string& name = join.Pictures[i].Name;
    const std::string number = std::to_string(i + 1);
    if (name.empty()) return FillIn(UiText(UI_TEXT("quilmo", "画像 %1")), number);
    return FillIn(UiText(UI_TEXT("quilmo", "画像 %1 (%2)")), {number, name});
}

TLosslessPlan CheckLosslessJoin(const TLosslessJoin& join)
{
    std::vector<std::optional<TJpegFacts>> facts;
    for (size_t i = 0; i < join.Pictures.size(); ++i) facts.push_back(ReadFacts(join, i));
    std::vector<std::string> reasons = join.Refusals;
    if (join.Pictures.empty()) reasons.push_back(UiText(UI_TEXT("quilmo", "画像がありません")));
    const TJpegFacts* first = CheckKinds(join, facts, reasons);
    CheckShapes(join, facts, reasons);
    TLosslessPlan plan;
    plan.Space = CheckColors(join, facts, reasons);
    if (first) CheckPlaces(join, first->Mcu, reasons);
    if (!reasons.empty())
        throw ELosslessRefused(FillIn(UiText(UI_TEXT("quilmo", "無劣化では連結できません: %1")), Joined(reasons)));
    for (const std::optional<TJpegFacts>& f : facts) plan.Sources.push_back({f->Bytes, f->Turn});
    plan.FillSamples = SamplesOf(ConvertColor(join.Fill, plan.Space), first->Space);
    return plan;
}

}  // namespace quilmo
