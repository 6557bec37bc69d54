#pragma once
// The batch progress window `TForm3`: one line a pair of the run, "中止" to stop it and
// "閉じる" once it is over.

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace quilmo {

class TBatchRun;
class TCommandGate;

class TForm3 : public QWidget {
    Q_OBJECT
public:
    TForm3(TBatchRun& run, TCommandGate& gate, QWidget* parent);

    QPlainTextEdit* Memo1;
    QPushButton* Button1;  // "閉じる"
    QPushButton* Button2;  // "中止"

    // A run starts: the window is emptied and shown at place with "中止" only.
    void ShowAt(QPoint place);
    void AddLine(const QString& text);
    // text goes on at the end of line index (from 0).
    void AppendToLine(int index, const QString& text);
    // Why the pair of line index failed, after the line, on the same line.
    void ShowReason(int index, const QString& reason);
    // The run is over: "閉じる" appears; "中止" goes only when the run was completed.
    void RunEnded(bool completed);

public slots:
    // Only "中止" shows while a run goes on.
    void FormShow();
    void Button1Click();
    void Button2Click();
    void FormKeyDown(int key);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TBatchRun& FRun;
};

}  // namespace quilmo
