#pragma once
// Everything the windows ask of the desktop that a test must be able to answer instead:
// message boxes, file, colour and folder dialogs, and the clipboard.

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <optional>

class QMimeData;
class QPrinter;
class QWidget;

namespace quilmo {

// What a save dialog starts with; it asks before overwriting a file.
struct TSaveDialogRequest {
    QString FileName;       // proposed name, with or without a folder; empty: the last one
    QString Filter;         // "JPEG イメージファイル (*.jpg);;..."
    int FilterIndex = 1;    // counted from 1
    QString DefaultSuffix;  // appended to a typed name without extension
};

class TUiServices {
public:
    virtual ~TUiServices() = default;

    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    // An error box with OK and Cancel; the answer does not matter.
    virtual void ShowErrorOkCancel(QWidget* parent, const QString& text) = 0;
    virtual void ShowInformation(QWidget* parent, const QString& text) = 0;
    virtual QMessageBox::StandardButton AskYesNoCancel(QWidget* parent, const QString& text) = 0;
    // A confirmation with buttons (Yes and No, or OK and Cancel); the button pressed.
    virtual QMessageBox::StandardButton Confirm(QWidget* parent, const QString& text,
                                                QMessageBox::StandardButtons buttons) = 0;

    // Chosen files in the dialog's order; empty when cancelled.
    virtual QStringList GetOpenFileNames(QWidget* parent, const QString& title,
                                         const QString& folder, const QString& filter,
                                         bool multiple) = 0;
    // The chosen name; empty when cancelled.
    virtual QString GetSaveFileName(QWidget* parent, const TSaveDialogRequest& request) = 0;
    virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) = 0;
    // The chosen folder; empty when cancelled.
    virtual QString ChooseFolder(QWidget* parent, const QString& caption,
                                 const QString& start) = 0;

    // The printer setup dialog; its choices stay with printer. False when cancelled.
    virtual bool SetupPrinter(QWidget* parent, QPrinter& printer) = 0;

    // What the clipboard holds now (may be null), and replacing it; the clipboard takes data.
    virtual const QMimeData* ClipboardData() = 0;
    virtual void SetClipboardData(QMimeData* data) = 0;
};

}  // namespace quilmo
