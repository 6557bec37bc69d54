#include "coded_picture.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "input/jpeg_reader.h"

namespace quilmo {

namespace {

// Whatever makes a file other than the plainest kind, or damaged.
struct ENotPlain {};

constexpr int kLookupBits = 9;
constexpr int kLargestDcSize = 11;  // of 8-bit samples
constexpr int kLargestAcSize = 10;

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
                    FLookup[first + fill] = Entry(symbol, length);
            }
            FMaxCode[length] = static_cast<int32_t>(code);  // codes of this length are below
            code <<= 1;
        }
        std::copy(std::begin(table->huffval), std::end(table->huffval), FValues.begin());
    }

    struct TEntry {
        uint8_t Symbol = 0;
        uint8_t Length = 0;  // of the code; 0: a longer code than the lookup holds
        uint8_t Total = 0;   // of the code and the extra bits after it
        uint8_t Unused = 0;  // four bytes, moved as one
    };

    // The symbol whose code is at the top of peek (the next 16 bits of the scan).
    TEntry Decode(uint32_t peek) const
    {
        const TEntry entry = FLookup[peek >> (16 - kLookupBits)];
        if (entry.Length != 0) [[likely]]
            return entry;
        return DecodeLonger(peek);
    }

private:
    [[gnu::noinline]] TEntry DecodeLonger(uint32_t peek) const
    {
        for (int length = kLookupBits + 1; length <= 16; ++length) {
            const auto code = static_cast<int32_t>(peek >> (16 - length));
            if (code < FMaxCode[length]) return Entry(FValues[FFirstIndex[length] + code], length);
        }
        throw ENotPlain{};
    }

    static TEntry Entry(uint8_t symbol, int length)
    {
        return {symbol, static_cast<uint8_t>(length), static_cast<uint8_t>(length + (symbol & 15)), 0};
    }

    std::array<TEntry, 1 << kLookupBits> FLookup{};
    std::array<int32_t, 17> FMaxCode{};
    std::array<int, 17> FFirstIndex{};
    std::array<uint8_t, 256> FValues{};
};

// The bits of a scan's data, stuffed zero bytes taken out, up to the next marker. Bits asked
// for past the data read as zeros and leave Count below zero.
class TScanBits {
public:
    TScanBits(const uint8_t* from, const uint8_t* end) : FAt(from), FEnd(end) {}

    // At least 32 bits in hand, unless the data ends first.
    void Refill()
    {
        if (FCount >= 32 || FCount < 0) return;
        if (FEnd - FAt >= 4) {
            uint32_t word;
            std::memcpy(&word, FAt, 4);
            word = __builtin_bswap32(word);
            if (!HasFFByte(word)) {
                FBits |= uint64_t{word} << (32 - FCount);
                FCount += 32;
                FAt += 4;
                return;
            }
        }
        while (FCount <= 56 && FAt < FEnd) {
            const uint8_t byte = *FAt;
            if (byte == 0xFF) {
                if (FEnd - FAt < 2 || FAt[1] != 0) return;  // a marker
                ++FAt;
            }
            ++FAt;
            FBits |= uint64_t{byte} << (56 - FCount);
            FCount += 8;
        }
    }
    // The bits in hand, the next one highest.
    uint64_t Bits() const { return FBits; }
    void Drop(int count)
    {
        FBits <<= count;
        FCount -= count;
    }
    int Count() const { return FCount; }

    // The rest of the byte left unread, which must be all that is left before marker.
    void ExpectMarker(uint8_t marker)
    {
        if (FCount < 0) throw ENotPlain{};
        Drop(FCount % 8);
        if (FCount != 0 || FEnd - FAt < 2 || FAt[0] != 0xFF || FAt[1] != marker) throw ENotPlain{};
        FAt += 2;
    }

private:
    const uint8_t* FAt;
    const uint8_t* FEnd;
    uint64_t FBits = 0;
    int FCount = 0;
};

// The size extra bits at the top of bits.
uint32_t ExtraBits(uint64_t bits, int size)
{
    return static_cast<uint32_t>(bits >> (63 - size) >> 1);
}

