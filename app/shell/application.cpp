#include "application.h"

#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "bigbitmap/ui_text.h"
#include "ui_language.h"

namespace quilmo {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quilmo"));
    setApplicationDisplayName(QStringLiteral("Quilmo"));
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Quilmo"), ShownText(UI_TEXT("quilmo", "メモリーが足りません")));
    } catch (const std::exception& e) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Quilmo"), QString::fromUtf8(e.what()));
    }
    return false;
}

bool DisplayAvailable()
{
    // Qt aborts when its platform cannot start; find the usual cause first and say it plainly.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool needsDisplay = !platform || *platform == '\0' || std::string_view(platform) == "xcb" ||
                              std::string_view(platform).starts_with("wayland");
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    const bool hasDisplay = set("DISPLAY") || set("WAYLAND_DISPLAY");
    if (needsDisplay && !hasDisplay) {
        std::fputs("quilmo: no display to show the window on (DISPLAY is not set)\n", stderr);
        return false;
    }
    return true;
}

}  // namespace quilmo
