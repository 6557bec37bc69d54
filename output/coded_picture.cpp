#include "coded_picture.h"

#include <algorithm>
#include <array>

#include "input/jpeg_reader.h"

namespace quilmo {

namespace {

// Whatever makes a file other than the plainest kind, or damaged.
struct ENotPlain {};

constexpr int kLookupBits = 9;
constexpr int kLargestDcSize = 11;  // of 8-bit samples
constexpr int kLargestAcSize = 10;
constexpr uint8_t kZeroRun = 0xF0;

// One Huffman table made ready for decoding: codes of up to kLookupBits bits found at once,
// longer ones by length.
class THuffmanDecoder {
public:
    // A DC table's symbols are sizes of at most 15 bits, as libjpeg requires.
    THuffmanDecoder(const JHUFF_TBL* table, bool dc)
    {
        if (!table) throw ENotPlain{};
        int count = 0;
        uint32_t code = 0;
        for (int length = 1; length <= 16; ++length) {
            const int codes = table->bits[length];
            FFirstIndex[length] = count - static_cast<int>(code);
            if (count + codes > 256) throw ENotPlain{};
            for (int i = 0; i < codes; ++i, ++code, ++count) {
                // No code may be all ones.
                if (code + 1 >= (1u << length)) throw ENotPlain{};
                const uint8_t symbol = table->huffval[count];
                if (dc && symbol > 15) throw ENotPlain{};
                if (length > kLookupBits) continue;
                const uint32_t first = code << (kLookupBits - length);
                for (uint32_t fill = 0; fill < (1u << (kLookupBits - length)); ++fill)
                    FLookup[first + fill] = {symbol, static_cast<uint8_t>(length)};
            }
            FMaxCode[length] = static_cast<int32_t>(code);  // codes of this length are below
            code <<= 1;
        }
        std::copy(std::begin(table->huffval), std::end(table->huffval), FValues.begin());
    }

    // The symbol at the top of peek (the next 16 bits of the scan), and its code's length.
    std::pair<uint8_t, int> Decode(uint32_t peek) const
    {
        const TEntry entry = FLookup[peek >> (16 - kLookupBits)];
        if (entry.Length != 0) return {entry.Symbol, entry.Length};
        for (int length = kLookupBits + 1; length <= 16; ++length) {
            const auto code = static_cast<int32_t>(peek >> (16 - length));
            if (code < FMaxCode[length]) return {FValues[FFirstIndex[length] + code], length};
        }
        throw ENotPlain{};
    }

private:
    struct TEntry {
        uint8_t Symbol = 0;
        uint8_t Length = 0;  // 0: a longer code
    };
    std::array<TEntry, 1 << kLookupBits> FLookup{};
    std::array<int32_t, 17> FMaxCode{};
    std::array<int, 17> FFirstIndex{};
    std::array<uint8_t, 256> FValues{};
};

// The bits of a scan's data, stuffed zero bytes taken out, up to the next marker.
class TScanBits {
public:
    TScanBits(const uint8_t* from, const uint8_t* end) : FAt(from), FEnd(end) {}

    uint32_t Peek16()
    {
        if (FCount < 32) Fill();
        return static_cast<uint32_t>(FBits >> 48);
    }
    void Skip(int count)
    {
        if (count > FCount) throw ENotPlain{};  // past the data
        FBits <<= count;
        FCount -= count;
    }
    uint32_t Take(int count)
    {
        if (count == 0) return 0;
        if (FCount < count) Fill();
        const auto bits = static_cast<uint32_t>(FBits >> (64 - count));
        Skip(count);
        return bits;
    }
    // The rest of the byte left unread, which must be all that is left before marker.
    void ExpectMarker(uint8_t marker)
    {
        Skip(FCount % 8);
        if (FCount != 0 || FEnd - FAt < 2 || FAt[0] != 0xFF || FAt[1] != marker) throw ENotPlain{};
        FAt += 2;
    }

private:
    void Fill()
    {
        while (FCount <= 56 && FAt < FEnd) {
            uint8_t byte = *FAt;
            if (byte == 0xFF) {
                if (FEnd - FAt < 2 || FAt[1] != 0) return;  // a marker
                ++FAt;
            }
            ++FAt;
            FBits |= uint64_t{byte} << (56 - FCount);
            FCount += 8;
        }
    }

    const uint8_t* FAt;
    const uint8_t* FEnd;
    uint64_t FBits = 0;
    int FCount = 0;
};

// A difference or coefficient of size bits from its extra bits.
int Extended(uint32_t bits, int size)
{
    if (size == 0) return 0;
    return bits < (1u << (size - 1)) ? static_cast<int>(bits) - (1 << size) + 1 : static_cast<int>(bits);
}

class TScanReader {
public:
    TScanReader(const jpeg_decompress_struct& info, TScanBits& bits, TCodedPicture& picture)
        : FBits(bits), FPicture(picture)
    {
        for (int c = 0; c < info.comps_in_scan; ++c) {
            const jpeg_component_info& component = *info.cur_comp_info[c];
            FDc.emplace_back(info.dc_huff_tbl_ptrs[component.dc_tbl_no], true);
            FAc.emplace_back(info.ac_huff_tbl_ptrs[component.ac_tbl_no], false);
        }
    }

