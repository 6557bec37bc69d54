#include "symbol_join.h"

#include <algorithm>
#include <atomic>

#include "banded_jpeg.h"
#include "bigbitmap/stream.h"
#include "coded_picture.h"
#include "input/jpeg_reader.h"
#include "jpeg_compressor.h"
#include "jpeg_writer.h"
#include "resample/work_threads.h"
#include "scan_writer.h"

namespace quilmo {

namespace {

// One component of the joined file.
struct TFileComponent {
    int Across = 1;  // blocks of an MCU
    int Down = 1;
    int32_t Width = 0;  // blocks that hold the picture; the rest of the MCUs libjpeg pads
    int32_t Height = 0;
    int DcTable = 0;
    int AcTable = 0;
    TQuantSteps Steps{};
    int FillDc = 0;
};

// A picture's symbols and its top left MCU in the file.
struct TPlacedPicture {
    TCodedPicture Coded;
    int32_t Left = 0;
    int32_t Top = 0;
};

// Counts the DC symbols of the blocks it is shown, and the AC symbols of the fill (the AC
// symbols of the pictures' blocks are counted as they are read); a DC difference beyond 11 bits
// does not fit.
class TCountingSink {
public:
    explicit TCountingSink(const std::vector<TFileComponent>& components)
        : FComponents(components), FLast(components.size(), 0)
    {
    }

    void PictureBlock(size_t c, const TCodedPicture& picture, size_t block) { Dc(c, picture.Dc[block]); }
    void FillBlock(size_t c)
    {
        Dc(c, FComponents[c].FillDc);
        ++Counts.Ac[FComponents[c].AcTable][kEndOfBlock];
    }
    // libjpeg's padding: counted for in every table.
    void Padding(size_t) {}

    TTableCounts Counts;
    bool Fits = true;

private:
    void Dc(size_t c, int dc)
    {
        const int size = DcSymbol(dc - FLast[c]);
        FLast[c] = dc;
        if (size > 11) Fits = false;
        ++Counts.Dc[FComponents[c].DcTable][std::min(size, 15)];
    }

    const std::vector<TFileComponent>& FComponents;
    std::vector<int> FLast;
};

// Codes the blocks it is shown.
class TCodingSink {
public:
    TCodingSink(const std::vector<TFileComponent>& components, const std::vector<THuffmanCodes>& dc,
                const std::vector<THuffmanCodes>& ac)
        : FComponents(components), FDc(dc), FAc(ac), FLast(dc.size(), 0)
    {
    }

    void PictureBlock(size_t c, const TCodedPicture& picture, size_t block)
    {
        Dc(c, picture.Dc[block]);
        const size_t first = picture.BlockStarts[block];
        Writer.PutAc(FAc[c], &picture.Symbols[first], &picture.Bits[first], picture.BlockStarts[block + 1] - first);
    }
    void FillBlock(size_t c)
    {
        Dc(c, FComponents[c].FillDc);
        Writer.PutAc(FAc[c], kEndOfBlock, 0);
    }
    // As libjpeg pads an MCU: the DC of the block before, no AC.
    void Padding(size_t c)
    {
        Writer.PutDc(FDc[c], 0);
        Writer.PutAc(FAc[c], kEndOfBlock, 0);
    }

    TScanWriter Writer;

private:
    void Dc(size_t c, int dc)
    {
        Writer.PutDc(FDc[c], dc - FLast[c]);
        FLast[c] = dc;
    }

    const std::vector<TFileComponent>& FComponents;
    const std::vector<THuffmanCodes>& FDc;
    const std::vector<THuffmanCodes>& FAc;
    std::vector<int> FLast;
};

// The file's MCUs, picture by picture and fill between, in the scan's order.
class TSymbolFile {
public:
    TSymbolFile(std::vector<TFileComponent> components, TSize mcus, std::vector<TPlacedPicture> pictures)
        : FComponents(std::move(components)), FMcus(mcus), FPictures(std::move(pictures))
    {
        std::sort(FPictures.begin(), FPictures.end(),
                  [](const TPlacedPicture& a, const TPlacedPicture& b) { return a.Left < b.Left; });
    }

    const std::vector<TFileComponent>& Components() const { return FComponents; }
    const std::vector<TPlacedPicture>& Pictures() const { return FPictures; }

    // Shows sink every block of the MCU rows from, to; false if a picture does not lie on the
    // file's blocks as the file codes them.
    template <class TSink>
    bool Walk(int32_t from, int32_t to, TSink& sink) const
    {
        for (int32_t row = from; row < to; ++row) {
            int32_t column = 0;
            for (const TPlacedPicture& picture : FPictures) {
                const TCodedPicture& coded = picture.Coded;
                if (row < picture.Top || row >= picture.Top + coded.McusDown) continue;
                if (picture.Left < column || picture.Left + coded.McusAcross > FMcus.Width) return false;
                for (; column < picture.Left; ++column) FillMcu(column, row, sink);
                if (!PictureRow(picture, row, sink)) return false;
                column += coded.McusAcross;
            }
            for (; column < FMcus.Width; ++column) FillMcu(column, row, sink);
        }
        return true;
    }

private:
    bool InFile(size_t c, int32_t column, int32_t row, int h, int v) const
    {
        const TFileComponent& component = FComponents[c];
        return column * component.Across + h < component.Width && row * component.Down + v < component.Height;
    }

