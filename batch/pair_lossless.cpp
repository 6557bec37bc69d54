#include "pair_lossless.h"

#include <memory>
#include <vector>

#include "bigbitmap/stream.h"
#include "input/compressed_graphic.h"
#include "input/graphic_registry.h"
#include "input/jpeg_image.h"
#include "output/lossless_join.h"
#include "pair_join.h"

namespace quilmo {

namespace {

// The picture of path as far as a lossless join needs it: a JPEG picture's header; any other
// kind is not read at all, since it cannot be joined this way.
std::unique_ptr<TGraphic> JpegHeaderOf(const std::string& path)
{
    try {
        std::unique_ptr<TGraphic> picture = NewGraphicFor(path);
        if (!dynamic_cast<TJPEGImage*>(picture.get())) return picture;
        TFileStream file(path, TFileMode::fmOpenRead);
        static_cast<TJPEGImage&>(*picture).LoadHeader(file.ReadRest());
        return picture;
    } catch (const std::exception& e) {
        throw EReadError(path + ": " + e.what());
    }
}

}  // namespace

std::string SaveLosslessPair(const TBatchPair& pair, const TBatchRunSettings& settings, const std::string& fileName)
{
    std::unique_ptr<TGraphic> left, right;
    if (!pair.Left.empty()) left = JpegHeaderOf(pair.Left);
    if (!pair.Right.empty()) right = JpegHeaderOf(pair.Right);
    const auto sizeOf = [](const std::unique_ptr<TGraphic>& picture) {
        return picture ? TSize{picture->GetWidth(), picture->GetHeight()} : TSize{};
    };
    const TPairPlaces places = PlacePair(PairLayout(settings.Direction, left != nullptr, right != nullptr),
                                         sizeOf(left), sizeOf(right), settings.Gap);
    TLosslessJoin join;
    // In the order they are placed: the first one's tables become the file's.
    const TLosslessPicture leftPicture{pair.Left, left.get(), places.Left};
    const TLosslessPicture rightPicture{pair.Right, right.get(), places.Right};
    const bool rightFirst = settings.Direction == jdVertical;
    for (const TLosslessPicture* picture : {rightFirst ? &rightPicture : &leftPicture, rightFirst ? &leftPicture : &rightPicture})
        if (picture->Picture) join.Pictures.push_back(*picture);
    join.Size = places.Size;
    join.Fill = settings.MarginColor;
    join.ColorSpace = settings.ColorSpace;
    join.Gap = settings.Gap;
    if (settings.Method != rmOriginal) join.Refusals.push_back(kResampledRefusal);
    if (settings.Resize.On) join.Refusals.push_back("the results are resized");
    const std::vector<size_t> requantised = SaveLosslessJpeg(join, fileName, settings.Jpeg.Progressive);
    return requantised.empty() ? std::string() : RequantisedNote(join, requantised);
}

}  // namespace quilmo
