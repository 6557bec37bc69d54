#pragma once
// Points and rectangles in pixel coordinates. A rectangle covers the columns Left..Right-1 and
// the rows Top..Bottom-1.

#include <algorithm>
#include <cstdint>

namespace quilmo {

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline constexpr TRect EmptyRect{0, 0, 0, 0};

// The common part of two rectangles; an empty rectangle when they do not meet.
inline TRect IntersectRects(const TRect& a, const TRect& b)
{
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty()) return EmptyRect;
    return r;
}

// The rectangle moved by (dx, dy). Corners pushed past the 32-bit range are held at its ends:
// they lie outside every bitmap either way.
inline TRect MoveRect(const TRect& r, int64_t dx, int64_t dy)
{
    const auto held = [](int64_t v) {
        return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return {held(r.Left + dx), held(r.Top + dy), held(r.Right + dx), held(r.Bottom + dy)};
}

// Colours are 0x00BBGGRR, as stored in settings.
using TColor = uint32_t;

inline constexpr uint8_t ColorRed(TColor c) { return static_cast<uint8_t>(c); }
inline constexpr uint8_t ColorGreen(TColor c) { return static_cast<uint8_t>(c >> 8); }
inline constexpr uint8_t ColorBlue(TColor c) { return static_cast<uint8_t>(c >> 16); }
inline constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b)
{
    return static_cast<TColor>(r) | static_cast<TColor>(g) << 8 | static_cast<TColor>(b) << 16;
}

inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clBlack = 0x000000;

}  // namespace quilmo
