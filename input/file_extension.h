#pragma once
// The extension of a file name, read the same way wherever a name decides a format: by the
// drop filter, the graphic registry and the picture file writer.

#include <string>

namespace quilmo {

// The text from the last "." of the file-name part on, dot included, lower-cased; empty when
// that part has no dot. ".jpg" is all extension, "name." has the extension ".".
std::string LowerExt(const std::string& fileName);

// The extension as a plug-in's extension field holds it: five characters with the dot. Files are
// found by it when their whole extension is not registered, so that ".avifs" (AVIF sequences)
// goes to the plug-in of ".avif", which could announce it only cut so.
std::string PluginFieldExt(const std::string& extension);

}  // namespace quilmo
