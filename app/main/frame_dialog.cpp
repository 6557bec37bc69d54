#include "frame_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "app/shell/command_gate.h"
#include "core/join_settings.h"

namespace quilmo {

namespace {

QSpinBox* WidthSpin(QWidget* parent, const char* name, const QString& side)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setAccessibleName(side);
    spin->setRange(0, kMaxFrameWidth);
    return spin;
}

QLabel* SideLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

}  // namespace

Tedgeform::Tedgeform(TCommandGate& gate, QWidget* parent) : QFrame(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    // Without a title bar, a raised edge sets the window apart from what lies behind it.
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setObjectName(QStringLiteral("edgeform"));
    // No title bar gives the window its name, so it is named after its label.
    setAccessibleName(tr("縁取りサイズ"));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    SpinEdit1 = WidthSpin(this, "SpinEdit1", tr("上"));
    SpinEdit2 = WidthSpin(this, "SpinEdit2", tr("左"));
    SpinEdit3 = WidthSpin(this, "SpinEdit3", tr("右"));
    SpinEdit4 = WidthSpin(this, "SpinEdit4", tr("下"));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(3);
    grid->addWidget(new QLabel(tr("縁取りサイズ"), this), 0, 0, 1, 4);
    grid->addWidget(SideLabel(tr("上"), this), 1, 1);
    grid->addWidget(SpinEdit1, 1, 2);
    grid->addWidget(SideLabel(tr("左"), this), 2, 0);
    grid->addWidget(SpinEdit2, 2, 1);
    grid->addWidget(SideLabel(tr("右"), this), 2, 2);
    grid->addWidget(SpinEdit3, 2, 3);
    grid->addWidget(SideLabel(tr("下"), this), 3, 1);
    grid->addWidget(SpinEdit4, 3, 2);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    FCancel = new QPushButton(tr("Cancel"), this);
    FCancel->setObjectName(QStringLiteral("Button2"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(FCancel);
    grid->addLayout(buttons, 4, 0, 1, 4);
    gate.Connect(ok, &QPushButton::clicked, this, &Tedgeform::Button1Click);
    gate.Connect(FCancel, &QPushButton::clicked, this, &Tedgeform::Button2Click);
    setMinimumSize(187, 135);
}

void Tedgeform::ShowFor(const TRect& widths, QPoint topLeft)
{
    SpinEdit1->setValue(widths.Top);
    SpinEdit2->setValue(widths.Left);
    SpinEdit3->setValue(widths.Right);
    SpinEdit4->setValue(widths.Bottom);
    move(topLeft);
    show();
    raise();
    activateWindow();
}

void Tedgeform::Button1Click()
{
    const TRect widths{SpinEdit2->value(), SpinEdit1->value(), SpinEdit3->value(),
                       SpinEdit4->value()};
    hide();
    if (Accepted) Accepted(widths);
}

void Tedgeform::Button2Click()
{
    hide();
}

void Tedgeform::keyPressEvent(QKeyEvent* event)
{
    // Through the button, so that a command running elsewhere keeps the window as it is.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        FCancel->click();
    else
        QFrame::keyPressEvent(event);
}

}  // namespace quilmo