// A difference of size bits from its extra bits.
int Extended(uint32_t bits, int size)
{
    if (size == 0) return 0;
    return bits < (1u << (size - 1)) ? static_cast<int>(bits) - (1 << size) + 1 : static_cast<int>(bits);
}

class TScanReader {
    static constexpr int kLanes = 4;
    using TLanes = std::array<std::array<uint32_t, 256>, kLanes>;

public:
    TScanReader(const jpeg_decompress_struct& info, TScanBits& bits, TCodedPicture& picture, size_t expectedSymbols)
        : FScan(bits), FPicture(picture)
    {
        for (int c = 0; c < info.comps_in_scan; ++c) {
            const jpeg_component_info& component = *info.cur_comp_info[c];
            // The scan's table numbers are as the file gives them.
            if (component.dc_tbl_no < 0 || component.dc_tbl_no >= NUM_HUFF_TBLS || component.ac_tbl_no < 0 ||
                component.ac_tbl_no >= NUM_HUFF_TBLS)
                throw ENotPlain{};
            FDc.emplace_back(info.dc_huff_tbl_ptrs[component.dc_tbl_no], true);
            FAc.emplace_back(info.ac_huff_tbl_ptrs[component.ac_tbl_no], false);
        }
        FLanes.resize(FPicture.Components.size());
        Grow(expectedSymbols);
    }

    // The MCU at column, row of the picture's MCUs.
    void ReadMcu(int32_t column, int32_t row, std::array<int, MAX_COMPONENTS>& predictions)
    {
        for (size_t c = 0; c < FPicture.Components.size(); ++c) {
            TCodedComponent& component = FPicture.Components[c];
            for (int v = 0; v < component.Down; ++v)
                for (int h = 0; h < component.Across; ++h) {
                    // The blocks that fill the last MCUs out are read but not counted.
                    const bool holdsPicture = column * component.Across + h < component.Width &&
                                              row * component.Down + v < component.Height;
                    ReadBlock(c, predictions[c], holdsPicture ? &FLanes[c] : nullptr);
                }
        }
    }

    void Finish()
    {
        for (size_t c = 0; c < FPicture.Components.size(); ++c)
            for (const auto& lane : FLanes[c])
                for (size_t symbol = 0; symbol < lane.size(); ++symbol)
                    FPicture.Components[c].Ac[symbol] += lane[symbol];
        FPicture.BlockStarts.push_back(FUsed);
        FPicture.Symbols.resize(FUsed);
        FPicture.Bits.resize(FUsed);
    }

private:
    void ReadBlock(size_t c, int& prediction, TLanes* lanes)
    {
        if (FPicture.Symbols.size() - FUsed < DCTSIZE2) Grow(2 * FPicture.Symbols.size());
        FPicture.BlockStarts.push_back(FUsed);
        uint8_t* symbols = FPicture.Symbols.data() + FUsed;
        uint16_t* extras = FPicture.Bits.data() + FUsed;
        // The blocks that fill the last MCUs out are counted aside.
        FUsed += ReadSymbols(FDc[c], FAc[c], FScan, prediction, symbols, extras, lanes ? *lanes : FUncounted);
        FPicture.Dc.push_back(static_cast<int16_t>(prediction));
    }

    // One block's symbols into symbols and extras, and how many: the DC difference added to
    // prediction, the AC symbols counted in lanes. A function of its own with the scan's bits
    // copied, so that they stay in registers (the symbols written could be them otherwise).
    [[gnu::noinline]] static size_t ReadSymbols(const THuffmanDecoder& dcTable, const THuffmanDecoder& ac,
                                                TScanBits& scan, int& prediction, uint8_t* symbols,
                                                uint16_t* extras, TLanes& lanes)
    {
        TScanBits bits = scan;
        const size_t n = DecodeBlock(dcTable, ac, bits, prediction, symbols, extras, lanes);
        scan = bits;
        return n;
    }

