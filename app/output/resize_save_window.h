#pragma once
// The save-size window `Tresizeform`: the joined picture saved at another width and height,
// kept in proportion while a size is typed, or at double or half its size.

#include <QWidget>

#include "resample/resample.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace quilmo {

class TForm1;

class Tresizeform : public QWidget {
    Q_OBJECT
public:
    explicit Tresizeform(TForm1& main);

    QLineEdit* Edit1;  // width
    QLineEdit* Edit2;  // height
    QCheckBox* CheckBox1;  // "倍"
    QCheckBox* CheckBox2;  // "半分"
    QComboBox* resamcombo;

    // True while the window writes into its own size boxes.
    bool updating = false;

    // The progress of a save at another size, on the main window's bar; always 0.
    int32_t ResizeProgress(int16_t position, int16_t max, int32_t step);

public slots:
    void Button1Click();
    void Button2Click();
    void CheckBox1Click(bool checked);
    void CheckBox2Click(bool checked);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The size boxes keep the picture's proportions while the coupling is connected.
    void edit1on();
    void edit2on();
    void ConnectCoupling();
    void DisconnectCoupling();
    // Writes both boxes.
    void WriteSizes(int64_t width, int64_t height);
    // "倍" or "半分" checked: the other one ends and the boxes show the picture's size times
    // times / by, held against typing; unchecked: the boxes are coupled again.
    void ScaleBoth(bool checked, QCheckBox* other, int64_t times, int64_t by);
    // The boxes show the picture's size times times / by, uncoupled.
    void WriteScaled(int64_t times, int64_t by);
    // One box typed into: the other follows its final text, however fast the keys come.
    void Couple(QLineEdit* typed);
    // The other box shows typed's number in the picture's proportions.
    void Follow(QLineEdit* typed);
    // The enlarging method chosen; none when the text matches no item.
    std::optional<TResampleMethod> Method() const;

    TForm1& FMain;
    QMetaObject::Connection FEdit1Link;
    QMetaObject::Connection FEdit2Link;
    // A box typed into while the window was writing; followed once it has finished.
    QLineEdit* FTypedMeanwhile = nullptr;
};

}  // namespace quilmo
