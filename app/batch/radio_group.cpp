#include "radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <algorithm>

namespace quilmo {

TRadioGroup::TRadioGroup(const char* name, const QString& caption, const QStringList& items,
                         int columns, QWidget* parent)
    : QGroupBox(caption, parent), FButtons(new QButtonGroup(this))
{
    setObjectName(QString::fromLatin1(name));
    setAccessibleName(caption);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        FButtons->addButton(button, i);
        grid->addWidget(button, i / columns, i % columns);
    }
    SetItemIndex(0);
    connect(FButtons, &QButtonGroup::idClicked, this, &TRadioGroup::Clicked);
}

int TRadioGroup::ItemIndex() const
{
    return FButtons->checkedId();
}

void TRadioGroup::SetItemIndex(int index)
{
    Button(std::clamp(index, 0, static_cast<int>(FButtons->buttons().size()) - 1))
        ->setChecked(true);
}

QRadioButton* TRadioGroup::Button(int index) const
{
    return static_cast<QRadioButton*>(FButtons->button(index));
}

}  // namespace quilmo
