#pragma once
// A titled group of radio buttons of which exactly one is chosen, known by its index.

#include <QGroupBox>

class QButtonGroup;
class QRadioButton;

namespace quilmo {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // The items are laid out in rows of columns buttons; the first one is chosen.
    TRadioGroup(const char* name, const QString& caption, const QStringList& items, int columns,
                QWidget* parent);

    int ItemIndex() const;
    // An index outside the items chooses the nearest one.
    void SetItemIndex(int index);
    QRadioButton* Button(int index) const;

signals:
    // The user chose item index.
    void Clicked(int index);

private:
    QButtonGroup* FButtons;
};

}  // namespace quilmo
