#pragma once
// A joined JPEG made of the pictures' own DCT coefficients, none of them decoded: each picture
// keeps its blocks untouched, so the joined picture loses nothing. It needs JPEG pictures at
// their own size, of one kind (components and sampling), whose blocks line up in the joined
// picture, turned upright without loss and joined without converting colours
// (CheckLosslessJoin says what stands in the way). The areas between them are blocks of the
// fill colour.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "bigbitmap/errors.h"
#include "bigbitmap/geometry.h"
#include "color/join_color_space.h"
#include "core/join_settings.h"
#include "core/picture_helpers.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

class TGraphic;
class TStream;

struct TLosslessPicture {
    std::string Name;  // as messages name the picture: its file
    // A JPEG picture (TJPEGImage, with its file's bytes) qualifies; nothing or another kind
    // of picture is a reason to refuse.
    const TGraphic* Picture = nullptr;
    TRect Place;  // in the joined picture, frame included: the upright picture's size
};

struct TLosslessJoin {
    // In join order; the first picture's quantisation tables become the file's.
    std::vector<TLosslessPicture> Pictures;
    TSize Size;  // the joined picture, frame included
    // Gaps, frame and uncovered areas: in sRGB, converted as the ordinary join converts it.
    TColor Fill = clWhite;
    TColorSpaceChoice ColorSpace = TColorSpaceChoice::Auto;
    // The gap and frame, to name them when they put pictures out of line.
    int32_t Gap = 0;
    TRect Frame = EmptyRect;
    // Reasons the caller already knows (a resampling method).
    std::vector<std::string> Refusals;
};

// The refusal of a join whose pictures are drawn at other sizes than their own.
inline constexpr const char* kResampledRefusal =
    UI_TEXT("quilmo", "画像が拡大縮小されます (無劣化は原寸のときだけです)");

// The pictures of sizes (upright, in slot order) placed as the ordinary join places them under
// settings: the layout rule, then the frame around it. A resampling method is a refusal.
TLosslessJoin LosslessJoinByRule(std::vector<TLosslessPicture> pictures, std::span<const TSize> sizes,
                                 const TJoinSettings& settings);

// "Cannot join losslessly: <reason>; <reason>...", every reason the join does not allow it.
class ELosslessRefused : public EWriteError {
public:
    using EWriteError::EWriteError;
};

// How the joined file is made: from the pictures' Huffman symbols where every picture allows it
// (plain baseline pictures that need no turn and no requantising, into a baseline file), which
// is the quicker way, or always from their blocks. Both give the same file.
enum class TLosslessCoding { Symbols, Blocks };

// Writes join to fileName as a JPEG (baseline, or progressive when asked) holding every
// picture's coefficients in its place, replaced as a whole or not at all, as SavePictureFile
// writes. A refused join raises ELosslessRefused before any file is touched. The file carries
// the pictures' shared profile, when they have one, and a JFIF header; no EXIF. Pictures are
// read on the work threads, each holding one picture's coefficients at a time. Returns the
// pictures (indices into join.Pictures) whose quantisation tables differ from the first
// picture's and were requantised to them.
std::vector<size_t> SaveLosslessJpeg(const TLosslessJoin& join, const std::filesystem::path& fileName,
                                     bool progressive);
// The same into stream; a refused join raises before anything is written.
std::vector<size_t> WriteLosslessJpeg(const TLosslessJoin& join, TStream& stream, bool progressive,
                                      TLosslessCoding coding = TLosslessCoding::Symbols);

// "Requantised to the tables of picture 1 (a.jpg): picture 3 (c.jpg), picture 5 (e.jpg)".
std::string RequantisedNote(const TLosslessJoin& join, std::span<const size_t> requantised);

}  // namespace quilmo
