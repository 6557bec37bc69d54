// quilmo-cli: Quilmo's picture engine from the shell.

#include <cstdio>
#include <exception>
#include <memory>

#include <CLI/CLI.hpp>

#include "cli_language.h"
#include "commands.h"
#include "bigbitmap/ui_text.h"
#include "ending_signals.h"
#include "input/graphic_registry.h"
#include "pixel_limit_option.h"
#include "plugin_option.h"
#include "quilmo_version.h"
#include "usage_formatter.h"

int main(int argc, char** argv)
{
    quilmo::cli::UseLocaleLanguage();
    quilmo::RegisterStandardGraphicFormats();
    CLI::App app{quilmo::UiText(UI_TEXT("quilmo", "Quilmo: 画像を横や縦に連結します (コマンドライン版)"))};
    // Before the commands are added: each takes the formatter and headings of the application.
    quilmo::cli::UseLocaleHeadings(app);
    app.require_subcommand(1);
    app.set_version_flag("--version", "quilmo-cli " QUILMO_VERSION,
                         quilmo::UiText(UI_TEXT("quilmo", "バージョンを表示して終了する")));
    quilmo::cli::AddPluginOption(app);
    quilmo::cli::AddPixelLimitOption(app);
    quilmo::cli::AddPictureCommands(app);
    quilmo::cli::AddResizeCommand(app);
    quilmo::cli::AddJoinCommand(app);
    quilmo::cli::AddBatchCommand(app);
    // Every command may be saving a file when it is ended.
    const quilmo::cli::TEndingSignals ending;
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {  // --help, --version
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    } catch (const quilmo::cli::ERefused& e) {
        std::fprintf(stderr, "%s\n", quilmo::UiText(e.what()).c_str());
        return 2;
    } catch (const std::exception& e) {
        // A marked text without values (the plug-in set-up's) is translated only here.
        std::fprintf(stderr, "%s\n", quilmo::UiText(e.what()).c_str());
        return 1;
    }
    return 0;
}
