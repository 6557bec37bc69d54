#pragma once
// What the window tests share: a program folder of their own, the fake desktop, the main
// window, and pictures written into the folder.

#include <QObject>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/main/main_window.h"
#include "fake_ui_services.h"

class QAction;
class QMimeData;

namespace quilmo::test {

inline constexpr TColor kRed = RGBColor(200, 0, 0);
inline constexpr TColor kGreen = RGBColor(0, 200, 0);
inline constexpr TColor kBlue = RGBColor(0, 0, 200);

// Standard formats registered, Qt's settings in a folder of this process's own, and the
// offscreen platform's notes on what it cannot do (raise windows, grab the keyboard) kept out
// of the test output.
void PrepareWindowTests();

// The first two bytes of a file, which tell its format.
QByteArray FileStart(const QString& name);

// A drag that enters target and is dropped there.
void Drop(QWidget* target, QPoint point, QMimeData& data);

class TWindowFixture {
public:
    TWindowFixture();
    ~TWindowFixture();

    std::unique_ptr<QTemporaryDir> Folder;
    std::unique_ptr<TFakeUiServices> Ui;
    std::unique_ptr<TForm1> Window;

    QString Path(const QString& name) const { return Folder->filePath(name); }
    // A solid picture file; the format follows the name.
    QString Picture(const QString& name, int width, int height, TColor colour);
    void WriteIni(const std::string& text);
    TForm1& Open(const QStringList& arguments = {});
    // Loads the pictures through the open button.
    void LoadThroughDialog(const QStringList& names);
    // Right-clicks the preview at x and runs a popup item; false when the item was disabled.
    bool PopupAt(int x, QAction* item);
    // The file-name parts of the filled slots' names.
    QStringList SlotNames() const;
    QSize JoinedSize() const;
};

}  // namespace quilmo::test
