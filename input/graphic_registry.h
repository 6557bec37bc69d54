#pragma once
// The graphic classes by file extension: which class decodes a ".jpg", a ".png", or a format
// an import plug-in announced. Extensions are kept lower-case with their leading dot. Lookups and
// changes may come from any thread.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bigbitmap/graphic.h"

namespace quilmo {

using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

struct TGraphicFormat {
    std::string Extension;    // ".jpg"
    std::string Description;  // "JPEG Image File"
    TGraphicFactory Create;
    const void* Owner = nullptr;  // who registered it, for UnregisterGraphicFormats
};

// Later registrations of an extension take precedence over earlier ones.
void RegisterGraphicFormat(TGraphicFormat format);
// Remove every format registered by owner.
void UnregisterGraphicFormats(const void* owner);
// The formats, most recent registration of each extension only, in registration order.
std::vector<TGraphicFormat> RegisteredGraphicFormats();
// Case-insensitive; extension with its dot. Empty when nothing reads it.
TGraphicFactory FindGraphicFormat(const std::string& extension);

// The built-in formats: BMP, JPEG (".jpg", ".jpeg", ".jpe"), PNG, GIF. Called once at start.
void RegisterStandardGraphicFormats();

// An empty graphic of the class that reads path, by its extension (LowerExt), else by what of it a
// plug-in's extension field holds (PluginFieldExt). Raises EInvalidGraphic for an unknown
// extension.
std::unique_ptr<TGraphic> NewGraphicFor(const std::filesystem::path& path);
// Decode a file with the graphic class of its extension (LowerExt). Raises EInvalidGraphic for an unknown
// extension, and the decoder's error for a file it cannot read.
std::unique_ptr<TGraphic> LoadGraphicFile(const std::filesystem::path& path);

}  // namespace quilmo
