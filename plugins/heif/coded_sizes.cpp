#include "plugins/heif/coded_sizes.h"

#include <algorithm>
#include <vector>

namespace quilmo::spi {

namespace {

// Reads a stream of bits, the most significant of each byte first; a read past the end leaves
// the reader failed.
class TBitReader {
public:
    explicit TBitReader(TByteSpan bytes) : FBytes(bytes) {}

    uint64_t Bits(int count)
    {
        uint64_t value = 0;
        for (int i = 0; i < count; ++i) {
            if (FPosition >= FBytes.size() * 8) {
                FFailed = true;
                return 0;
            }
            value = value << 1 | ((FBytes[FPosition / 8] >> (7 - FPosition % 8)) & 1);
            ++FPosition;
        }
        return value;
    }
    bool Flag() { return Bits(1) != 0; }
    void Skip(int count) { Bits(count); }
    // HEVC's ue(v) and AV1's uvlc(): as many zeros as value bits follow a one.
    uint64_t ExpGolomb()
    {
        int zeros = 0;
        while (!Flag() && !FFailed)
            if (++zeros > 32) FFailed = true;
        return FFailed ? 0 : (uint64_t{1} << zeros) - 1 + Bits(zeros);
    }
    bool Failed() const { return FFailed; }

private:
    TByteSpan FBytes;
    size_t FPosition = 0;
    bool FFailed = false;
};

// A NAL unit's payload without the emulation prevention bytes (00 00 03 becomes 00 00). The
// sizes come early in a parameter set: the first bytes are enough.
std::vector<uint8_t> Unescaped(TByteSpan nal)
{
    constexpr size_t kEnough = 256;
    std::vector<uint8_t> payload;
    int zeros = 0;
    for (size_t i = 0; i < nal.size() && payload.size() < kEnough; ++i) {
        if (zeros >= 2 && nal[i] == 3) {
            zeros = 0;
            continue;
        }
        zeros = nal[i] == 0 ? zeros + 1 : 0;
        payload.push_back(nal[i]);
    }
    return payload;
}

constexpr int kSequenceParameterSet = 33;

bool AddSequenceParameterSet(TByteSpan nal, TCodedSize& size)
{
    const std::vector<uint8_t> payload = Unescaped(nal);
    TBitReader bits(payload);
    bits.Skip(16 + 4);  // NAL unit header, video parameter set id
    const int subLayers = static_cast<int>(bits.Bits(3));
    bits.Skip(1 + 88 + 8);  // temporal id nesting, general profile, tier and level
    std::vector<bool> profilePresent, levelPresent;
    for (int i = 0; i < subLayers; ++i) {
        profilePresent.push_back(bits.Flag());
        levelPresent.push_back(bits.Flag());
    }
    if (subLayers > 0) bits.Skip(2 * (8 - subLayers));
    for (int i = 0; i < subLayers; ++i) bits.Skip((profilePresent[i] ? 88 : 0) + (levelPresent[i] ? 8 : 0));
    bits.ExpGolomb();  // sequence parameter set id
    if (bits.ExpGolomb() == 3) bits.Skip(1);  // chroma format; separate colour planes
    const uint64_t width = bits.ExpGolomb(), height = bits.ExpGolomb();
    if (bits.Failed()) return false;
    size.Include(width, height);
    return true;
}

// The size a sequence parameter set gives; other units give none.
bool AddNalUnit(TByteSpan nal, TCodedSize& size)
{
    return nal.empty() || ((nal[0] >> 1) & 0x3F) != kSequenceParameterSet || AddSequenceParameterSet(nal, size);
}

// Length-prefixed NAL units; a length that runs past the data ends them.
bool AddParameterSetsOfUnits(TByteSpan data, size_t lengthSize, TCodedSize& size)
{
    TByteReader reader(data);
    while (reader.Remaining() > lengthSize) {
        const TByteSpan nal = reader.Bytes(static_cast<size_t>(reader.Number(lengthSize)));
        if (reader.Failed()) return true;
        if (!AddNalUnit(nal, size)) return false;
    }
    return true;
}

// AV1: the largest frame a sequence header allows. Unless the header is the reduced one of a
// still picture, a frame may give its own size, up to what the header's number of bits holds.
bool AddSequenceHeader(TByteSpan obu, TCodedSize& size)
{
    TBitReader bits(obu);
    bits.Skip(3 + 1);  // profile, still picture
    const bool reduced = bits.Flag();
    if (reduced) {
        bits.Skip(5);  // level
    } else {
        bool decoderModel = false;
        int delayBits = 0;
        if (bits.Flag()) {  // timing info
            bits.Skip(32 + 32);
            if (bits.Flag()) bits.ExpGolomb();  // ticks per picture
            decoderModel = bits.Flag();
            if (decoderModel) {
                delayBits = static_cast<int>(bits.Bits(5)) + 1;
                bits.Skip(32 + 5 + 5);
            }
        }
        const bool displayDelay = bits.Flag();
        const int operatingPoints = static_cast<int>(bits.Bits(5)) + 1;
        for (int i = 0; i < operatingPoints && !bits.Failed(); ++i) {
            bits.Skip(12);  // operating point idc
            if (bits.Bits(5) > 7) bits.Skip(1);  // level, tier
            if (decoderModel && bits.Flag()) bits.Skip(2 * delayBits + 1);
            if (displayDelay && bits.Flag()) bits.Skip(4);
        }
    }
    const int widthBits = static_cast<int>(bits.Bits(4)) + 1, heightBits = static_cast<int>(bits.Bits(4)) + 1;
    const uint64_t maxWidth = bits.Bits(widthBits) + 1, maxHeight = bits.Bits(heightBits) + 1;
    if (bits.Failed()) return false;
    if (reduced)
        size.Include(maxWidth, maxHeight);
    else
        size.Include(uint64_t{1} << widthBits, uint64_t{1} << heightBits);
    return true;
}

constexpr int kObuSequenceHeader = 1;

bool AddSequenceHeadersOfObus(TByteSpan data, TCodedSize& size)
{
    TByteReader reader(data);
    while (reader.Remaining() > 0) {
        const uint8_t header = reader.U8();
        if (header & 4) reader.Skip(1);  // extension
        uint64_t length = reader.Remaining();
        if (header & 2) {  // the size follows, seven bits a byte, the lowest first
            length = 0;
            for (int i = 0; i < 8; ++i) {
                const uint8_t byte = reader.U8();
                length |= uint64_t{byte & 0x7Fu} << (7 * i);
                if (!(byte & 0x80)) break;
            }
        }
        const TByteSpan obu = reader.Bytes(static_cast<size_t>(std::min<uint64_t>(length, SIZE_MAX)));
        if (reader.Failed()) return true;
        if (((header >> 3) & 15) == kObuSequenceHeader && !AddSequenceHeader(obu, size)) return false;
    }
    return true;
}

}  // namespace

void TCodedSize::Include(uint64_t width, uint64_t height)
{
    Width = std::max(Width, width);
    Height = std::max(Height, height);
}

bool AddHevcSizes(TByteSpan hvcC, TByteSpan data, TCodedSize& size)
{
    TByteReader reader(hvcC);
    reader.Skip(21);
    const size_t lengthSize = (reader.U8() & 3) + 1;
    const uint8_t arrays = reader.U8();
    for (uint8_t a = 0; a < arrays && !reader.Failed(); ++a) {
        reader.Skip(1);  // completeness, NAL unit type; each unit says its type too
        const uint16_t units = reader.U16();
        for (uint16_t u = 0; u < units && !reader.Failed(); ++u) {
            if (!AddNalUnit(reader.Bytes(reader.U16()), size)) return false;
        }
    }
    // libheif hands the data to the decoder with four-byte lengths, whatever hvcC says.
    return !reader.Failed() && AddParameterSetsOfUnits(data, 4, size) &&
           (lengthSize == 4 || AddParameterSetsOfUnits(data, lengthSize, size));
}

bool AddAv1Sizes(TByteSpan av1C, TByteSpan data, TCodedSize& size)
{
    constexpr size_t kConfigurationBytes = 4;  // then the configuration's OBUs
    return av1C.size() >= kConfigurationBytes && AddSequenceHeadersOfObus(av1C.subspan(kConfigurationBytes), size) &&
           AddSequenceHeadersOfObus(data, size);
}

}  // namespace quilmo::spi
