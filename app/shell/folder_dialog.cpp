#include "folder_dialog.h"

#include <QFileInfo>

namespace quilmo {

TFolderDialog::TFolderDialog(QWidget* parent, const QString& caption, const QString& start)
    : QFileDialog(parent, caption, start)
{
    setFileMode(QFileDialog::Directory);
    // The platform's dialog would refuse a new folder the same way and cannot be changed.
    setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}

QString TFolderDialog::Choose(QWidget* parent, const QString& caption, const QString& start)
{
    TFolderDialog dialog(parent, caption, start);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void TFolderDialog::accept()
{
    const QStringList chosen = selectedFiles();
    // QFileDialog turns a folder that is not there away with a warning.
    if (chosen.size() == 1 && !QFileInfo::exists(chosen.first())) {
        QDialog::accept();
        return;
    }
    QFileDialog::accept();
}

}  // namespace quilmo
