#include "pair_picture.h"

#include <exception>

#include "bigbitmap/bitmap.h"
#include "bigbitmap/errors.h"
#include "core/picture_helpers.h"
#include "input/graphic_registry.h"
#include "input/susie_errors.h"
#include "pair_join.h"
#include "pair_resize.h"

namespace quilmo {

namespace {

// The size of the page that stands in for a picture a plug-in cannot read.
constexpr int32_t kBlankWidth = 320;
constexpr int32_t kBlankHeight = 240;

// The picture of path for the join; an empty bitmap when the pair has none there.
std::unique_ptr<TBitmap> ReadPairPicture(const std::string& path, const TLoadErrorProc& loadError)
{
    if (path.empty()) return std::make_unique<TBitmap>();
    TBatchPicture picture = ReadBatchPicture(path);
    if (picture.Bitmap) return std::move(picture.Bitmap);
    if (!picture.PluginFailure) throw EReadError(path + ": " + picture.Error);
    loadError(path, picture.Error);
    auto blank = std::make_unique<TBitmap>();
    SetupBitmapWhite(*blank, kBlankWidth, kBlankHeight);
    return blank;
}

}  // namespace

TBatchPicture ReadBatchPicture(const std::string& path)
{
    TBatchPicture result;
    try {
        const std::unique_ptr<TGraphic> graphic = LoadGraphicFile(path);
        // Plug-ins report failures only through the code, so a picture with a code is none.
        if (const int32_t code = TakeSusieError()) {
            result.Error = LoadErrorMessage(code);
            result.PluginFailure = true;
            return result;
        }
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->Assign(graphic.get());
        bitmap->SetPixelFormat(pf24bit);
        result.Bitmap = std::move(bitmap);
    } catch (const std::exception& e) {
        TakeSusieError();  // a failed read leaves no code behind for the next one
        result.Error = e.what();
    }
    return result;
}

void MakePairPicture(const TBatchPair& pair, const TBatchRunSettings& settings,
                     const TLoadErrorProc& loadError, TBitmap& result)
{
    if (pair.Left.empty() && pair.Right.empty()) throw EReadError("The pair has no picture");
    const std::unique_ptr<TBitmap> right = ReadPairPicture(pair.Right, loadError);
    const std::unique_ptr<TBitmap> left = ReadPairPicture(pair.Left, loadError);
    JoinPair(*right, *left, result, settings.Method, settings.Gap,
             PairLayout(settings.Direction, !pair.Left.empty(), !pair.Right.empty()),
             settings.MarginColor, settings.UseSSE2);
    if (settings.Resize.On) ResizeResult(result, settings.Resize, settings.UseSSE2);
}

}  // namespace quilmo
