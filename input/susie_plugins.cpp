#include "susie_plugins.h"

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <set>
#include <vector>

#include "susie_graphic.h"

namespace quilmo {

namespace fs = std::filesystem;

TsusieinfoList SusiePlugins(16, 1);

namespace {

// Plug-ins stay loaded until the program ends at the latest.
struct TUnloadAtExit {
    ~TUnloadAtExit() { UnloadSusiePlugins(); }
} unloadAtExit;

std::string Lower(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

// The *.spi files of folder, sorted by name so that the search order does not depend on the
// file system. Only regular files (also behind links): dlopen would wait on a named pipe.
std::vector<fs::path> PluginFiles(const fs::path& folder)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        if (Lower(entry.path().extension().string()) == ".spi" && entry.is_regular_file(error))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return files;
}

// ".pic" for "*.PIC": from the last dot on, lower case; empty when there is no dot.
std::string ExtensionOfPattern(std::string_view pattern)
{
    const size_t dot = pattern.rfind('.');
    return dot == std::string_view::npos ? std::string() : Lower(pattern.substr(dot));
}

// "pic" for "ifpic.spi": the name without its "if" prefix and ".spi" suffix.
std::string FormatDescription(const std::string& fileName)
{
    return fileName.size() > 6 ? fileName.substr(2, fileName.size() - 6) : std::string();
}

// A plug-in announces at most as many formats as the list can hold, so that a plug-in that
// never stops announcing cannot hang the scan.
constexpr int32_t kMaxFormats = TsusieinfoList::kMaxEntries;

// Adds the entries of one loaded library; returns how many it added.
int AddPluginFormats(TSusieModule module, const std::string& fileName, bool alsoStandard)
{
    auto* getPluginInfo = SusieFunction<SusieGetPluginInfo>(module, "GetPluginInfo");
    if (!getPluginInfo) return 0;
    char version[4] = {};
    if (getPluginInfo(0, version, sizeof version) == 0 || version[2] != 'I') return 0;
    char description[48] = {};
    const bool described = getPluginInfo(1, description, sizeof description) != 0;

    int added = 0;
    for (int32_t format = 0; format < kMaxFormats; ++format) {
        char pattern[6] = {};
        if (getPluginInfo(2 * format + 2, pattern, sizeof pattern) == 0) break;
        const std::string text = FieldText(pattern);
        const std::string extension = ExtensionOfPattern(text);
        if (extension.empty() || (!alsoStandard && IsStandardFormat(text))) continue;
        Tsusieinfo entry;
        SetFieldText(entry.Extension, extension, true);
        if (format == 0) SetFieldText(entry.FileName, fileName, true);
        if (described) SetFieldText(entry.Description, FieldText(description), false);
        entry.Module = module;
        SusiePlugins.Add(entry);
        ++added;
        RegisterSusieGraphic(extension, FormatDescription(fileName));
    }
    return added;
}

}  // namespace

void* SusieSymbol(TSusieModule module, const char* name) { return dlsym(module, name); }

bool IsStandardFormat(std::string_view pattern)
{
    static const std::set<std::string, std::less<>> standard = {
        ".bmp", ".jpg", ".jpe", ".gif", ".jpeg", ".png",
        "*.bmp", "*.jpg", "*.jpe", "*.gif", "*.jpeg", "*.png"};
    return standard.contains(Lower(pattern));
}

bool LoadSusiePlugins(const fs::path& folder, bool alsoStandard)
{
    std::error_code error;
    if (!fs::is_directory(folder, error)) return false;
    for (const fs::path& file : PluginFiles(folder)) {
        TSusieModule module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) continue;
        int added = 0;
        try {
            added = AddPluginFormats(module, file.filename().string(), alsoStandard);
        } catch (...) {
            if (SusiePlugins.IndexOfModule(module) < 0) dlclose(module);
            throw;
        }
        if (added == 0) dlclose(module);
    }
    return SusiePlugins.Count() > 0;
}

void UnloadSusiePlugins()
{
    std::set<TSusieModule> released;
    for (int i = 0; i < SusiePlugins.Count(); ++i) {
        const TSusieModule module = SusiePlugins.Get(i).Module;
        if (released.insert(module).second) dlclose(module);
    }
    SusiePlugins.Clear();
}

void CopySusiePlugins(TsusieinfoList& target) { target.Assign(SusiePlugins); }

int32_t FindSupportingPlugin(const std::string& fileName, const void* fileStart, TSusieModule& module)
{
    int32_t supported = 0;
    for (int i = 0; i < SusiePlugins.Count() && supported == 0; ++i) {
        module = SusiePlugins.Get(i).Module;
        if (auto* isSupported = SusieFunction<SusieIsSupported>(module, "IsSupported"))
            supported = isSupported(fileName.c_str(), fileStart);
    }
    return supported;
}

int32_t CallConfigurationDlg(TSusieModule module, void* parentWindow, int32_t functionNumber)
{
    auto* configurationDlg = SusieFunction<SusieConfigurationDlg>(module, "ConfigurationDlg");
    return configurationDlg ? configurationDlg(parentWindow, functionNumber) : 1;
}

std::optional<std::string> ShowPluginInformation(TSusieModule module, void* parentWindow)
{
    if (CallConfigurationDlg(module, parentWindow, 1) == 0) return std::nullopt;
    TsusieinfoList plugins;
    CopySusiePlugins(plugins);
    const int index = plugins.IndexOfModule(module);
    if (index < 0) return std::nullopt;
    return FieldText(plugins.Get(index).Description);
}

}  // namespace quilmo
