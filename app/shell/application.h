#pragma once
// The application object: every error that leaves an event handler is shown in a message box
// and the program goes on.

#include <QApplication>

namespace quilmo {

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// False, after saying so on stderr, when no window can be shown (no display to connect to).
bool DisplayAvailable();

}  // namespace quilmo
