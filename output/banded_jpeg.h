#pragma once
// A JPEG file whose quantised coefficients are put together in memory and then coded by
// horizontal bands at once, each band a libjpeg compressor of its own: the bands are joined
// into one scan by restart markers (a band is one restart interval), so the file is the same
// whatever the number of threads. A progressive file is one band.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "coefficient_blocks.h"
#include "color/color_profile.h"
#include "core/picture_helpers.h"
#include "huffman_tables.h"

namespace quilmo {

class TJpegCompressor;
class TStream;

// The DC and AC symbol counts of each Huffman table slot.
struct TTableCounts {
    std::array<TSymbolCounts, NUM_HUFF_TBLS> Dc{};
    std::array<TSymbolCounts, NUM_HUFF_TBLS> Ac{};
};

// How many steps value takes, the last one perhaps in part.
inline int32_t CeilDiv(int64_t value, int64_t step)
{
    return static_cast<int32_t>((value + step - 1) / step);
}

// One component's array of blocks that a compressor codes, and its size in blocks.
struct TBlockArray {
    jvirt_barray_ptr Array = nullptr;
    TSize Blocks;
};
// Starts compressor, set up for a picture of size, on one array of blocks per component, whole
// MCUs of mcu pixels (all zero when asked; the caller fills them otherwise): the file's first
// markers are written, and others may follow before the blocks are coded.
std::vector<TBlockArray> StartFromBlocks(TJpegCompressor& compressor, TSize size, TSize mcu, bool zeroed);

// How a file is cut into bands: every band but the last BandHeight pixels high, one restart
// interval of RestartRows MCU rows each (0 when there is one band).
struct TBandPlan {
    TSize Mcu;
    int32_t BandHeight = 0;
    int32_t Bands = 1;
    int RestartRows = 0;
};
// For a file of info's components and sampling at size.
TBandPlan PlanBands(const jpeg_compress_struct& info, TSize size, bool progressive);

// Sets info's Huffman tables to the best for counts, with a code for every DC size and for the
// end of block besides.
void SetBestTables(const TTableCounts& counts, jpeg_compress_struct& info);

// A file libjpeg wrote, as far as its scan's data, with the frame's height set to height.
std::vector<uint8_t> FileHeaderOf(std::vector<uint8_t> file, int32_t height);
// Band's coded data, after a restart marker unless it is the first band.
void WriteBandData(TStream& stream, int64_t band, std::span<const uint8_t> data);
void WriteEndOfImage(TStream& stream);

class TBandedJpeg {
public:
    // One component of the whole picture, across all bands.
    struct TComponent {
        TBlockGrid Grid;      // every block, whole MCUs
        int32_t Width = 0;    // blocks that hold the picture, across
        int32_t Height = 0;   // and down
        int Across = 1;       // sampling factors
        int Down = 1;
        TQuantSteps Steps{};  // its quantisation table
        int DcTable = 0;
        int AcTable = 0;
    };

    // setUp gives a compressor the file's parameters (components, sampling, quantisation
    // tables) for a picture of the size it is given. The file begins with profile's APP2
    // markers when it is not sRGB. The blocks are not yet set.
    TBandedJpeg(TSize size, bool progressive, const TColorProfile& profile,
                const std::function<void(TJpegCompressor&, TSize)>& setUp, TStream& stream);
    ~TBandedJpeg();
    TBandedJpeg(const TBandedJpeg&) = delete;
    TBandedJpeg& operator=(const TBandedJpeg&) = delete;

    const std::vector<TComponent>& Components() const { return FComponents; }
    TSize Mcu() const { return FMcu; }

    // The DC symbols the scan codes, band after band, added to counts.
    void CountDcSymbols(TTableCounts& counts) const;
    // Codes every band with the Huffman tables best for counts (for a progressive file
    // libjpeg makes its own) on the work threads and writes the file.
    void Write(const TTableCounts& counts);

private:
    struct TBand;

    void CountBandDcSymbols(int32_t firstRow, int32_t rows, TTableCounts& counts) const;

    TStream& FStream;
    TSize FSize;
    TSize FMcu;
    int32_t FBandHeight = 0;  // pixels, every band but the last
    bool FProgressive = false;
    std::vector<std::unique_ptr<TBand>> FBands;
    std::vector<TComponent> FComponents;
    std::vector<std::vector<JBLOCKROW>> FRows;  // each component's rows of every band
};

}  // namespace quilmo
