#include "pixel_format.h"

#include <stdexcept>

namespace quilmo {

int PixelFormatBits(TPixelFormat format)
{
    switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    }
    throw std::invalid_argument("invalid pixel format");
}

TPixelFormat PixelFormatFromBits(int bits)
{
    switch (bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return pf16bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    }
    throw std::invalid_argument("invalid bit count");
}

bool IsIndexedFormat(TPixelFormat format)
{
    return format == pf1bit || format == pf4bit || format == pf8bit;
}

TPalette DefaultPalette(TPixelFormat format)
{
    switch (format) {
    case pf1bit: return {{0, 0, 0, 0}, {255, 255, 255, 0}};
    case pf4bit:
        return {{0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},   {128, 128, 0, 0},
                {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0}, {128, 128, 128, 0},
                {192, 192, 192, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},   {255, 255, 0, 0},
                {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0}, {255, 255, 255, 0}};
    case pf8bit: {
        TPalette grey(256);
        for (int i = 0; i < 256; ++i) {
            const auto v = static_cast<uint8_t>(i);
            grey[i] = {v, v, v, 0};
        }
        return grey;
    }
    default: return {};
    }
}

}  // namespace quilmo
