#include "qt_ui_services.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QPrintDialog>
#include <QRegularExpression>

#include "folder_dialog.h"

namespace quilmo {

namespace {

const QString kTitle = QStringLiteral("Quilmo");

}  // namespace

TQtUiServices::TQtUiServices() = default;

TQtUiServices::~TQtUiServices() = default;

void TQtUiServices::ShowError(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent, kTitle, text);
}

void TQtUiServices::ShowErrorOkCancel(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent, kTitle, text, QMessageBox::Ok | QMessageBox::Cancel);
}

void TQtUiServices::ShowInformation(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, kTitle, text);
}

QMessageBox::StandardButton TQtUiServices::AskYesNoCancel(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, kTitle, text,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

QMessageBox::StandardButton TQtUiServices::Confirm(QWidget* parent, const QString& text,
                                                   QMessageBox::StandardButtons buttons)
{
    return QMessageBox::question(parent, kTitle, text, buttons);
}

QStringList TQtUiServices::GetOpenFileNames(QWidget* parent, const QString& title,
                                            const QString& folder, const QString& filter,
                                            bool multiple)
{
    if (multiple) return QFileDialog::getOpenFileNames(parent, title, folder, filter);
    const QString name = QFileDialog::getOpenFileName(parent, title, folder, filter);
    return name.isEmpty() ? QStringList{} : QStringList{name};
}

QString TQtUiServices::GetSaveFileName(QWidget* parent, const TSaveDialogRequest& request)
{
    if (!FSaveDialog) {
        FSaveDialog = std::make_unique<QFileDialog>(parent);
        FSaveDialog->setAcceptMode(QFileDialog::AcceptSave);
        FSaveDialog->setFileMode(QFileDialog::AnyFile);
        // A name typed without an extension takes the one of the type chosen in the dialog,
        // since the format follows the name.
        QFileDialog* dialog = FSaveDialog.get();
        QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& filter) {
            const QRegularExpressionMatch first = QRegularExpression(QStringLiteral("\\(\\*\\.(\\w+)")).match(filter);
            if (first.hasMatch()) dialog->setDefaultSuffix(first.captured(1));
        });
    }
    QFileDialog& dialog = *FSaveDialog;
    dialog.setNameFilters(request.Filter.split(QStringLiteral(";;")));
    const QStringList filters = dialog.nameFilters();
    if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.FilterIndex - 1]);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (!request.FileName.isEmpty()) dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString chosen = dialog.selectedFiles().front();
    // A folder typed with the name is the one used last, as much as one browsed to.
    dialog.setDirectory(QFileInfo(chosen).absolutePath());
    return chosen;
}

std::optional<QColor> TQtUiServices::ChooseColor(QWidget* parent, const QColor& initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

QString TQtUiServices::ChooseFolder(QWidget* parent, const QString& caption, const QString& start)
{
    return TFolderDialog::Choose(parent, caption, start);
}

bool TQtUiServices::SetupPrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(tr("プリンタの設定"));
    return dialog.exec() == QDialog::Accepted;
}

const QMimeData* TQtUiServices::ClipboardData()
{
    return QApplication::clipboard()->mimeData();
}

void TQtUiServices::SetClipboardData(QMimeData* data)
{
    QApplication::clipboard()->setMimeData(data);
}

}  // namespace quilmo
