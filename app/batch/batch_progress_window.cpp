#include "batch_progress_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "app/main/main_window.h"
#include "app/shell/command_gate.h"
#include "batch/batch_run.h"

namespace quilmo {

TForm3::TForm3(TBatchRun& run, TCommandGate& gate, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), FRun(run)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(tr("バッチ処理中(>_<)"));
    // Room for the title and for the reasons of failed pairs beside their lines.
    resize(440, 300);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(tr("バッチ処理中(>_<)"));
    Memo1->setReadOnly(true);
    Button2 = new QPushButton(tr("中止"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button1 = new QPushButton(tr("閉じる"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button2);
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo1);
    layout->addLayout(buttons);
    gate.Connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    gate.Connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
}

void TForm3::ShowAt(QPoint place)
{
    Memo1->clear();
    move(place);
    FormShow();
    show();
    raise();
}

void TForm3::FormShow()
{
    Button2->show();
    Button1->hide();
}

void TForm3::AddLine(const QString& text)
{
    Memo1->appendPlainText(text);
}

void TForm3::AppendToLine(int index, const QString& text)
{
    QTextCursor cursor(Memo1->document()->findBlockByNumber(index));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(text);
}

void TForm3::ShowReason(int index, const QString& reason)
{
    // One pair, one line: the lines are found by their number.
    AppendToLine(index, QStringLiteral(" (") + reason.simplified() + QLatin1Char(')'));
}

void TForm3::RunEnded(bool completed)
{
    if (completed) Button2->hide();
    Button1->show();
}

void TForm3::Button1Click()
{
    Button1->hide();
    hide();
}

void TForm3::Button2Click()
{
    keyPressed = true;
    FRun.Stop();
}

void TForm3::closeEvent(QCloseEvent* event)
{
    // The run writes its lines here until it ends; "中止" ends it.
    if (FRun.Running())
        event->ignore();
    else
        event->accept();
}

void TForm3::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event->key());
}

void TForm3::FormKeyDown(int key)
{
    keyPressed = true;
    FRun.KeyDown(key == Qt::Key_Escape);
}

}  // namespace quilmo
