#include "plugins/tiff/tiff_samples.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "plugins/picture_colours.h"
#include "plugins/pixel_limit.h"
#include "plugins/pixel_converter.h"
#include "plugins/spi_codes.h"
#include "plugins/tiff/tiff_translations.h"

namespace quilmo::spi {

namespace {

uint64_t PieceSize(TIFF* tiff) { return TIFFIsTiled(tiff) ? TIFFTileSize64(tiff) : TIFFStripSize64(tiff); }

// A strip or a tile is decoded whole. Tiles may overhang the picture, but not by much: a
// header's piece size takes no memory the picture as stored would not.
bool PiecesFitThePicture(TIFF* tiff, uint32_t height)
{
    constexpr uint64_t kPieceSlack = 64 << 20;
    uint16_t planar = PLANARCONFIG_CONTIG, samples = 1;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    const uint64_t planes = planar == PLANARCONFIG_SEPARATE ? samples : 1;
    uint64_t pictureBytes = 0;
    if (__builtin_mul_overflow(TIFFScanlineSize64(tiff), height * planes, &pictureBytes)) return true;
    const uint64_t pieceSize = PieceSize(tiff);
    return pieceSize != 0 && pieceSize <= pictureBytes + kPieceSlack;
}

// How the page's samples lie, and what the pixel converter takes of them.
struct TPageLayout {
    TSampleLayout Samples;    // the page's colour and alpha samples
    size_t SampleBytes = 1;
    bool Separate = false;    // one plane per sample
    // Turns the samples into 8-bit ones the converter takes; none: it takes them as they are.
    std::shared_ptr<const TSampleTranslation> Translation;

    size_t PixelBytes() const { return SampleBytes * static_cast<size_t>(Samples.Channels()); }
    TSampleLayout ConverterLayout() const { return Translation ? Translation->Layout() : Samples; }
};

// The colour samples of a photometric interpretation read here, 0 for others: grey, RGB, four
// inks, L*a*b* (with L* alone for one sample).
int ColourChannels(uint16_t photometric, uint16_t samples)
{
    switch (photometric) {
    case PHOTOMETRIC_MINISBLACK: return 1;
    case PHOTOMETRIC_RGB: return 3;
    case PHOTOMETRIC_SEPARATED: return 4;
    case PHOTOMETRIC_CIELAB:
    case PHOTOMETRIC_ICCLAB:
    case PHOTOMETRIC_ITULAB: return samples >= 3 ? 3 : 1;
    default: return 0;
    }
}

// The colour samples, and one more sample only when it is alpha; false for other counts.
bool ReadSampleCounts(TIFF* tiff, uint16_t photometric, uint16_t samples, TSampleLayout& layout)
{
    layout.ColourChannels = ColourChannels(photometric, samples);
    if (layout.ColourChannels == 0) return false;
    if (samples == layout.ColourChannels) return true;
    uint16_t extraCount = 0;
    uint16_t* extras = nullptr;
    if (samples != layout.ColourChannels + 1 || !TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extras) ||
        extraCount != 1)
        return false;
    if (extras[0] == EXTRASAMPLE_ASSOCALPHA)
        layout.Alpha = TAlpha::Premultiplied;
    else if (extras[0] == EXTRASAMPLE_UNASSALPHA)
        layout.Alpha = TAlpha::Straight;
    else
        return false;
    return true;
}

// The white L*a*b* samples are relative to: the WhitePoint tag's, D50 without one (as in ICC
// profiles and Adobe's TIFF notes; libtiff defaults to it too).
TChromaticity LabWhite(TIFF* tiff)
{
    float* white = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_WHITEPOINT, &white) && white && white[0] > 0 && white[1] > 0 && white[0] + white[1] < 1)
        return {white[0], white[1]};
    return {0.3457, 0.3585};
}

// The page's layout when it is read here, nullopt when libtiff's RGBA conversion reads it; code
// is set to kNotImplemented for samples neither reads.
std::optional<TPageLayout> PageLayout(TIFF* tiff, const TColorProfile& profile, int32_t& code)
{
    uint16_t bits = 0, samples = 0, photometric = 0, format = 0, planar = 0, inks = INKSET_CMYK;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &format);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_INKSET, &inks);
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric)) return std::nullopt;
    TPageLayout layout;
    if (!ReadSampleCounts(tiff, photometric, samples, layout.Samples)) return std::nullopt;
    if (photometric == PHOTOMETRIC_SEPARATED && inks != INKSET_CMYK) return std::nullopt;
    layout.SampleBytes = bits / 8;
    layout.Separate = planar == PLANARCONFIG_SEPARATE;
    const bool plain = format == SAMPLEFORMAT_UINT && (bits == 8 || bits == 16);
    const bool lab =
        photometric == PHOTOMETRIC_CIELAB || photometric == PHOTOMETRIC_ICCLAB || photometric == PHOTOMETRIC_ITULAB;
    if (photometric == PHOTOMETRIC_SEPARATED)
        layout.Translation = plain ? CmykSamples(layout.Samples.Alpha, bits, profile) : nullptr;
    else if (lab)
        layout.Translation = plain ? LabSamples(layout.Samples, photometric, bits, LabWhite(tiff)) : nullptr;
    else if (!plain)
        layout.Translation = WideSamples(layout.Samples, format, bits);
    else
        return layout;
    // Smaller grey samples are libtiff's; other kinds of numbers nobody's.
    if (!layout.Translation && (bits >= 8 || format != SAMPLEFORMAT_UINT)) code = kNotImplemented;
    if (!layout.Translation) return std::nullopt;
    return layout;
}

