#include "pair_naming.h"

#include <filesystem>

#include "bigbitmap/ui_text.h"

namespace quilmo {

std::string TwoDigitNumber(int32_t k)
{
    return (k < 10 ? "0" : "") + std::to_string(k);
}

std::string FileTitle(const std::string& path)
{
    std::string title = std::filesystem::path(path).filename().string();
    const size_t dot = title.rfind('.');
    if (dot == std::string::npos) return title;
    const std::string extension = title.substr(dot);
    for (size_t at = title.find(extension); at != std::string::npos; at = title.find(extension, at))
        title.erase(at, extension.size());
    return title;
}

std::string PairBaseName(const TBatchPair& pair, TBatchNaming naming, const std::string& nameText)
{
    const auto title = [&pair] { return FileTitle(pair.Right.empty() ? pair.Left : pair.Right); };
    switch (naming) {
    case bnSequential: return nameText + TwoDigitNumber(pair.Number);
    case bnSameName: return title();
    case bnPrefix: return nameText + title();
    case bnSuffix: return title() + nameText;
    }
    return {};
}

std::string PairFileName(const TBatchPair& pair, const TBatchRunSettings& settings,
                         const std::string& folder)
{
    static constexpr const char* kExtensions[] = {".bmp", ".jpg", ".webp", ".png"};
    return folder + PairBaseName(pair, settings.Naming, settings.NameText) + kExtensions[settings.Format];
}

std::string PrintJobTitle(int32_t k)
{
    return FillIn(UiText(UI_TEXT("quilmo", "Quilmoバッチ印刷 No.%1")), TwoDigitNumber(k));
}

std::string NumberedFileName(const std::string& fileName, int32_t k)
{
    const std::filesystem::path path(fileName);
    const std::string name = path.stem().string() + "-" + TwoDigitNumber(k) + path.extension().string();
    return (path.parent_path() / name).string();
}

}  // namespace quilmo