    template <class TSink>
    void FillMcu(int32_t column, int32_t row, TSink& sink) const
    {
        for (size_t c = 0; c < FComponents.size(); ++c)
            for (int v = 0; v < FComponents[c].Down; ++v)
                for (int h = 0; h < FComponents[c].Across; ++h) {
                    if (InFile(c, column, row, h, v))
                        sink.FillBlock(c);
                    else
                        sink.Padding(c);
                }
    }

    template <class TSink>
    bool PictureRow(const TPlacedPicture& picture, int32_t row, TSink& sink) const
    {
        const TCodedPicture& coded = picture.Coded;
        const int32_t ownRow = row - picture.Top;
        size_t block = static_cast<size_t>(ownRow) * coded.McusAcross * coded.BlocksPerMcu;
        for (int32_t x = 0; x < coded.McusAcross; ++x)
            for (size_t c = 0; c < FComponents.size(); ++c) {
                const TCodedComponent& own = coded.Components[c];
                for (int v = 0; v < own.Down; ++v)
                    for (int h = 0; h < own.Across; ++h, ++block) {
                        if (!InFile(c, picture.Left + x, row, h, v)) {
                            sink.Padding(c);
                            continue;
                        }
                        // A block of the file must be one of the picture's own.
                        if (x * own.Across + h >= own.Width || ownRow * own.Down + v >= own.Height) return false;
                        sink.PictureBlock(c, coded, block);
                    }
            }
        return true;
    }

