#include "pair_picture.h"

#include <exception>

#include "bigbitmap/bitmap.h"
#include "bigbitmap/errors.h"
#include "color/color_transform.h"
#include "core/picture_colors.h"
#include "core/picture_helpers.h"
#include "input/picture_reading.h"
#include "input/susie_errors.h"
#include "resample/work_threads.h"
#include "pair_join.h"
#include "pair_resize.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

// The size of the page that stands in for a picture a plug-in cannot read.
constexpr int32_t kBlankWidth = 320;
constexpr int32_t kBlankHeight = 240;

// The picture read from path for the join; an empty bitmap when the pair has none there, a
// white page for a picture a plug-in could not read.
TBatchPicture PairPicture(const std::string& path, TBatchPicture picture, const TLoadErrorProc& loadError)
{
    if (picture.Bitmap) return picture;
    if (!path.empty() && !picture.PluginFailure) throw EReadError(path + ": " + picture.Error);
    TBatchPicture stand;
    stand.Bitmap = std::make_unique<TBitmap>();
    if (path.empty()) return stand;
    loadError(path, picture.Error);
    SetupBitmapWhite(*stand.Bitmap, kBlankWidth, kBlankHeight);
    return stand;
}

}  // namespace

TBatchPicture ReadBatchPicture(const std::string& path)
{
    TBatchPicture result;
    TPictureRead read = ReadPictureFile(path);
    if (read.PluginError != 0) {
        result.Error = LoadErrorMessage(read.PluginError);
        result.PluginFailure = true;
        return result;
    }
    if (!read.Picture) {
        result.Error = read.Error;
        return result;
    }
    try {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->Assign(read.Picture.get());
        bitmap->SetPixelFormat(pf24bit);
        result.Bitmap = std::move(bitmap);
        result.Profile = std::move(read.Profile);
    } catch (const std::exception& e) {
        result.Error = e.what();
    }
    return result;
}

TColorProfile MakePairPicture(const TBatchPair& pair, const TBatchRunSettings& settings,
                              const TLoadErrorProc& loadError, TBitmap& result)
{
    if (pair.Left.empty() && pair.Right.empty()) throw EReadError(UiText(UI_TEXT("quilmo", "この組には画像がありません")));
    // Both files read at once where threads allow; list 2's picture is told of first.
    const std::string* paths[2] = {&pair.Right, &pair.Left};
    TBatchPicture read[2];
    RunTasks(WorkThreads(), 2, [&] {
        return [&](int64_t k) {
            if (!paths[k]->empty()) read[k] = ReadBatchPicture(*paths[k]);
        };
    });
    TBatchPicture right = PairPicture(pair.Right, std::move(read[0]), loadError);
    TBatchPicture left = PairPicture(pair.Left, std::move(read[1]), loadError);
    const TColorProfile profiles[2] = {right.Profile, left.Profile};
    TColorProfile space = JoinedColorSpace(profiles, settings.ColorSpace);
    for (TBatchPicture* picture : {&right, &left}) ConvertColors(*picture->Bitmap, picture->Profile, space);
    JoinPair(*right.Bitmap, *left.Bitmap, result, settings.Method, settings.Gap,
             PairLayout(settings.Direction, !pair.Left.empty(), !pair.Right.empty()),
             ConvertColor(settings.MarginColor, space), settings.UseSSE2);
    if (settings.Resize.On) ResizeResult(result, settings.Resize, settings.UseSSE2);
    return space;
}

}  // namespace quilmo
