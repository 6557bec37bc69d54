#include "lossless_join.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

#include "banded_jpeg.h"
#include "bigbitmap/stream.h"
#include "core/join_layout.h"
#include "input/jpeg_reader.h"
#include "jpeg_compressor.h"
#include "jpeg_writer.h"
#include "lossless_check.h"
#include "resample/work_threads.h"
#include "symbol_join.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

// A compressor set up for the joined file: the first picture's components, sampling and
// quantisation tables, turned upright, at the size of the file or of one of its bands.
void SetUpFile(TJpegCompressor& compressor, const TLosslessSource& first, TSize size)
{
    const j_compress_ptr info = compressor.Info();
    TJpegReader reader(first.Bytes);
    reader.ReadHeader();
    compressor.Call([&] { jpeg_copy_critical_parameters(reader.Info(), info); });
    info->image_width = static_cast<JDIMENSION>(size.Width);
    info->image_height = static_cast<JDIMENSION>(size.Height);
    if (!first.Turn.Transpose) return;
    for (int c = 0; c < info->num_components; ++c)
        std::swap(info->comp_info[c].h_samp_factor, info->comp_info[c].v_samp_factor);
    for (JQUANT_TBL* table : info->quant_tbl_ptrs) {
        if (!table) continue;
        const TQuantSteps turned = Transposed(StepsOf(*table));
        std::copy(turned.begin(), turned.end(), table->quantval);
    }
}

// Every block of component that no picture covers a block of the fill colour.
void FillAround(const TBandedJpeg::TComponent& component, TSize mcu,
                std::span<const TLosslessPicture> pictures, JCOEF dc)
{
    const auto blocksAcross = [&](int32_t x) { return x / mcu.Width * component.Across; };
    const auto blocksDown = [&](int32_t y) { return y / mcu.Height * component.Down; };
    std::vector<std::pair<int32_t, int32_t>> covered;  // blocks from, to
    for (int32_t y = 0; y < component.Grid.Height; ++y) {
        covered.clear();
        for (const TLosslessPicture& picture : pictures) {
            // A picture may end inside its last MCU only at the file's edge, which the
            // picture's own blocks then reach.
            const TRect& place = picture.Place;
            const bool lastRow = place.Bottom % mcu.Height != 0;
            if (y >= blocksDown(place.Top) && (y < blocksDown(place.Bottom) || lastRow))
                covered.emplace_back(blocksAcross(place.Left),
                                     place.Right % mcu.Width != 0 ? component.Grid.Width : blocksAcross(place.Right));
        }
        covered.emplace_back(component.Grid.Width, component.Grid.Width);
        std::sort(covered.begin(), covered.end());
        int32_t x = 0;
        for (const auto& [from, to] : covered) {
            if (from > x) FillBlocks(component.Grid.Rows[y] + x, from - x, dc);
            x = std::max(x, to);
        }
    }
}

// The quantisation steps a component's blocks were coded with.
TQuantSteps SourceSteps(TJpegReader& reader, const jpeg_component_info& component)
{
    const JQUANT_TBL* table = component.quant_table ? component.quant_table
                                                    : reader.Info()->quant_tbl_ptrs[component.quant_tbl_no];
    if (!table) TJpegReader::Fail("Quantization table missing");
    return StepsOf(*table);
}

// What copying one picture did.
struct TPictureCopy {
    bool Requantised = false;
    std::array<TSymbolTally, NUM_HUFF_TBLS> Ac;  // the AC symbols of its blocks
    std::vector<int64_t> Blocks;   // its blocks of each component
};

// Picture's coefficients into its place.
std::unique_ptr<TPictureCopy> CopyPicture(const TLosslessPicture& picture, const TLosslessSource& source,
                                          const TBandedJpeg& file)
{
    TJpegReader reader(source.Bytes);
    reader.ReadHeader();
    jvirt_barray_ptr* arrays = reader.ReadCoefficients();
    const j_decompress_ptr info = reader.Info();
    auto copy = std::make_unique<TPictureCopy>();
    for (int c = 0; c < info->num_components; ++c) {
        const jpeg_component_info& component = info->comp_info[c];
        const TBandedJpeg::TComponent& out = file.Components()[c];
        TQuantSteps steps = SourceSteps(reader, component);
        if (source.Turn.Transpose) steps = Transposed(steps);
        std::optional<TRequantiser> requantiser;
        if (steps != out.Steps) requantiser.emplace(steps, out.Steps);
        copy->Requantised = copy->Requantised || requantiser;
        const TBlockSource blocks{
            [&](int32_t y) {
                JBLOCKARRAY rows = nullptr;
                reader.Call([&] {
                    rows = info->mem->access_virt_barray(reinterpret_cast<j_common_ptr>(info), arrays[c],
                                                         static_cast<JDIMENSION>(y), 1, FALSE);
                });
                return rows[0];
            },
            static_cast<int32_t>(component.width_in_blocks), static_cast<int32_t>(component.height_in_blocks)};
        const int32_t left = picture.Place.Left / file.Mcu().Width * out.Across;
        const int32_t top = picture.Place.Top / file.Mcu().Height * out.Down;
        const int32_t width = source.Turn.Transpose ? blocks.Height : blocks.Width;
        const int32_t height = source.Turn.Transpose ? blocks.Width : blocks.Height;
        // The check read the same header, so only a broken promise could fail this.
        if (left + width > out.Width || top + height > out.Height)
            throw EWriteError(UiText(UI_TEXT("quilmo", "画像が置く場所に収まりません")));
        CopyBlocks(blocks, source.Turn, requantiser ? &*requantiser : nullptr, out.Grid, left, top,
                   copy->Ac[out.AcTable]);
        copy->Blocks.push_back(int64_t{width} * height);
    }
    return copy;
}

