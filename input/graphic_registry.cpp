#include "graphic_registry.h"

#include <algorithm>
#include <cctype>
#include <mutex>
#include <shared_mutex>

#include "bigbitmap/errors.h"
#include "file_extension.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

std::vector<TGraphicFormat>& Formats()
{
    static std::vector<TGraphicFormat> formats;
    return formats;
}

// Pictures are read on every thread, while a plug-in set-up may change the formats.
std::shared_mutex& FormatsLock()
{
    static std::shared_mutex lock;
    return lock;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

void RegisterGraphicFormat(TGraphicFormat format)
{
    format.Extension = Lower(std::move(format.Extension));
    const std::unique_lock lock(FormatsLock());
    Formats().push_back(std::move(format));
}

void UnregisterGraphicFormats(const void* owner)
{
    const std::unique_lock lock(FormatsLock());
    std::erase_if(Formats(), [owner](const TGraphicFormat& f) { return f.Owner == owner; });
}

std::vector<TGraphicFormat> RegisteredGraphicFormats()
{
    std::vector<TGraphicFormat> result;
    const std::shared_lock lock(FormatsLock());
    const auto& formats = Formats();
    for (size_t i = 0; i < formats.size(); ++i) {
        const bool overridden =
            std::any_of(formats.begin() + static_cast<std::ptrdiff_t>(i) + 1, formats.end(),
                        [&](const TGraphicFormat& later) { return later.Extension == formats[i].Extension; });
        if (!overridden) result.push_back(formats[i]);
    }
    return result;
}

TGraphicFactory FindGraphicFormat(const std::string& extension)
{
    const std::string wanted = Lower(extension);
    const std::shared_lock lock(FormatsLock());
    const auto& formats = Formats();
    const auto found = std::find_if(formats.rbegin(), formats.rend(),
                                    [&](const TGraphicFormat& f) { return f.Extension == wanted; });
    return found == formats.rend() ? TGraphicFactory{} : found->Create;
}

std::unique_ptr<TGraphic> NewGraphicFor(const std::filesystem::path& path)
{
    const std::string extension = LowerExt(path.string());
    TGraphicFactory create = FindGraphicFormat(extension);
    if (!create) create = FindGraphicFormat(PluginFieldExt(extension));
    if (!create) throw EInvalidGraphic(FillIn(UiText(UI_TEXT("quilmo", "この拡張子の画像は読めません (%1)")), extension));
    return create();
}

std::unique_ptr<TGraphic> LoadGraphicFile(const std::filesystem::path& path)
{
    std::unique_ptr<TGraphic> graphic = NewGraphicFor(path);
    graphic->LoadFromFile(path);
    return graphic;
}

}  // namespace quilmo
