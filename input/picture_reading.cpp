#include "picture_reading.h"

#include <exception>
#include <mutex>

#include "bigbitmap/big_bitmap.h"
#include "color_tagged.h"
#include "compressed_graphic.h"
#include "core/composition.h"
#include "graphic_registry.h"
#include "susie_errors.h"
#include "susie_graphic.h"

namespace quilmo {

namespace {

std::mutex gPluginReading;

}  // namespace

TPictureRead ReadPictureFile(const std::string& path)
{
    TPictureRead result;
    try {
        std::unique_ptr<TGraphic> picture = NewGraphicFor(path);
        if (dynamic_cast<tsusiegraphic*>(picture.get())) {
            const std::lock_guard lock(gPluginReading);
            picture->LoadFromFile(path);
        } else {
            picture->LoadFromFile(path);
        }
        result.Profile = ProfileOf(*picture);
        result.Picture = std::move(picture);
    } catch (const std::exception& e) {
        result.Error = e.what();
    }
    // Plug-ins report failures only through the code (kept per thread), so a picture with a
    // code is none.
    result.PluginError = TakeSusieError();
    if (result.PluginError != 0) result.Picture.reset();
    return result;
}

void TakeWorkingCopy(TGraphic& picture, TBigBitmap& work)
{
    if (auto* compressed = dynamic_cast<TCompressedGraphic*>(&picture))
        compressed->TakePixels(work);
    else
        MakeWorkingCopy(picture, work);
}

}  // namespace quilmo
