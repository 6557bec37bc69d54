#pragma once
// The extension of a file name, read the same way wherever a name decides a format: by the
// drop filter, the graphic registry and the picture file writer.

#include <string>

namespace quilmo {

// The text from the last "." of the file-name part on, dot included, lower-cased; empty when
// that part has no dot. ".jpg" is all extension, "name." has the extension ".".
std::string LowerExt(const std::string& fileName);

}  // namespace quilmo
