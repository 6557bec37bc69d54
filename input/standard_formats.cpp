// The picture formats Quilmo reads without plug-ins.

#include <memory>

#include "bmp_image.h"
#include "bigbitmap/ui_text.h"
#include "gif_image.h"
#include "graphic_registry.h"
#include "jpeg_image.h"
#include "png_image.h"

namespace quilmo {

namespace {

template <typename T>
TGraphicFactory Factory()
{
    return [] { return std::make_unique<T>(); };
}

}  // namespace

void RegisterStandardGraphicFormats()
{
    static const char owner = 0;
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterGraphicFormat({".bmp", UI_TEXT("quilmo", "ビットマップ"), Factory<TBmpImage>(), &owner});
    for (const char* extension : {".jpg", ".jpeg", ".jpe"})
        RegisterGraphicFormat({extension, UI_TEXT("quilmo", "JPEG イメージファイル"), Factory<TJPEGImage>(), &owner});
    RegisterGraphicFormat({".png", "Portable Network Graphics", Factory<TPNGImage>(), &owner});
    RegisterGraphicFormat({".gif", "GIF Image", Factory<TGIFImage>(), &owner});
}

}  // namespace quilmo