    static size_t DecodeBlock(const THuffmanDecoder& dcTable, const THuffmanDecoder& ac, TScanBits& scan,
                              int& prediction, uint8_t* symbols, uint16_t* extras, TLanes& lanes)
    {
        scan.Refill();
        const THuffmanDecoder::TEntry dc = dcTable.Decode(static_cast<uint32_t>(scan.Bits() >> 48));
        if (dc.Symbol > kLargestDcSize) throw ENotPlain{};
        prediction += Extended(ExtraBits(scan.Bits() << dc.Length, dc.Symbol), dc.Symbol);
        scan.Drop(dc.Total);
        int n = 0, k = 1;
        bool zeroRun = false;  // the last symbol was a run of sixteen zeros
        while (k < DCTSIZE2) {
            scan.Refill();
            const uint64_t next = scan.Bits();
            const THuffmanDecoder::TEntry entry = ac.Decode(static_cast<uint32_t>(next >> 48));
            scan.Drop(entry.Total);
            const int size = entry.Symbol & 15;
            // Lanes taking turns, so that a count does not wait for the count of the same
            // symbol just before.
            ++lanes[n % kLanes][entry.Symbol];
            symbols[n] = entry.Symbol;
            extras[n++] = static_cast<uint16_t>(ExtraBits(next << entry.Length, size));
            if (size == 0) {
                if (entry.Symbol == kEndOfBlock && !zeroRun) break;
                // Sixteen zeros, then a coefficient; anything else libjpeg would not write.
                if (entry.Symbol != kZeroRun || k + 16 >= DCTSIZE2) throw ENotPlain{};
                zeroRun = true;
                k += 16;
                continue;
            }
            k += (entry.Symbol >> 4) + 1;
            if (size > kLargestAcSize) [[unlikely]]
                throw ENotPlain{};
            if (k > DCTSIZE2) [[unlikely]]
                throw ENotPlain{};
            zeroRun = false;
        }
        if (scan.Count() < 0) throw ENotPlain{};  // past the data
        return static_cast<size_t>(n);
    }

    void Grow(size_t symbols)
    {
        const size_t size = std::max<size_t>(symbols, FUsed + DCTSIZE2);
        FPicture.Symbols.resize(size);
        FPicture.Bits.resize(size);
    }

    TScanBits& FScan;
    TCodedPicture& FPicture;
    std::vector<THuffmanDecoder> FDc;
    std::vector<THuffmanDecoder> FAc;
    std::vector<TLanes> FLanes;  // the AC symbols counted, a component each
    TLanes FUncounted{};
    size_t FUsed = 0;
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

bool HasPlainScan(const jpeg_decompress_struct& info)
{
    try {
        LayoutOf(info);
        return true;
    } catch (const ENotPlain&) {
        return false;
    }
}

std::optional<TCodedPicture> ReadCodedPicture(TJpegReader& reader, std::span<const uint8_t> bytes)
{
    try {
        const j_decompress_ptr info = reader.Info();
        TCodedPicture picture = LayoutOf(*info);
        const uint8_t* data = info->src->next_input_byte;
        if (data < bytes.data() || data > bytes.data() + bytes.size()) return std::nullopt;
        TScanBits bits(data, bytes.data() + bytes.size());
        // About what the data holds: a symbol codes five bits or so.
        TScanReader scan(*info, bits, picture, bytes.size() * 17 / 10);
        // A block takes two bits at least, whatever the header promises.
        const auto blocks = static_cast<size_t>(
            std::min(int64_t{picture.McusAcross} * picture.McusDown * picture.BlocksPerMcu,
                     static_cast<int64_t>(bytes.size()) * 4));
        picture.Dc.reserve(blocks);
        picture.BlockStarts.reserve(blocks + 1);
        const unsigned restartInterval = info->restart_interval;
        std::array<int, MAX_COMPONENTS> predictions{};
        int64_t mcu = 0;
        for (int32_t row = 0; row < picture.McusDown; ++row)
            for (int32_t column = 0; column < picture.McusAcross; ++column, ++mcu) {
                if (restartInterval != 0 && mcu != 0 && mcu % restartInterval == 0) {
                    bits.ExpectMarker(static_cast<uint8_t>(JPEG_RST0 + (mcu / restartInterval - 1) % 8));
                    predictions.fill(0);
                }
                scan.ReadMcu(column, row, predictions);
            }
        scan.Finish();
        bits.ExpectMarker(JPEG_EOI);
        return picture;
    } catch (const ENotPlain&) {
        return std::nullopt;
    }
}

}  // namespace quilmo
