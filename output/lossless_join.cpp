#include "lossless_join.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "bigbitmap/stream.h"
#include "core/join_layout.h"
#include "core/picture_helpers.h"
#include "input/jpeg_reader.h"
#include "jpeg_compressor.h"
#include "jpeg_writer.h"
#include "lossless_check.h"
#include "resample/work_threads.h"

namespace quilmo {

namespace {

// The blocks of one component of the joined file, and its quantisation steps.
struct TOutputComponent {
    TBlockGrid Grid;
    TQuantSteps Steps;
    int Across = 1;  // sampling factors
    int Down = 1;
};

struct TOutput {
    std::vector<TOutputComponent> Components;
    TSize Mcu;  // in pixels
};

int32_t RoundUp(int64_t value, int64_t step)
{
    return static_cast<int32_t>((value + step - 1) / step * step);
}

// Blocks of a component sampled factor times in every maxFactor pixel blocks of pixels,
// rounded up to whole MCUs, as libjpeg keeps them.
int32_t BlocksOf(int32_t pixels, int factor, int maxFactor)
{
    return RoundUp((int64_t{pixels} * factor + DCTSIZE * maxFactor - 1) / (DCTSIZE * maxFactor), factor);
}

// The fill colour's samples in the file's colour space (0x00BBGGRR in, one value a component
// out), unrounded.
std::vector<double> FillSamples(TColor color, J_COLOR_SPACE space)
{
    const double r = color & 0xFF, g = color >> 8 & 0xFF, b = color >> 16 & 0xFF;
    const double y = 0.299 * r + 0.587 * g + 0.114 * b;
    switch (space) {
    case JCS_GRAYSCALE: return {y};
    case JCS_RGB: return {r, g, b};
    default: return {y, -0.168735892 * r - 0.331264108 * g + 0.5 * b + 128, 0.5 * r - 0.418687589 * g - 0.081312411 * b + 128};
    }
}

// The file's settings: the first picture's components, sampling and tables (turned upright),
// at the joined picture's size.
void SetUpFile(TJpegCompressor& compressor, const TLosslessSource& first, TSize size, bool progressive)
{
    const j_compress_ptr info = compressor.Info();
    TJpegReader reader(first.Bytes);
    reader.ReadHeader();
    compressor.Call([&] { jpeg_copy_critical_parameters(reader.Info(), info); });
    info->image_width = static_cast<JDIMENSION>(size.Width);
    info->image_height = static_cast<JDIMENSION>(size.Height);
    if (first.Turn.Transpose) {
        for (int c = 0; c < info->num_components; ++c)
            std::swap(info->comp_info[c].h_samp_factor, info->comp_info[c].v_samp_factor);
        for (JQUANT_TBL* table : info->quant_tbl_ptrs) {
            if (!table) continue;
            const TQuantSteps turned = Transposed(StepsOf(*table));
            std::copy(turned.begin(), turned.end(), table->quantval);
        }
    }
    // Tables made for this file keep it about as small as its pictures were.
    info->optimize_coding = TRUE;
    if (progressive) compressor.Call([&] { jpeg_simple_progression(info); });
}

// Begins the file and gives its coefficient arrays, every block of the fill colour.
TOutput StartFile(TJpegCompressor& compressor, const TLosslessPlan& plan, TSize size)
{
    const j_compress_ptr info = compressor.Info();
    int maxAcross = 1, maxDown = 1;
    for (int c = 0; c < info->num_components; ++c) {
        maxAcross = std::max(maxAcross, info->comp_info[c].h_samp_factor);
        maxDown = std::max(maxDown, info->comp_info[c].v_samp_factor);
    }
    TOutput output;
    output.Mcu = {DCTSIZE * maxAcross, DCTSIZE * maxDown};
    // The library keeps the list of arrays until the file is done.
    jvirt_barray_ptr* arrays = nullptr;
    const auto common = reinterpret_cast<j_common_ptr>(info);
    compressor.Call([&] {
        arrays = static_cast<jvirt_barray_ptr*>(info->mem->alloc_small(
            common, JPOOL_IMAGE, sizeof(jvirt_barray_ptr) * static_cast<size_t>(info->num_components)));
    });
    for (int c = 0; c < info->num_components; ++c) {
        const jpeg_component_info& component = info->comp_info[c];
        TOutputComponent out;
        out.Across = component.h_samp_factor;
        out.Down = component.v_samp_factor;
        out.Grid.Width = BlocksOf(size.Width, out.Across, maxAcross);
        out.Grid.Height = BlocksOf(size.Height, out.Down, maxDown);
        out.Steps = StepsOf(*info->quant_tbl_ptrs[component.quant_tbl_no]);
        compressor.Call([&] {
            arrays[c] = info->mem->request_virt_barray(common, JPOOL_IMAGE, FALSE,
                                                       static_cast<JDIMENSION>(out.Grid.Width),
                                                       static_cast<JDIMENSION>(out.Grid.Height),
                                                       static_cast<JDIMENSION>(out.Grid.Height));
        });
        output.Components.push_back(out);
    }
    compressor.Call([&] { jpeg_write_coefficients(info, arrays); });
    WriteIccProfile(compressor, plan.Space);
    const std::vector<double> fill = FillSamples(plan.Fill, info->jpeg_color_space);
    for (size_t c = 0; c < output.Components.size(); ++c) {
        TOutputComponent& out = output.Components[c];
        // The whole array at once, so that the pictures can be copied into it from any thread.
        compressor.Call([&] {
            out.Grid.Rows =
                info->mem->access_virt_barray(common, arrays[c], 0, static_cast<JDIMENSION>(out.Grid.Height), TRUE);
        });
        // A flat block of sample s has the DC 8 (s - 128) before quantisation.
        FillBlocks(out.Grid, static_cast<JCOEF>(std::lround(DCTSIZE * (fill[c] - 128) / out.Steps[0])));
    }
    return output;
}

// The quantisation steps a component's blocks were coded with.
TQuantSteps SourceSteps(TJpegReader& reader, const jpeg_component_info& component)
{
    const JQUANT_TBL* table = component.quant_table ? component.quant_table
                                                    : reader.Info()->quant_tbl_ptrs[component.quant_tbl_no];
    if (!table) TJpegReader::Fail("Quantization table missing");
    return StepsOf(*table);
}

// Picture's coefficients into its place; true when they were requantised.
bool CopyPicture(const TLosslessPicture& picture, const TLosslessSource& source, const TOutput& output)
{
    TJpegReader reader(source.Bytes);
    reader.ReadHeader();
    jvirt_barray_ptr* arrays = reader.ReadCoefficients();
    const j_decompress_ptr info = reader.Info();
    bool requantised = false;
    for (int c = 0; c < info->num_components; ++c) {
        const jpeg_component_info& component = info->comp_info[c];
        const TOutputComponent& out = output.Components[c];
        TQuantSteps steps = SourceSteps(reader, component);
        if (source.Turn.Transpose) steps = Transposed(steps);
        std::optional<TRequantiser> requantiser;
        if (steps != out.Steps) requantiser.emplace(steps, out.Steps);
        requantised = requantised || requantiser;
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
        const int32_t left = picture.Place.Left / output.Mcu.Width * out.Across;
        const int32_t top = picture.Place.Top / output.Mcu.Height * out.Down;
        const int32_t width = source.Turn.Transpose ? blocks.Height : blocks.Width;
        const int32_t height = source.Turn.Transpose ? blocks.Width : blocks.Height;
        // The check saw the same header, so only a file changed meanwhile could fail this.
        if (left + width > out.Grid.Width || top + height > out.Grid.Height)
            throw EWriteError("The picture does not fit its place");
        CopyBlocks(blocks, source.Turn, requantiser ? &*requantiser : nullptr, out.Grid, left, top);
    }
    return requantised;
}

std::vector<size_t> WriteLosslessJpeg(const TLosslessJoin& join, const TLosslessPlan& plan, TStream& stream,
                                      bool progressive)
{
    TJpegCompressor compressor(stream);
    SetUpFile(compressor, plan.Sources.front(), join.Size, progressive);
    const TOutput output = StartFile(compressor, plan, join.Size);
    std::vector<char> requantised(join.Pictures.size());
    RunTasks(ThreadsFor(static_cast<int64_t>(join.Pictures.size()), 1), static_cast<int64_t>(join.Pictures.size()),
             [&] {
                 return [&](int64_t i) {
                     try {
                         requantised[i] = CopyPicture(join.Pictures[i], plan.Sources[i], output);
                     } catch (const std::exception& e) {
                         throw EReadError(PictureLabel(join, i) + ": " + e.what());
                     }
                 };
             });
    compressor.Call([&] { jpeg_finish_compress(compressor.Info()); });
    std::vector<size_t> indices;
    for (size_t i = 0; i < requantised.size(); ++i)
        if (requantised[i]) indices.push_back(i);
    return indices;
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
    if (settings.Method != rmOriginal) join.Refusals.push_back("the pictures are resampled (only the original size keeps them)");
    return join;
}

std::vector<size_t> SaveLosslessJpeg(const TLosslessJoin& join, const std::filesystem::path& fileName,
                                     bool progressive)
{
    const TLosslessPlan plan = CheckLosslessJoin(join);
    CheckJpegSize(join.Size.Width, join.Size.Height);
    std::vector<size_t> requantised;
    WriteFileAtomically(fileName, [&](TStream& stream) { requantised = WriteLosslessJpeg(join, plan, stream, progressive); });
    return requantised;
}

std::string RequantisedNote(const TLosslessJoin& join, std::span<const size_t> requantised)
{
    std::string list;
    for (const size_t i : requantised) list += (list.empty() ? "" : ", ") + PictureLabel(join, i);
    return "Requantised to the tables of " + PictureLabel(join, 0) + ": " + list;
}

}  // namespace quilmo
