#pragma once
// The plug-in information window `TForm6`: one plug-in's description and an OK button.

#include <QWidget>

class QLineEdit;

namespace quilmo {

class TCommandGate;

class TForm6 : public QWidget {
    Q_OBJECT
public:
    TForm6(TCommandGate& gate, QWidget* parent);

    // Shows description with the window's left edge 400 pixels left of, and its top 80 pixels
    // above, the mouse pointer.
    void ShowDescription(const QString& description);

    QLineEdit* Edit1;

public slots:
    void Button1Click();
};

}  // namespace quilmo