std::vector<size_t> WritePlan(const TLosslessJoin& join, const TLosslessPlan& plan, TStream& stream, bool progressive,
                              TLosslessCoding coding)
{
    const auto setUp = [&](TJpegCompressor& compressor, TSize size) {
        SetUpFile(compressor, plan.Sources.front(), size);
    };
    // Pictures that need no block changed are coded again from their symbols, which is quicker.
    if (coding == TLosslessCoding::Symbols && !progressive && WriteSymbolJoin(join, plan, setUp, stream)) return {};
    TBandedJpeg file(join.Size, progressive, plan.Space, setUp, stream);
    TTableCounts counts;
    for (size_t c = 0; c < file.Components().size(); ++c) {
        const TBandedJpeg::TComponent& component = file.Components()[c];
        FillAround(component, file.Mcu(), join.Pictures, FlatDc(plan.FillSamples[c], component.Steps[0]));
        // Every block of the fill codes only its end.
        counts.Ac[component.AcTable][0] += int64_t{component.Width} * component.Height;
    }
    std::vector<size_t> requantised;
    const auto pictures = static_cast<int64_t>(join.Pictures.size());
    // A copy's counts wait for those of the pictures before it.
    std::vector<std::unique_ptr<TPictureCopy>> copies(join.Pictures.size());
    RunTasks(
        ThreadsFor(pictures, 1), pictures,
        [&] {
            return [&](int64_t i) {
                try {
                    copies[i] = CopyPicture(join.Pictures[i], plan.Sources[i], file);
                } catch (const std::exception& e) {
                    throw EReadError(PictureLabel(join, i) + ": " + e.what());
                }
            };
        },
        [&](int64_t i) {
            const std::unique_ptr<TPictureCopy> copy = std::move(copies[i]);
            if (copy->Requantised) requantised.push_back(static_cast<size_t>(i));
            for (size_t t = 0; t < NUM_HUFF_TBLS; ++t) copy->Ac[t].AddTo(counts.Ac[t]);
            // Its blocks are no fill.
            for (size_t c = 0; c < copy->Blocks.size(); ++c)
                counts.Ac[file.Components()[c].AcTable][0] -= copy->Blocks[c];
        });
    file.CountDcSymbols(counts);
    file.Write(counts);
    return requantised;
}

}  // namespace

TLosslessJoin LosslessJoinByRule(std::vector<TLosslessPicture> pictures, std::span<const TSize> sizes,
                                 const TJoinSettings& settings)
{
    TJoinSettings kept = settings;
    kept.Method = rmOriginal;
    const TJoinLayout layout = LayOutJoin(sizes, kept);
    TLosslessJoin join;
    join.Frame = settings.Frame();
    for (size_t i = 0; i < pictures.size(); ++i) pictures[i].Place = OffsetRectBy(layout.Placements[i], join.Frame);
    join.Pictures = std::move(pictures);
    join.Size = FramedSize(layout.Size.Width, layout.Size.Height, join.Frame);
    join.Fill = settings.JoinColor;
    join.ColorSpace = settings.ColorSpace;
    join.Gap = settings.GapPixels();
    if (settings.Method != rmOriginal) join.Refusals.push_back(UiText(kResampledRefusal));
    return join;
}

std::vector<size_t> SaveLosslessJpeg(const TLosslessJoin& join, const std::filesystem::path& fileName,
                                     bool progressive)
{
    const TLosslessPlan plan = CheckLosslessJoin(join);
    CheckJpegSize(join.Size.Width, join.Size.Height);
    std::vector<size_t> requantised;
    WriteFileAtomically(fileName, [&](TStream& stream) { requantised = WritePlan(join, plan, stream, progressive, TLosslessCoding::Symbols); });
    return requantised;
}

std::vector<size_t> WriteLosslessJpeg(const TLosslessJoin& join, TStream& stream, bool progressive,
                                      TLosslessCoding coding)
{
    const TLosslessPlan plan = CheckLosslessJoin(join);
    CheckJpegSize(join.Size.Width, join.Size.Height);
    return WritePlan(join, plan, stream, progressive, coding);
}

std::string RequantisedNote(const TLosslessJoin& join, std::span<const size_t> requantised)
{
    std::string list;
    for (const size_t i : requantised) list += (list.empty() ? "" : ", ") + PictureLabel(join, i);
    return FillIn(UiText(UI_TEXT("quilmo", "%1 の量子化テーブルで量子化し直しました: %2")), {PictureLabel(join, 0), list});
}

}  // namespace quilmo