    std::vector<TFileComponent> FComponents;
    TSize FMcus;
    std::vector<TPlacedPicture> FPictures;
};

// The file's components as a compressor set up for it has them.
std::vector<TFileComponent> FileComponents(const jpeg_compress_struct& info, TSize size, TSize mcu,
                                           const std::vector<double>& fillSamples)
{
    std::vector<TFileComponent> components;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        TFileComponent file;
        file.Across = info.num_components > 1 ? component.h_samp_factor : 1;
        file.Down = info.num_components > 1 ? component.v_samp_factor : 1;
        file.Width = CeilDiv(int64_t{size.Width} * component.h_samp_factor, mcu.Width);
        file.Height = CeilDiv(int64_t{size.Height} * component.v_samp_factor, mcu.Height);
        file.DcTable = component.dc_tbl_no;
        file.AcTable = component.ac_tbl_no;
        file.Steps = StepsOf(*info.quant_tbl_ptrs[component.quant_tbl_no]);
        file.FillDc = FlatDc(fillSamples[c], file.Steps[0]);
        components.push_back(file);
    }
    return components;
}

// Whether a picture can be joined from its symbols, as far as its header tells: of the plainest
// kind, of the file's components and sampling, coded with the file's quantisation, its place on
// the file's MCUs.
bool PlainHeader(std::span<const uint8_t> bytes, const TRect& place, const std::vector<TFileComponent>& file,
                 TSize mcu)
{
    if (place.Left % mcu.Width != 0 || place.Top % mcu.Height != 0) return false;
    try {
        TJpegReader reader(bytes);
        reader.ReadHeader();
        const jpeg_decompress_struct& info = *reader.Info();
        if (!HasPlainScan(info) || static_cast<size_t>(info.num_components) != file.size()) return false;
        for (size_t c = 0; c < file.size(); ++c) {
            const jpeg_component_info& component = info.comp_info[c];
            const int number = component.quant_tbl_no;  // as the file gives it
            const JQUANT_TBL* table = number >= 0 && number < NUM_QUANT_TBLS ? info.quant_tbl_ptrs[number] : nullptr;
            if (!table || StepsOf(*table) != file[c].Steps) return false;
            if (file.size() > 1 && (component.h_samp_factor != file[c].Across || component.v_samp_factor != file[c].Down))
                return false;
        }
        return true;
    } catch (const std::exception&) {
        return false;  // the blocks' reader reports it
    }
}

// The symbols of a picture whose header allows it, unless its data prove it damaged or not of
// the plainest kind.
std::optional<TCodedPicture> PlainSymbols(std::span<const uint8_t> bytes)
{
    try {
        TJpegReader reader(bytes);
        reader.ReadHeader();
        return ReadCodedPicture(reader, bytes);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The file's markers as libjpeg writes them for compressor's parameters and tables, as far as
// its scan: from a picture of one MCU row, the frame's height then set to height.
std::vector<uint8_t> FileHeader(TJpegCompressor& compressor, TMemoryStream& bytes, TSize mcu,
                                const TColorProfile& profile, int32_t height)
{
    const j_compress_ptr info = compressor.Info();
    StartFromBlocks(compressor, {static_cast<int32_t>(info->image_width), static_cast<int32_t>(info->image_height)},
                    mcu, true);
    WriteIccProfile(compressor, profile);
    compressor.Call([&] { jpeg_finish_compress(info); });
    return FileHeaderOf(bytes.TakeBytes(), height);
}

}  // namespace

bool WriteSymbolJoin(const TLosslessJoin& join, const TLosslessPlan& plan,
                     const std::function<void(TJpegCompressor&, TSize)>& setUp, TStream& stream)
{
    if (std::any_of(plan.Sources.begin(), plan.Sources.end(),
                    [](const TLosslessSource& source) { return source.Turn.Any(); }))
        return false;
    TMemoryStream headerBytes;
    TJpegCompressor header(headerBytes);
    setUp(header, join.Size);
    jpeg_compress_struct& info = *header.Info();
    const TBandPlan bands = PlanBands(info, join.Size, false);
    const TSize mcus{CeilDiv(join.Size.Width, bands.Mcu.Width), CeilDiv(join.Size.Height, bands.Mcu.Height)};
    std::vector<TFileComponent> components = FileComponents(info, join.Size, bands.Mcu, plan.FillSamples);

    // The headers first, so that a picture the blocks must take costs no reading of the others.
    for (size_t i = 0; i < join.Pictures.size(); ++i)
        if (!PlainHeader(plan.Sources[i].Bytes, join.Pictures[i].Place, components, bands.Mcu)) return false;
    const auto count = static_cast<int64_t>(join.Pictures.size());
    std::vector<TPlacedPicture> pictures(join.Pictures.size());
    std::atomic<bool> plain = true;
    RunTasks(ThreadsFor(count, 1), count, [&] {
        return [&](int64_t i) {
            if (!plain) return;
            std::optional<TCodedPicture> coded = PlainSymbols(plan.Sources[i].Bytes);
            const TRect& place = join.Pictures[i].Place;
            if (!coded || place.Top / bands.Mcu.Height + coded->McusDown > mcus.Height) {
                plain = false;
                return;
            }
            pictures[i] = {std::move(*coded), place.Left / bands.Mcu.Width, place.Top / bands.Mcu.Height};
        };
    });
    if (!plain) return false;
    const TSymbolFile file(std::move(components), mcus, std::move(pictures));

    const int32_t bandRows = CeilDiv(bands.BandHeight, bands.Mcu.Height);
    const auto rowsOf = [&](int64_t b) {
        const auto from = static_cast<int32_t>(b) * bandRows;
        return std::pair(from, std::min(mcus.Height, from + bandRows));
    };
    std::vector<TCountingSink> counted(static_cast<size_t>(bands.Bands), TCountingSink(file.Components()));
    std::atomic<bool> fits = true;
    RunTasks(ThreadsFor(bands.Bands, 1), bands.Bands, [&] {
        return [&](int64_t b) {
            const auto [from, to] = rowsOf(b);
            if (!file.Walk(from, to, counted[b]) || !counted[b].Fits) fits = false;
        };
    });
    if (!fits) return false;
    TTableCounts counts;
    const auto add = [](const TSymbolCounts& from, TSymbolCounts& to) {
        for (size_t s = 0; s < to.size(); ++s) to[s] += from[s];
    };
    for (const TCountingSink& band : counted)
        for (size_t t = 0; t < NUM_HUFF_TBLS; ++t) {
            add(band.Counts.Dc[t], counts.Dc[t]);
            add(band.Counts.Ac[t], counts.Ac[t]);
        }
    for (const TPlacedPicture& picture : file.Pictures())
        for (size_t c = 0; c < file.Components().size(); ++c)
            add(picture.Coded.Components[c].Ac, counts.Ac[file.Components()[c].AcTable]);

    info.image_height = static_cast<JDIMENSION>(std::min(join.Size.Height, bands.Mcu.Height));
    info.restart_in_rows = bands.RestartRows;
    SetBestTables(counts, info);
    std::vector<THuffmanCodes> dc, ac;
    for (const TFileComponent& component : file.Components()) {
        dc.emplace_back(*info.dc_huff_tbl_ptrs[component.DcTable]);
        ac.emplace_back(*info.ac_huff_tbl_ptrs[component.AcTable]);
    }
    const std::vector<uint8_t> markers = FileHeader(header, headerBytes, bands.Mcu, plan.Space, join.Size.Height);
    stream.WriteBuffer(markers.data(), static_cast<int64_t>(markers.size()));
    std::vector<std::vector<uint8_t>> coded(static_cast<size_t>(bands.Bands));
    RunTasks(
        ThreadsFor(bands.Bands, 1), bands.Bands,
        [&] {
            return [&](int64_t b) {
                const auto [from, to] = rowsOf(b);
                TCodingSink sink(file.Components(), dc, ac);
                file.Walk(from, to, sink);
                coded[b] = sink.Writer.Finish();
            };
        },
        [&](int64_t b) {
            WriteBandData(stream, b, coded[b]);
            coded[b] = {};
        });
    WriteEndOfImage(stream);
    return true;
}

}  // namespace quilmo
