#include "banded_jpeg.h"

#include <algorithm>
#include <stdexcept>

#include "bigbitmap/stream.h"
#include "jpeg_compressor.h"
#include "jpeg_writer.h"
#include "resample/work_threads.h"

namespace quilmo {

namespace {

// A band of 16 MCU rows (256 pixel rows of a phone photo) gives a dozen bands to share among
// the threads, at two bytes of restart marker each.
constexpr int32_t kBandMcuRows = 16;
constexpr int32_t kMaxRestartInterval = 65535;  // MCUs
constexpr int kLargestDcSymbol = 11;            // the size of a DC difference of 8-bit samples
constexpr uint8_t kMarker = 0xFF;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kFirstRestart = 0xD0;
constexpr uint8_t kStartOfScan = 0xDA;

// Where a file libjpeg wrote (markers with lengths, then one scan) keeps its frame's height and
// its first scan's data.
struct TFileParts {
    size_t HeightAt = 0;
    size_t DataAt = 0;
    size_t DataEnd = 0;  // the end-of-image marker
};

TFileParts PartsOf(const std::vector<uint8_t>& bytes)
{
    TFileParts parts;
    size_t at = 2;  // after the start of image
    while (parts.DataAt == 0) {
        if (at + 4 > bytes.size() || bytes[at] != kMarker) throw std::logic_error("Unexpected JPEG marker layout");
        const uint8_t code = bytes[at + 1];
        // SOF0, SOF1 or SOF2: length, precision, then the height.
        if (code >= 0xC0 && code <= 0xC2) parts.HeightAt = at + 5;
        at += 2 + (size_t{bytes[at + 2]} << 8 | bytes[at + 3]);
        if (code == kStartOfScan) parts.DataAt = at;
    }
    parts.DataEnd = bytes.size() - 2;
    return parts;
}

std::span<const uint8_t> ScanDataOf(const std::vector<uint8_t>& file)
{
    const TFileParts parts = PartsOf(file);
    return std::span(file).subspan(parts.DataAt, parts.DataEnd - parts.DataAt);
}

}  // namespace

struct TBandedJpeg::TBand {
    TMemoryStream Bytes;
    TJpegCompressor Compressor{Bytes};
};

std::vector<TBlockArray> StartFromBlocks(TJpegCompressor& compressor, TSize size, TSize mcu, bool zeroed)
{
    const j_compress_ptr info = compressor.Info();
    const auto common = reinterpret_cast<j_common_ptr>(info);
    std::vector<TBlockArray> arrays(static_cast<size_t>(info->num_components));
    // The library keeps the list of arrays until the file is coded.
    jvirt_barray_ptr* list = nullptr;
    compressor.Call([&] {
        list = static_cast<jvirt_barray_ptr*>(
            info->mem->alloc_small(common, JPOOL_IMAGE, sizeof(jvirt_barray_ptr) * arrays.size()));
    });
    for (int c = 0; c < info->num_components; ++c) {
        const jpeg_component_info& component = info->comp_info[c];
        TBlockArray& array = arrays[c];
        array.Blocks = {CeilDiv(size.Width, mcu.Width) * component.h_samp_factor,
                        CeilDiv(size.Height, mcu.Height) * component.v_samp_factor};
        const auto across = static_cast<JDIMENSION>(array.Blocks.Width);
        const auto down = static_cast<JDIMENSION>(array.Blocks.Height);
        compressor.Call([&] {
            list[c] = array.Array =
                info->mem->request_virt_barray(common, JPOOL_IMAGE, zeroed ? TRUE : FALSE, across, down, down);
        });
    }
    compressor.Call([&] { jpeg_write_coefficients(info, list); });
    return arrays;
}

TBandPlan PlanBands(const jpeg_compress_struct& info, TSize size, bool progressive)
{
    int maxAcross = 1, maxDown = 1;
    for (int c = 0; c < info.num_components; ++c) {
        maxAcross = std::max(maxAcross, info.comp_info[c].h_samp_factor);
        maxDown = std::max(maxDown, info.comp_info[c].v_samp_factor);
    }
    TBandPlan plan;
    plan.Mcu = {DCTSIZE * maxAcross, DCTSIZE * maxDown};
    // libjpeg codes a picture of one component block by block, rows of one block high.
    const int32_t rowsPerMcu = info.num_components == 1 ? plan.Mcu.Height / DCTSIZE : 1;
    const int32_t mcusPerRow =
        info.num_components == 1 ? CeilDiv(size.Width, DCTSIZE) : CeilDiv(size.Width, plan.Mcu.Width);
    const int32_t bandMcus = std::clamp(kMaxRestartInterval / (mcusPerRow * rowsPerMcu), 1, kBandMcuRows);
    plan.BandHeight = progressive ? size.Height : std::min(size.Height, bandMcus * plan.Mcu.Height);
    plan.Bands = CeilDiv(size.Height, plan.BandHeight);
    if (plan.Bands > 1) plan.RestartRows = bandMcus * rowsPerMcu;
    return plan;
}

void SetBestTables(const TTableCounts& counts, jpeg_compress_struct& info)
{
    // Every DC size and the end of block get a code, whatever libjpeg makes of the blocks it
    // adds at the picture's right and bottom edges to fill its MCUs.
    TTableCounts coded = counts;
    for (TSymbolCounts& dc : coded.Dc)
        for (int size = 0; size <= kLargestDcSymbol; ++size) ++dc[size];
    for (TSymbolCounts& ac : coded.Ac) ++ac[0];
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        SetOptimalTable(coded.Dc[component.dc_tbl_no], *info.dc_huff_tbl_ptrs[component.dc_tbl_no]);
        SetOptimalTable(coded.Ac[component.ac_tbl_no], *info.ac_huff_tbl_ptrs[component.ac_tbl_no]);
    }
}

