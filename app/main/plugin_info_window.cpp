#include "plugin_info_window.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/shell/command_gate.h"

namespace quilmo {

TForm6::TForm6(TCommandGate& gate, QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(tr("プラグイン情報"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setAccessibleName(tr("プラグイン情報"));
    Edit1->setReadOnly(true);
    Edit1->setFixedWidth(265);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Edit1);
    layout->addWidget(ok);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    gate.Connect(ok, &QPushButton::clicked, this, &TForm6::Button1Click);
}

void TForm6::ShowDescription(const QString& description)
{
    Edit1->setText(description);
    Edit1->setCursorPosition(0);
    move(QCursor::pos() - QPoint(400, 80));
    show();
    raise();
}

void TForm6::Button1Click()
{
    hide();
}

}  // namespace quilmo
