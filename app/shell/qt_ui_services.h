#pragma once
// The desktop's own dialogs, message boxes and clipboard.

#include <QCoreApplication>
#include <memory>

#include "ui_services.h"

class QFileDialog;

namespace quilmo {

class TQtUiServices : public TUiServices {
    Q_DECLARE_TR_FUNCTIONS(TQtUiServices)

public:
    TQtUiServices();
    ~TQtUiServices() override;

    void ShowError(QWidget* parent, const QString& text) override;
    void ShowErrorOkCancel(QWidget* parent, const QString& text) override;
    void ShowInformation(QWidget* parent, const QString& text) override;
    QMessageBox::StandardButton AskYesNoCancel(QWidget* parent, const QString& text) override;
    QMessageBox::StandardButton Confirm(QWidget* parent, const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    QStringList GetOpenFileNames(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter, bool multiple) override;
    QString GetSaveFileName(QWidget* parent, const TSaveDialogRequest& request) override;
    std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) override;
    QString ChooseFolder(QWidget* parent, const QString& caption, const QString& start) override;
    bool SetupPrinter(QWidget* parent, QPrinter& printer) override;
    const QMimeData* ClipboardData() override;
    void SetClipboardData(QMimeData* data) override;

private:
    // One save dialog for the program's life, so it keeps its last name and folder.
    std::unique_ptr<QFileDialog> FSaveDialog;
};

}  // namespace quilmo
