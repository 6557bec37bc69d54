// The batch window's settings: read from the settings file into the controls when the window
// is made, and collected from them for the file when the program closes.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>

#include "batch_window.h"
#include "radio_group.h"

namespace quilmo {

namespace {

// An index outside the items takes the nearest item.
void SetClampedIndex(QComboBox* combo, int index)
{
    combo->setCurrentIndex(std::clamp(index, 0, combo->count() - 1));
}

}  // namespace

void TForm2::ReadSettings(const std::filesystem::path& iniPath)
{
    std::optional<TBatchSettings> stored;
    try {
        stored = ReadBatchSettings(iniPath);
    } catch (const std::exception&) {
        // The main window has read the same file just before and said why it cannot.
    }
    if (stored) ShowSettings(*stored);
    SetMarginColor(FMarginColor);
    CheckBox3Click();
}

void TForm2::ShowSettings(const TBatchSettings& s)
{
    RadioGroup1->SetItemIndex(s.Radio1);
    RadioGroup2->SetItemIndex(s.Radio2);
    RadioGroup3->SetItemIndex(s.Radio3);
    SetClampedIndex(combo3, s.Combo3);
    Spin->setValue(s.Spin);
    jpgspin->setValue(s.Jpg);
    prog->setChecked(s.Prog);
    losslesscheck->setChecked(s.Lossless);
    srgbcheck->setChecked(s.Srgb);
    fileGroup->SetItemIndex(s.Save);
    FMarginColor = s.Color;
    wspin->setValue(s.DWidth);
    hspin->setValue(s.DHeight);
    SetClampedIndex(ComboBox1, s.Resizing);
    CheckBox4->setChecked(s.WBool);
    CheckBox5->setChecked(s.HBool);
    CheckBox3->setChecked(s.Resize);
    Edit1->setText(QString::fromStdString(s.Renban));
    Edit2->setText(QString::fromStdString(s.SavePath));
    (s.SamePath ? Radio1 : Radio2)->setChecked(true);
}

TBatchSettings TForm2::Settings() const
{
    TBatchSettings s;
    s.Radio1 = RadioGroup1->ItemIndex();
    s.Radio2 = RadioGroup2->ItemIndex();
    s.Radio3 = RadioGroup3->ItemIndex();
    s.Combo3 = combo3->currentIndex();
    s.Spin = Spin->value();
    s.Jpg = jpgspin->value();
    s.Prog = prog->isChecked();
    s.Lossless = losslesscheck->isChecked();
    s.Srgb = srgbcheck->isChecked();
    s.Save = fileGroup->ItemIndex();
    s.Color = FMarginColor;
    s.DWidth = wspin->value();
    s.DHeight = hspin->value();
    s.Resizing = ComboBox1->currentIndex();
    s.WBool = CheckBox4->isChecked();
    s.HBool = CheckBox5->isChecked();
    s.Resize = CheckBox3->isChecked();
    s.Renban = Edit1->text().toStdString();
    s.SavePath = Edit2->text().toStdString();
    s.SamePath = Radio1->isChecked();
    return s;
}

}  // namespace quilmo
