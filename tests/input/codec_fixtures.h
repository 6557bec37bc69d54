#pragma once
// Small JPEG, PNG and GIF files written by the tests through the libraries' encoders, in every
// form the decoders have to read.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/geometry.h"
#include "bigbitmap/stream.h"

namespace quilmo::test {

using TBytes = std::vector<uint8_t>;
using TRGBColour = std::array<uint8_t, 3>;  // red, green, blue

enum class TJpegColours { Colour, Grey, Cmyk, Ycck };

struct TJpegSpec {
    int Width = 1;
    int Height = 1;
    TJpegColours Colours = TJpegColours::Colour;
    TBytes Samples;  // rows top first: red, green, blue; grey; or C, M, Y, K as stored
    int Quality = 100;
    bool Progressive = false;
    TBytes App1;  // written as an APP1 segment when not empty
    // The first component's sampling factors (2, 2: 4:2:0); the others are sampled once.
    int LumaAcross = 1;
    int LumaDown = 1;
    int RestartRows = 0;  // a restart marker after every that many MCU rows
    bool OwnTables = false;  // Huffman tables made for the picture instead of the standard ones
    TBytes Icc;           // written as APP2 markers when not empty
};

TBytes MakeJpeg(const TJpegSpec& spec);
// An APP1 payload ("Exif\0\0" and a TIFF block) holding just an orientation tag.
TBytes ExifWithOrientation(uint16_t orientation, bool bigEndian);

struct TPngSpec {
    uint32_t Width = 1;
    uint32_t Height = 1;
    int ColourType = 0;  // PNG_COLOR_TYPE_...
    int BitDepth = 8;
    bool Interlaced = false;
    std::vector<uint16_t> Samples;  // rows top first, channel values as stored
    std::vector<TRGBColour> Palette;
    std::vector<uint8_t> PaletteAlpha;        // tRNS of a palette picture
    std::vector<uint16_t> TransparentColour;  // tRNS of a grey (1 value) or RGB (3) picture
};

TBytes MakePng(const TPngSpec& spec);

struct TGifFrame {
    int Left = 0;
    int Top = 0;
    int Width = 1;
    int Height = 1;
    bool Interlaced = false;
    std::vector<TRGBColour> LocalColours;
    int Transparent = -1;
    TBytes Indices;  // rows top first
};

struct TGifSpec {
    int ScreenWidth = 1;
    int ScreenHeight = 1;
    std::vector<TRGBColour> GlobalColours;
    std::vector<TGifFrame> Frames;
};

TBytes MakeGif(const TGifSpec& spec);

// The graphic T read from bytes.
template <typename T>
std::unique_ptr<T> LoadGraphic(const TBytes& bytes)
{
    auto graphic = std::make_unique<T>();
    TReadOnlyMemoryStream stream(bytes.data(), bytes.size());
    graphic->LoadFromStream(stream);
    return graphic;
}

// A 24-bit big bitmap of graphic.
std::unique_ptr<TBigBitmap> Decoded(TGraphic& graphic);

// |a - b| <= tolerance for each of blue, green and red.
::testing::AssertionResult ColoursNear(TColor a, TColor b, int tolerance);

}  // namespace quilmo::test
