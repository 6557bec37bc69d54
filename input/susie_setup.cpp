#include "susie_setup.h"

#include <algorithm>

#include "bigbitmap/ui_text.h"
#include "susie_graphic.h"
#include "susie_plugins.h"

namespace quilmo {

namespace {

constexpr const char* kLoadedText = UI_TEXT("quilmo", "プラグイン読み込みに成功しました(^_^)v");
constexpr const char* kFailedText = UI_TEXT("quilmo", "プラグイン読み込みに失敗しました<(>_<)>");
constexpr const char* kStandardPatterns = "*.bmp;*.jpg;*.jpeg;*.jpe;*.gif;*.png;";

// The window shows each description translated.
std::string OpenDialogFilter(const std::string& patterns)
{
    return std::string(UI_TEXT("quilmo", "すべてのファイル") " (") + kStandardPatterns + patterns +
           ")" + "|" + kStandardPatterns + patterns +
           "|GIF Image (*.gif)|*.gif|Portable Network Graphics (*.png)|*.png|" +
           UI_TEXT("quilmo", "JPEG イメージファイル") " (*.jpg)|*.jpg|" +
           UI_TEXT("quilmo", "JPEG イメージファイル") " (*.jpeg)|*.jpeg|" +
           UI_TEXT("quilmo", "ビットマップ") " (*.bmp)|*.bmp|" + "Susie Graphics(" + patterns + ")|" +
           patterns;
}

}  // namespace

std::vector<std::string> StandardExtensions()
{
    return {".jpg", ".jpeg", ".bmp", ".png", ".gif", ".jpe"};
}

TSusieSetup SetupSusiePlugins(const std::filesystem::path& userFolder, bool alsoStandard,
                              const std::filesystem::path& shippedFolder)
{
    // Other threads see the plug-ins as they were or as they become, never half changed.
    const TSusiePluginsChange change;
    // Released whenever anything is loaded, not only when the menu has items: a plug-in whose
    // first format is a standard one has no menu item and would otherwise be loaded twice.
    UnloadSusiePlugins();
    UnregisterSusieGraphic();

    TSusieSetup setup;
    setup.Extensions = StandardExtensions();
    if (!userFolder.empty()) {
        setup.Loaded = LoadSusiePlugins(userFolder, alsoStandard);
        setup.Message = setup.Loaded ? kLoadedText : kFailedText;
    }
    const int userEntries = SusiePlugins.Count();
    if (!shippedFolder.empty()) LoadSusiePlugins(shippedFolder, alsoStandard);

    TsusieinfoList plugins;
    CopySusiePlugins(plugins);
    if (plugins.Count() == 0) return setup;
    std::string patterns;
    std::vector<std::string> userExtensions;
    for (int k = 0; k < plugins.Count(); ++k) {
        const Tsusieinfo entry = plugins.Get(k);
        const std::string fileName = FieldText(entry.FileName);
        if (!fileName.empty()) setup.MenuEntries.push_back({"plugin" + std::to_string(k), fileName, entry.Module});
        const std::string extension = FieldText(entry.Extension);
        // An extension a shipped plug-in serves too is listed once, for the user's plug-in.
        if (k < userEntries)
            userExtensions.push_back(extension);
        else if (std::find(userExtensions.begin(), userExtensions.end(), extension) != userExtensions.end())
            continue;
        setup.Extensions.push_back(extension);
        patterns += "*" + extension + ";";
    }
    if (!patterns.empty()) {
        patterns.pop_back();
        setup.Filter = OpenDialogFilter(patterns);
    }
    return setup;
}

}  // namespace quilmo
