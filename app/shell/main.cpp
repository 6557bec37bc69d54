// Quilmo, the desktop program.

#include <QCoreApplication>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "application.h"
#include "input/graphic_registry.h"
#include "language_choice.h"
#include "app/main/main_window.h"
#include "program_options.h"
#include "qt_ui_services.h"
#include "settings_file.h"
#include "quilmo_version.h"
#include "tool_icons.h"
#include "ui_language.h"

namespace {

// A display that is set but cannot be reached makes Qt give up; one line instead of its
// messages and an abort.
void QuitWithoutDisplay(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type != QtFatalMsg) return;
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr, "quilmo: cannot open the display %s\n", display ? display : "");
    std::_Exit(1);
}

// The language quilmo.ini beside the program chooses, or the locale's; gives that folder.
std::filesystem::path UseStartLanguage()
{
    const std::filesystem::path exeDir = QCoreApplication::applicationDirPath().toStdString();
    quilmo::UseLanguage(quilmo::StartLanguage(quilmo::SettingsFilePath(exeDir)));
    return exeDir;
}

}  // namespace

// The options that need no window are answered before Qt is started, so they work without a
// display; the rest are read after Qt has taken its own (-platform, -style, ...).
std::vector<std::string> ArgumentsFrom(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

int main(int argc, char** argv)
{
    const quilmo::TProgramOptions early = quilmo::ParseProgramOptions(ArgumentsFrom(argc, argv));
    if (early.Version) {
        std::printf("quilmo %s\n", QUILMO_VERSION);
        return 0;
    }
    if (early.Help) {
        const QCoreApplication translations(argc, argv);
        UseStartLanguage();
        std::fputs(quilmo::ProgramUsage().c_str(), stdout);
        return 0;
    }
    if (!quilmo::DisplayAvailable()) return 1;
    const QtMessageHandler standardHandler = qInstallMessageHandler(QuitWithoutDisplay);
    quilmo::TApplication application(argc, argv);
    qInstallMessageHandler(standardHandler);
    const std::filesystem::path exeDir = UseStartLanguage();

    const quilmo::TProgramOptions options = quilmo::ParseProgramOptions(ArgumentsFrom(argc, argv));
    if (!options.Error.empty()) {
        std::fprintf(stderr, "quilmo: %s\n%s", options.Error.c_str(), quilmo::ProgramUsage().c_str());
        return 2;
    }
    quilmo::TApplication::setWindowIcon(quilmo::ProgramIcon());
    quilmo::TApplication::setDesktopFileName(QStringLiteral(QUILMO_DESKTOP_ID));
    quilmo::RegisterStandardGraphicFormats();
    QStringList pictures;
    for (const std::string& picture : options.Pictures) pictures.append(QString::fromStdString(picture));
    quilmo::TQtUiServices ui;
    quilmo::TForm1 window(ui, exeDir, pictures);
    window.show();
    window.Start();
    if (options.QuitAfterStart) QTimer::singleShot(0, &application, &QApplication::quit);
    return QApplication::exec();
}