// The page as bands of whole rows of interleaved samples, decoded strip by strip or tile by tile.
class TSampleReader {
public:
    TSampleReader(TIFF* tiff, const TPageLayout& layout, TDibWriter& writer)
        : FTiff(tiff), FLayout(layout), FWriter(writer), FTiled(TIFFIsTiled(tiff) != 0),
          FConverter(layout.ConverterLayout(), layout.Translation || layout.SampleBytes == 1 ? 255 : 65535)
    {
        if (layout.Translation)
            FTranslated.resize(size_t{writer.StoredWidth()} * static_cast<size_t>(layout.ConverterLayout().Channels()));
    }

    int32_t Read()
    {
        const uint32_t width = FWriter.StoredWidth(), height = FWriter.StoredHeight();
        uint32_t pieceWidth = width, pieceHeight = 0;
        if (FTiled) {
            TIFFGetField(FTiff, TIFFTAG_TILEWIDTH, &pieceWidth);
            TIFFGetField(FTiff, TIFFTAG_TILELENGTH, &pieceHeight);
        } else {
            TIFFGetFieldDefaulted(FTiff, TIFFTAG_ROWSPERSTRIP, &pieceHeight);
        }
        if (pieceWidth == 0 || pieceHeight == 0) return kBrokenData;
        const uint32_t bandRows = std::min(pieceHeight, height);
        const size_t planes = FLayout.Separate ? static_cast<size_t>(FLayout.Samples.Channels()) : 1;
        FPieceRowBytes = size_t{pieceWidth} * FLayout.PixelBytes() / planes;
        // The piece must hold its rows (compared by division, which cannot overflow).
        const uint64_t pieceSize = PieceSize(FTiff);
        if (FPieceRowBytes > pieceSize / bandRows) return kBrokenData;
        FPiece.resize(pieceSize);
        // Contiguous strips are whole rows already; everything else is gathered into a band.
        const bool gather = FTiled || FLayout.Separate;
        if (gather) FBand.resize(size_t{width} * FLayout.PixelBytes() * bandRows);

        for (uint32_t top = 0; top < height; top += pieceHeight) {
            const uint32_t rows = std::min(pieceHeight, height - top);
            for (uint32_t left = 0; left < width; left += pieceWidth)
                for (uint16_t plane = 0; plane < planes; ++plane) {
                    if (!ReadPiece(left, top, plane, rows)) return kBrokenData;
                    if (gather) Gather(left, std::min(pieceWidth, width - left), plane, rows);
                }
            const uint8_t* band = gather ? FBand.data() : FPiece.data();
            const size_t bandRowBytes = gather ? size_t{width} * FLayout.PixelBytes() : FPieceRowBytes;
            for (uint32_t row = 0; row < rows; ++row) Put(band + row * bandRowBytes, top + row);
        }
        return 0;
    }

private:
    bool ReadPiece(uint32_t left, uint32_t top, uint16_t plane, uint32_t rows)
    {
        const tmsize_t size = static_cast<tmsize_t>(FPiece.size());
        const tmsize_t got = FTiled ? TIFFReadEncodedTile(FTiff, TIFFComputeTile(FTiff, left, top, 0, plane),
                                                          FPiece.data(), size)
                                    : TIFFReadEncodedStrip(FTiff, TIFFComputeStrip(FTiff, top, plane),
                                                           FPiece.data(), size);
        return got >= 0 && static_cast<uint64_t>(got) >= FPieceRowBytes * rows;
    }

    // The piece's columns into the band: whole pixels, or one sample of each pixel for a plane.
    void Gather(uint32_t left, uint32_t columns, uint16_t plane, uint32_t rows)
    {
        const size_t pixelBytes = FLayout.PixelBytes(), sampleBytes = FLayout.SampleBytes;
        const size_t bandRowBytes = size_t{FWriter.StoredWidth()} * pixelBytes;
        for (uint32_t row = 0; row < rows; ++row) {
            const uint8_t* from = FPiece.data() + row * FPieceRowBytes;
            uint8_t* to = FBand.data() + row * bandRowBytes + left * pixelBytes;
            if (!FLayout.Separate) {
                std::memcpy(to, from, columns * pixelBytes);
                continue;
            }
            to += plane * sampleBytes;
            for (uint32_t x = 0; x < columns; ++x, from += sampleBytes, to += pixelBytes)
                std::memcpy(to, from, sampleBytes);
        }
    }