    void ReadMcu(std::array<int, MAX_COMPONENTS>& predictions)
    {
        for (size_t c = 0; c < FPicture.Components.size(); ++c) {
            const TCodedComponent& component = FPicture.Components[c];
            for (int b = 0; b < component.Across * component.Down; ++b) ReadBlock(c, predictions[c]);
        }
    }

private:
    void ReadBlock(size_t c, int& prediction)
    {
        const auto [dcSize, dcLength] = FDc[c].Decode(FBits.Peek16());
        FBits.Skip(dcLength);
        if (dcSize > kLargestDcSize) throw ENotPlain{};
        prediction += Extended(FBits.Take(dcSize), dcSize);
        FPicture.Dc.push_back(static_cast<int16_t>(prediction));
        const THuffmanDecoder& ac = FAc[c];
        int zeroRuns = 0;
        for (int k = 1; k < DCTSIZE2;) {
            const auto [symbol, length] = ac.Decode(FBits.Peek16());
            FBits.Skip(length);
            const int run = symbol >> 4, size = symbol & 15;
            if (size == 0) {
                if (symbol == kEndOfBlock && zeroRuns == 0) return Push(kEndOfBlock, 0);
                // Sixteen zeros, then a coefficient; anything else libjpeg would not write.
                if (symbol != kZeroRun || k + 16 >= DCTSIZE2) throw ENotPlain{};
                ++zeroRuns;
                k += 16;
                Push(symbol, 0);
                continue;
            }
            k += run;
            if (size > kLargestAcSize || k >= DCTSIZE2) throw ENotPlain{};
            Push(symbol, static_cast<uint16_t>(FBits.Take(size)));
            zeroRuns = 0;
            ++k;
        }
        Push(kLastCoefficient, 0);
    }

    void Push(uint8_t symbol, uint16_t bits)
    {
        FPicture.Symbols.push_back(symbol);
        FPicture.Bits.push_back(bits);
    }

    TScanBits& FBits;
    TCodedPicture& FPicture;
    std::vector<THuffmanDecoder> FDc;
    std::vector<THuffmanDecoder> FAc;
};

// The picture's layout, if it is of the plainest kind.
TCodedPicture LayoutOf(const jpeg_decompress_struct& info)
{
    if (info.progressive_mode || info.arith_code || info.data_precision != 8 || info.Ss != 0 ||
        info.Se != DCTSIZE2 - 1 || info.Ah != 0 || info.Al != 0 || info.comps_in_scan != info.num_components)
        throw ENotPlain{};
    TCodedPicture picture;
    int maxAcross = 1, maxDown = 1;
    for (int c = 0; c < info.num_components; ++c) {
        // The scan takes the components in the frame's order.
        if (info.cur_comp_info[c] != &info.comp_info[c]) throw ENotPlain{};
        const jpeg_component_info& component = info.comp_info[c];
        TCodedComponent coded;
        if (info.num_components > 1) {
            coded.Across = component.h_samp_factor;
            coded.Down = component.v_samp_factor;
        } else if (component.h_samp_factor != 1 || component.v_samp_factor != 1) {
            throw ENotPlain{};
        }
        coded.Width = static_cast<int32_t>(component.width_in_blocks);
        coded.Height = static_cast<int32_t>(component.height_in_blocks);
        coded.DcTable = component.dc_tbl_no;
        coded.AcTable = component.ac_tbl_no;
        maxAcross = std::max(maxAcross, coded.Across);
        maxDown = std::max(maxDown, coded.Down);
        picture.BlocksPerMcu += coded.Across * coded.Down;
        picture.Components.push_back(coded);
    }
    picture.McusAcross = static_cast<int32_t>((info.image_width + DCTSIZE * maxAcross - 1) / (DCTSIZE * maxAcross));
    picture.McusDown = static_cast<int32_t>((info.image_height + DCTSIZE * maxDown - 1) / (DCTSIZE * maxDown));
    return picture;
}

}  // namespace

std::optional<TCodedPicture> ReadCodedPicture(TJpegReader& reader, std::span<const uint8_t> bytes)
{
    try {
        const j_decompress_ptr info = reader.Info();
        TCodedPicture picture = LayoutOf(*info);
        const uint8_t* data = info->src->next_input_byte;
        if (data < bytes.data() || data > bytes.data() + bytes.size()) return std::nullopt;
        TScanBits bits(data, bytes.data() + bytes.size());
        TScanReader scan(*info, bits, picture);
        const int64_t blocks = int64_t{picture.McusAcross} * picture.McusDown * picture.BlocksPerMcu;
        picture.Dc.reserve(static_cast<size_t>(blocks));
        // About what the data holds: a symbol codes a few bits.
        picture.Symbols.reserve(bytes.size() * 2);
        picture.Bits.reserve(bytes.size() * 2);
        const unsigned restartInterval = info->restart_interval;
        std::array<int, MAX_COMPONENTS> predictions{};
        int64_t mcu = 0;
        for (int32_t row = 0; row < picture.McusDown; ++row) {
            picture.McuRowStarts.push_back(picture.Symbols.size());
            for (int32_t column = 0; column < picture.McusAcross; ++column, ++mcu) {
                if (restartInterval != 0 && mcu != 0 && mcu % restartInterval == 0) {
                    bits.ExpectMarker(static_cast<uint8_t>(JPEG_RST0 + (mcu / restartInterval - 1) % 8));
                    predictions.fill(0);
                }
                scan.ReadMcu(predictions);
            }
        }
        picture.McuRowStarts.push_back(picture.Symbols.size());
        bits.ExpectMarker(JPEG_EOI);
        return picture;
    } catch (const ENotPlain&) {
        return std::nullopt;
    }
}

}  // namespace quilmo
