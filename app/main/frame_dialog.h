#pragma once
// The frame size window `Tedgeform`: four spin boxes arranged as a cross for the widths of the
// frame around the joined picture. It does not block the main window.

#include <QFrame>
#include <functional>

#include "bigbitmap/geometry.h"

class QPushButton;
class QSpinBox;

namespace quilmo {

class TCommandGate;

class Tedgeform : public QFrame {
    Q_OBJECT
public:
    Tedgeform(TCommandGate& gate, QWidget* parent);

    // Shows the widths (left, top, right, bottom) at the given place of the screen.
    void ShowFor(const TRect& widths, QPoint topLeft);

    // "OK" with the widths read from the spin boxes.
    std::function<void(const TRect&)> Accepted;

    QSpinBox* SpinEdit1;  // top
    QSpinBox* SpinEdit2;  // left
    QSpinBox* SpinEdit3;  // right
    QSpinBox* SpinEdit4;  // bottom

public slots:
    void Button1Click();
    void Button2Click();

protected:
    // Escape cancels, as in a dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* FCancel;
};

}  // namespace quilmo
