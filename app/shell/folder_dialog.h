#pragma once
// The folder dialog: like Qt's own, but a folder typed into it that does not exist yet is taken,
// for the caller to make.

#include <QFileDialog>

namespace quilmo {

class TFolderDialog : public QFileDialog {
    Q_OBJECT

public:
    TFolderDialog(QWidget* parent, const QString& caption, const QString& start);

    // The chosen folder; empty when cancelled.
    static QString Choose(QWidget* parent, const QString& caption, const QString& start);

public slots:
    void accept() override;
};

}  // namespace quilmo
