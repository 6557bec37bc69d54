#include "pair_lossless.h"

#include <memory>
#include <vector>

#include "input/jpeg_image.h"
#include "output/lossless_join.h"
#include "pair_join.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

std::string SaveLosslessPair(const TBatchPair& pair, const TBatchRunSettings& settings, const std::string& fileName)
{
    // Another kind of picture than JPEG is not read at all: it is a reason to refuse.
    std::unique_ptr<TJPEGImage> left, right;
    if (!pair.Left.empty()) left = ReadJpegHeader(pair.Left);
    if (!pair.Right.empty()) right = ReadJpegHeader(pair.Right);
    const auto sizeOf = [](const std::unique_ptr<TJPEGImage>& picture) {
        return picture ? TSize{picture->GetWidth(), picture->GetHeight()} : TSize{};
    };
    const TPairPlaces places = PlacePair(PairLayout(settings.Direction, !pair.Left.empty(), !pair.Right.empty()),
                                         sizeOf(left), sizeOf(right), settings.Gap);
    TLosslessJoin join;
    // In the order they are placed: the first one's tables become the file's.
    const TLosslessPicture leftPicture{pair.Left, left.get(), places.Left};
    const TLosslessPicture rightPicture{pair.Right, right.get(), places.Right};
    const bool rightFirst = settings.Direction == jdVertical;
    for (const TLosslessPicture& picture : {rightFirst ? rightPicture : leftPicture, rightFirst ? leftPicture : rightPicture})
        if (!picture.Name.empty()) join.Pictures.push_back(picture);
    join.Size = places.Size;
    join.Fill = settings.MarginColor;
    join.ColorSpace = settings.ColorSpace;
    join.Gap = settings.Gap;
    if (settings.Method != rmOriginal) join.Refusals.push_back(UiText(kResampledRefusal));
    if (settings.Resize.On) join.Refusals.push_back(UiText(UI_TEXT("quilmo", "結果の大きさが変えられます")));
    const std::vector<size_t> requantised = SaveLosslessJpeg(join, fileName, settings.Jpeg.Progressive);
    return requantised.empty() ? std::string() : RequantisedNote(join, requantised);
}

}  // namespace quilmo
