#include "susie_plugin_info.h"

#include <cstring>

#include "susie_plugins.h"

namespace quilmo {

namespace {

// One answer of GetPluginInfo: whether the plug-in wrote anything, and the text it wrote.
struct TInfoAnswer {
    bool Given = false;
    std::string Text;
};

// Room behind the length passed: plug-ins that count the length for their text alone put the
// terminator past it, and some copy their whole text whatever the length.
constexpr size_t kBufferSlack = 256;

// Ask for info number, passing length; nullopt when the plug-in threw. Only the first length
// bytes of the zeroed buffer are taken as the text.
std::optional<TInfoAnswer> AskPluginInfo(SusieGetPluginInfo* getPluginInfo, int32_t number, int32_t length)
{
    std::vector<char> buffer(static_cast<size_t>(length) + kBufferSlack);
    const std::optional<int32_t> written = CallPlugin(getPluginInfo, number, buffer.data(), length);
    if (!written) return std::nullopt;
    return TInfoAnswer{*written != 0, std::string(buffer.data(), ::strnlen(buffer.data(), static_cast<size_t>(length)))};
}

}  // namespace

std::optional<TPluginInfo> ReadPluginInfo(TSusieModule module)
{
    auto* getPluginInfo = SusieFunction<SusieGetPluginInfo>(module, "GetPluginInfo");
    if (!getPluginInfo) return std::nullopt;
    const std::optional<TInfoAnswer> version = AskPluginInfo(getPluginInfo, 0, 4);
    if (!version || !version->Given || version->Text.size() < 3 || version->Text[2] != 'I') return std::nullopt;
    const std::optional<TInfoAnswer> description = AskPluginInfo(getPluginInfo, 1, 48);
    if (!description) return std::nullopt;

    TPluginInfo info;
    if (description->Given) info.Description = description->Text;
    for (int32_t format = 0; format < kMaxPluginFormats; ++format) {
        const std::optional<TInfoAnswer> pattern = AskPluginInfo(getPluginInfo, 2 * format + 2, 6);
        if (!pattern) return std::nullopt;
        if (!pattern->Given) break;
        info.Patterns.push_back(pattern->Text);
    }
    return info;
}

}  // namespace quilmo
