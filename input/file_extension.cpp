#include "file_extension.h"

#include <algorithm>
#include <filesystem>

namespace quilmo {

std::string LowerExt(const std::string& fileName)
{
    const std::string name = std::filesystem::path(fileName).filename().string();
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return {};
    std::string extension = name.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return extension;
}

std::string PluginFieldExt(const std::string& extension)
{
    constexpr size_t kFieldCharacters = 5;
    return extension.substr(0, kFieldCharacters);
}

}  // namespace quilmo