std::vector<uint8_t> FileHeaderOf(std::vector<uint8_t> file, int32_t height)
{
    const TFileParts parts = PartsOf(file);
    file[parts.HeightAt] = static_cast<uint8_t>(height >> 8);
    file[parts.HeightAt + 1] = static_cast<uint8_t>(height);
    file.resize(parts.DataAt);
    return file;
}

void WriteBandData(TStream& stream, int64_t band, std::span<const uint8_t> data)
{
    if (band > 0) {
        const uint8_t restart[2] = {kMarker, static_cast<uint8_t>(kFirstRestart + (band - 1) % 8)};
        stream.WriteBuffer(restart, 2);
    }
    stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}

void WriteEndOfImage(TStream& stream)
{
    const uint8_t end[2] = {kMarker, kEndOfImage};
    stream.WriteBuffer(end, 2);
}

TBandedJpeg::TBandedJpeg(TSize size, bool progressive, const TColorProfile& profile,
                         const std::function<void(TJpegCompressor&, TSize)>& setUp, TStream& stream)
    : FStream(stream), FSize(size), FProgressive(progressive)
{
    FBands.push_back(std::make_unique<TBand>());
    setUp(FBands[0]->Compressor, size);
    const j_compress_ptr first = FBands[0]->Compressor.Info();
    const int components = first->num_components;
    const TBandPlan plan = PlanBands(*first, size, progressive);
    FMcu = plan.Mcu;
    FBandHeight = plan.BandHeight;
    const int32_t bands = plan.Bands;
    const int maxAcross = FMcu.Width / DCTSIZE, maxDown = FMcu.Height / DCTSIZE;

    FRows.resize(static_cast<size_t>(components));
    for (int32_t b = 0; b < bands; ++b) {
        if (b > 0) FBands.push_back(std::make_unique<TBand>());
        TJpegCompressor& compressor = FBands[b]->Compressor;
        const j_compress_ptr info = compressor.Info();
        const int32_t height = std::min(FBandHeight, size.Height - b * FBandHeight);
        if (b > 0) setUp(compressor, {size.Width, height});
        info->image_height = static_cast<JDIMENSION>(height);
        info->restart_in_rows = plan.RestartRows;
        if (progressive) {
            compressor.Call([&] { jpeg_simple_progression(info); });
            // Progressive scans get libjpeg's own tables, counted in a pass of their own.
            info->optimize_coding = TRUE;
        }
        const std::vector<TBlockArray> arrays = StartFromBlocks(compressor, {size.Width, height}, FMcu, false);
        if (b == 0) WriteIccProfile(compressor, profile);
        const auto common = reinterpret_cast<j_common_ptr>(info);
        for (int c = 0; c < components; ++c) {
            // The whole array at once, so that it can be filled from any thread.
            const int32_t blockRows = arrays[c].Blocks.Height;
            JBLOCKARRAY rows = nullptr;
            compressor.Call([&] {
                rows = info->mem->access_virt_barray(common, arrays[c].Array, 0, static_cast<JDIMENSION>(blockRows), TRUE);
            });
            FRows[c].insert(FRows[c].end(), rows, rows + blockRows);
        }
    }
    for (int c = 0; c < components; ++c) {
        const jpeg_component_info& component = first->comp_info[c];
        TComponent out;
        out.Across = component.h_samp_factor;
        out.Down = component.v_samp_factor;
        out.Width = CeilDiv(size.Width * int64_t{out.Across}, DCTSIZE * maxAcross);
        out.Height = CeilDiv(size.Height * int64_t{out.Down}, DCTSIZE * maxDown);
        out.Grid = {FRows[c].data(), CeilDiv(size.Width, FMcu.Width) * out.Across, static_cast<int32_t>(FRows[c].size())};
        out.Steps = StepsOf(*first->quant_tbl_ptrs[component.quant_tbl_no]);
        out.DcTable = component.dc_tbl_no;
        out.AcTable = component.ac_tbl_no;
        FComponents.push_back(out);
    }
}

