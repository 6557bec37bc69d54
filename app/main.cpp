// Quilmo, the desktop program.

#include <QDir>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

#include "application.h"
#include "input/graphic_registry.h"
#include "main_window.h"
#include "qt_ui_services.h"
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

}  // namespace

int main(int argc, char** argv)
{
    if (!quilmo::DisplayAvailable()) return 1;
    const QtMessageHandler standardHandler = qInstallMessageHandler(QuitWithoutDisplay);
    quilmo::TApplication application(argc, argv);
    qInstallMessageHandler(standardHandler);

    quilmo::TApplication::setWindowIcon(quilmo::ProgramIcon());
    quilmo::RegisterStandardGraphicFormats();
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const std::filesystem::path exeDir = QApplication::applicationDirPath().toStdString();
    quilmo::UseLanguage(quilmo::StartLanguage(quilmo::SettingsFilePath(exeDir)));
    quilmo::TQtUiServices ui;
    quilmo::TForm1 window(ui, exeDir, arguments);
    window.show();
    window.Start();
    return QApplication::exec();
}
