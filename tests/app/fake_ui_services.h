#pragma once
// Dialogs, message boxes and a clipboard that answer what the test queued and write down what
// the window asked.

#include <QMimeData>
#include <QStringList>
#include <deque>
#include <memory>
#include <vector>

#include "app/shell/ui_services.h"

namespace quilmo::test {

class TFakeUiServices : public TUiServices {
public:
    QStringList Errors;
    QStringList Informations;
    QMessageBox::StandardButton CloseAnswer = QMessageBox::Yes;
    // Every question asked, and the answers to the confirmations (none left: No or Cancel).
    QStringList Questions;
    std::deque<QMessageBox::StandardButton> ConfirmAnswers;
    // Each open dialog takes the next answer; none left: cancelled.
    std::deque<QStringList> OpenAnswers;
    QStringList OpenTitles;
    std::deque<QString> SaveAnswers;
    std::vector<TSaveDialogRequest> SaveRequests;
    std::deque<QColor> ColourAnswers;
    std::deque<QString> FolderAnswers;
    std::unique_ptr<QMimeData> Clipboard;

    void ShowError(QWidget*, const QString& text) override { Errors << text; }
    void ShowErrorOkCancel(QWidget*, const QString& text) override { Errors << text; }
    void ShowInformation(QWidget*, const QString& text) override { Informations << text; }
    QMessageBox::StandardButton AskYesNoCancel(QWidget*, const QString& text) override
    {
        Questions << text;
        return CloseAnswer;
    }
    QMessageBox::StandardButton Confirm(QWidget*, const QString& text,
                                        QMessageBox::StandardButtons) override
    {
        Questions << text;
        return Next(ConfirmAnswers);
    }
    QStringList GetOpenFileNames(QWidget*, const QString& title, const QString&, const QString&,
                                 bool) override
    {
        OpenTitles << title;
        return Next(OpenAnswers);
    }
    QString GetSaveFileName(QWidget*, const TSaveDialogRequest& request) override
    {
        SaveRequests.push_back(request);
        return Next(SaveAnswers);
    }
    std::optional<QColor> ChooseColor(QWidget*, const QColor&) override
    {
        if (ColourAnswers.empty()) return std::nullopt;
        return Next(ColourAnswers);
    }
    QString ChooseFolder(QWidget*, const QString&, const QString&) override
    {
        return Next(FolderAnswers);
    }
    bool SetupPrinter(QWidget*, QPrinter&) override { return ++PrinterSetups, true; }
    int PrinterSetups = 0;
    const QMimeData* ClipboardData() override { return Clipboard.get(); }
    void SetClipboardData(QMimeData* data) override { Clipboard.reset(data); }

private:
    template <typename T>
    static T Next(std::deque<T>& answers)
    {
        if (answers.empty()) return {};
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace quilmo::test