TBandedJpeg::~TBandedJpeg() = default;

void TBandedJpeg::CountBandDcSymbols(int32_t top, int32_t height, TTableCounts& counts) const
{
    // The predictions start again at every restart, that is every band.
    std::vector<int> last(FComponents.size(), 0);
    const auto count = [&](size_t c, int32_t x, int32_t y) {
        const TComponent& component = FComponents[c];
        if (x >= component.Width || y >= component.Height) return;  // coded as libjpeg pads
        const int dc = component.Grid.Rows[y][x][0];
        ++counts.Dc[component.DcTable][DcSymbol(dc - last[c])];
        last[c] = dc;
    };
    if (FComponents.size() == 1) {
        const TComponent& only = FComponents[0];
        const int32_t firstRow = top / FMcu.Height * only.Down;
        const int32_t endRow = std::min(only.Height, CeilDiv(top + height, FMcu.Height) * only.Down);
        for (int32_t y = firstRow; y < endRow; ++y)
            for (int32_t x = 0; x < only.Width; ++x) count(0, x, y);
        return;
    }
    const int32_t mcusPerRow = CeilDiv(FSize.Width, FMcu.Width);
    for (int32_t row = top / FMcu.Height; row < CeilDiv(top + height, FMcu.Height); ++row)
        for (int32_t column = 0; column < mcusPerRow; ++column)
            for (size_t c = 0; c < FComponents.size(); ++c) {
                const TComponent& component = FComponents[c];
                for (int v = 0; v < component.Down; ++v)
                    for (int h = 0; h < component.Across; ++h)
                        count(c, column * component.Across + h, row * component.Down + v);
            }
}

void TBandedJpeg::CountDcSymbols(TTableCounts& counts) const
{
    const auto bands = static_cast<int64_t>(FBands.size());
    std::vector<TTableCounts> perBand(FBands.size());
    RunTasks(ThreadsFor(bands, 1), bands, [&] {
        return [&](int64_t b) {
            const auto top = static_cast<int32_t>(b) * FBandHeight;
            CountBandDcSymbols(top, std::min(FBandHeight, FSize.Height - top), perBand[b]);
        };
    });
    for (const TTableCounts& band : perBand)
        for (size_t t = 0; t < NUM_HUFF_TBLS; ++t)
            for (size_t s = 0; s < band.Dc[t].size(); ++s) counts.Dc[t][s] += band.Dc[t][s];
}

void TBandedJpeg::Write(const TTableCounts& counts)
{
    if (!FProgressive)
        for (const std::unique_ptr<TBand>& band : FBands) SetBestTables(counts, *band->Compressor.Info());
    const auto bands = static_cast<int64_t>(FBands.size());
    RunTasks(
        ThreadsFor(bands, 1), bands,
        [&] {
            return [&](int64_t b) {
                TJpegCompressor& compressor = FBands[b]->Compressor;
                compressor.Call([&] { jpeg_finish_compress(compressor.Info()); });
            };
        },
        [&](int64_t b) {
            const std::vector<uint8_t> bytes = FBands[b]->Bytes.TakeBytes();
            if (b == 0) {
                const std::vector<uint8_t> header = FileHeaderOf(bytes, FSize.Height);
                FStream.WriteBuffer(header.data(), static_cast<int64_t>(header.size()));
            }
            WriteBandData(FStream, b, ScanDataOf(bytes));
            // Its coefficients and bytes are no longer needed.
            FBands[b].reset();
        });
    WriteEndOfImage(FStream);
}

}  // namespace quilmo
