#include "plugin_option.h"

#include <memory>
#include <stdexcept>
#include <string>

#include "input/shipped_plugins.h"
#include "input/susie_setup.h"
#include "bigbitmap/ui_text.h"

namespace quilmo::cli {

namespace {

struct TPluginOptions {
    std::string Folder;
    bool NoShipped = false;
};

}  // namespace

void AddPluginOption(CLI::App& app)
{
    auto options = std::make_shared<TPluginOptions>();
    app.add_option("--plugins", options->Folder, UiText(UI_TEXT("quilmo", "コマンドの前に DIR の読み込みプラグイン (*.spi) を読み込む")))
        ->option_text("DIR");
    app.add_flag("--no-shipped-plugins", options->NoShipped, UiText(UI_TEXT("quilmo", "Quilmo 付属のプラグインを使わない")));
    // After the options are read and before any command runs.
    app.parse_complete_callback([options] {
        const std::filesystem::path shipped = options->NoShipped ? std::filesystem::path()
                                                                 : ShippedPluginFolder(ProgramFolder());
        const TSusieSetup setup = SetupSusiePlugins(options->Folder, false, shipped);
        if (!options->Folder.empty() && !setup.Loaded) throw std::runtime_error(setup.Message);
    });
}

}  // namespace quilmo::cli