    void Put(const uint8_t* row, uint32_t y)
    {
        if (FLayout.Translation) {
            FLayout.Translation->Translate(row, FWriter.StoredWidth(), FTranslated.data());
            FConverter.Put(FTranslated.data(), FWriter.StoredWidth(), FWriter.StoredRow(y));
        } else if (FLayout.SampleBytes == 2) {  // in the machine's byte order, as libtiff hands them over
            FConverter.Put(reinterpret_cast<const uint16_t*>(row), FWriter.StoredWidth(), FWriter.StoredRow(y));
        } else {
            FConverter.Put(row, FWriter.StoredWidth(), FWriter.StoredRow(y));
        }
    }

    TIFF* FTiff;
    const TPageLayout& FLayout;
    TDibWriter& FWriter;
    bool FTiled;
    TPixelConverter FConverter;
    size_t FPieceRowBytes = 0;
    std::vector<uint8_t> FPiece;
    std::vector<uint8_t> FBand;
    std::vector<uint8_t> FTranslated;
};

struct TEndRgbaImage {
    void operator()(TIFFRGBAImage* image) const { TIFFRGBAImageEnd(image); }
};

int32_t ReadThroughRgba(TIFF* tiff, TDibWriter& writer)
{
    char message[1024];
    if (!TIFFRGBAImageOK(tiff, message)) return kNotImplemented;
    TIFFRGBAImage image{};
    if (!TIFFRGBAImageBegin(&image, tiff, 1, message)) return kBrokenData;
    const std::unique_ptr<TIFFRGBAImage, TEndRgbaImage> end(&image);
    // Rows as stored: the writer turns the picture, libtiff would get the quarter turns wrong.
    image.req_orientation = ORIENTATION_TOPLEFT;
    image.orientation = ORIENTATION_TOPLEFT;

    const uint32_t width = writer.StoredWidth(), height = writer.StoredHeight();
    // A band of a strip's or tile's height: a smaller one would decode pieces again and again.
    uint32_t bandRows = 0;
    if (!TIFFGetField(tiff, TIFFIsTiled(tiff) ? TIFFTAG_TILELENGTH : TIFFTAG_ROWSPERSTRIP, &bandRows) || bandRows == 0)
        bandRows = height;
    bandRows = std::min(bandRows, height);
    std::vector<uint32_t> raster(size_t{width} * bandRows);
    std::vector<uint8_t> rgba(size_t{width} * 4);
    // libtiff premultiplies alpha, and gives opaque pixels to pictures without it.
    const TPixelConverter converter({3, TAlpha::Premultiplied}, 255);
    for (uint32_t top = 0; top < height; top += bandRows) {
        const uint32_t rows = std::min(bandRows, height - top);
        image.row_offset = static_cast<int>(top);
        if (!TIFFRGBAImageGet(&image, raster.data(), width, rows)) return kBrokenData;
        for (uint32_t row = 0; row < rows; ++row) {
            const uint32_t* pixel = raster.data() + size_t{row} * width;
            for (uint32_t x = 0; x < width; ++x) {
                rgba[4 * x] = static_cast<uint8_t>(TIFFGetR(pixel[x]));
                rgba[4 * x + 1] = static_cast<uint8_t>(TIFFGetG(pixel[x]));
                rgba[4 * x + 2] = static_cast<uint8_t>(TIFFGetB(pixel[x]));
                rgba[4 * x + 3] = static_cast<uint8_t>(TIFFGetA(pixel[x]));
            }
            converter.Put(rgba.data(), width, writer.StoredRow(top + row));
        }
    }
    return 0;
}

bool SamplesWithinTheLimit(const TPageLayout& layout, const TDibWriter& writer)
{
    const uint64_t pixels = uint64_t{writer.StoredWidth()} * writer.StoredHeight();
    return pixels * layout.PixelBytes() <= static_cast<uint64_t>(PluginPixelLimit()) * kSampleBytesAtTheLimit;
}

// Inks and L*a*b* come out in sRGB; every other page's numbers are in its profile's colours.
bool KeepsItsColours(uint16_t photometric)
{
    return photometric != PHOTOMETRIC_SEPARATED && photometric != PHOTOMETRIC_CIELAB &&
           photometric != PHOTOMETRIC_ICCLAB && photometric != PHOTOMETRIC_ITULAB;
}

}  // namespace

int32_t ReadTiffPixels(TIFF* tiff, const TColorProfile& profile, TDibWriter& writer)
{
    if (!PiecesFitThePicture(tiff, writer.StoredHeight())) return kBrokenData;
    int32_t code = 0;
    const std::optional<TPageLayout> layout = PageLayout(tiff, profile, code);
    if (code != 0) return code;
    if (layout && !SamplesWithinTheLimit(*layout, writer)) return kOutOfMemory;
    code = layout ? TSampleReader(tiff, *layout, writer).Read() : ReadThroughRgba(tiff, writer);
    uint16_t photometric = 0;
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
    if (code != 0 || !KeepsItsColours(photometric)) return code;
    const bool grey = photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE;
    return PutColours(profile, grey, writer);
}

}  // namespace quilmo::spi
