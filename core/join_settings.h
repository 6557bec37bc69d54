#pragma once
// How the slots are joined: the settings the main window's controls and the settings file hold.

#include <algorithm>
#include <cstdint>

#include "bigbitmap/geometry.h"
#include "color/join_color_space.h"
#include "resample/resample.h"

namespace quilmo {

// Index of the direction combo box: side by side, or stacked.
enum TJoinDirection : uint8_t { jdHorizontal, jdVertical };
// Index of the preview-mode combo box: "きれい" reduces a copy, "はやい" lets the view scale.
enum TPreviewMode : uint8_t { pmPretty, pmFast };
// Where pictures kept at their own size sit across their line, and shorter lines along the
// longest: top or left, centred, bottom or right.
enum TJoinAlign : uint8_t { jaStart, jaCenter, jaEnd };

inline constexpr int32_t kMaxGapSteps = 50;  // gap spin range 0..50, in steps of 10 pixels
inline constexpr int32_t kGapStepPixels = 10;
inline constexpr int32_t kMaxFrameWidth = 10000;  // larger frames only make pictures too big
inline constexpr int32_t kMaxWrap = 5;  // the window's wrap spin: six slots wrap after 1 to 5

struct TJoinSettings {
    TJoinDirection Direction = jdHorizontal;
    TResampleMethod Method = rmOriginal;
    int32_t Gap = 0;  // gap spin value; the gap is Gap * 10 pixels
    bool FrameOn = false;
    TRect FrameRect = EmptyRect;  // widths of the left, top, right and bottom frame
    TColor JoinColor = clWhite;   // gaps, frame and uncovered areas
    TPreviewMode PreviewMode = pmPretty;
    bool FUseSSE2 = HasSSE2();  // the SSE2 variant of each resampler
    int32_t Wrap = 0;  // a new line after every Wrap pictures; 0: one line
    TJoinAlign Align = jaStart;
    // The colours of the joined picture: "auto" (the pictures' shared profile) or always sRGB.
    TColorSpaceChoice ColorSpace = TColorSpaceChoice::Auto;

    friend bool operator==(const TJoinSettings&, const TJoinSettings&) = default;

    int32_t GapPixels() const { return Gap * kGapStepPixels; }
    // The frame the builder adds: nothing while the frame is off.
    TRect Frame() const { return FrameOn ? FrameRect : EmptyRect; }
};

inline int32_t BoundGap(int32_t steps)
{
    return std::clamp(steps, 0, kMaxGapSteps);
}

inline TRect BoundFrameRect(const TRect& widths)
{
    const auto bound = [](int32_t width) { return std::clamp(width, 0, kMaxFrameWidth); };
    return {bound(widths.Left), bound(widths.Top), bound(widths.Right), bound(widths.Bottom)};
}

}  // namespace quilmo
