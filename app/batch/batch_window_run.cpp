// The batch window's run: its settings controls, starting a save or print run, and the
// progress window and printer the run reports to.

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <filesystem>

#include "batch/batch_lists.h"
#include "batch/batch_run.h"
#include "batch_print_job.h"
#include "batch_progress_window.h"
#include "batch_window.h"
#include "app/shell/colors.h"
#include "core/slot_document.h"
#include "app/main/main_window.h"
#include "app/output/picture_printer.h"
#include "radio_group.h"
#include "app/shell/tool_icons.h"
#include "app/shell/ui_language.h"
#include "bigbitmap/stream.h"

namespace quilmo {

TBatchRunSettings TForm2::RunSettings() const
{
    TBatchRunSettings s;
    s.Direction = static_cast<TJoinDirection>(RadioGroup2->ItemIndex());
    s.Method = static_cast<TResampleMethod>(combo3->currentIndex());
    s.Gap = Spin->value();
    s.MarginColor = FromQColor(ToQColor(FMarginColor));
    s.Format = static_cast<TBatchFormat>(RadioGroup3->ItemIndex());
    s.Jpeg = {jpgspin->value(), prog->isChecked()};
    s.Lossless = losslesscheck->isChecked();
    s.Landscape = RadioGroup1->ItemIndex() == 0;
    s.Resize.On = CheckBox3->isChecked();
    s.Resize.Width = wspin->value();
    s.Resize.Height = hspin->value();
    s.Resize.KeepWidth = CheckBox4->isChecked();
    s.Resize.KeepHeight = CheckBox5->isChecked();
    s.Resize.Method = static_cast<TResampleMethod>(rmBilinear + ComboBox1->currentIndex());
    s.Naming = static_cast<TBatchNaming>(fileGroup->ItemIndex());
    s.NameText = Edit1->text().toStdString();
    s.SameFolder = Radio1->isChecked();
    s.SaveFolder = Edit2->text().toStdString();
    s.UseSSE2 = FMain.Document().Settings().FUseSSE2;
    s.ColorSpace = srgbcheck->isChecked() ? TColorSpaceChoice::SRGB : TColorSpaceChoice::Auto;
    return s;
}

void TForm2::Button1Click()
{
    FRun->SaveAll(*FLists, RunSettings());
}

void TForm2::Button2Click()
{
    FRun->PrintAll(*FLists, RunSettings());
}

void TForm2::RadioGroup2Click()
{
    FormResize();
}

void TForm2::CheckBox3Click()
{
    for (QWidget* control :
         std::initializer_list<QWidget*>{wspin, hspin, CheckBox4, CheckBox5, ComboBox1})
        control->setEnabled(CheckBox3->isChecked());
}

void TForm2::Radio2MouseUp()
{
    // The dialog starts in the folder itself, not at its trailing separator.
    QString start = Edit2->text();
    if (start.size() > 1 && (start.endsWith(QLatin1Char('/')) || start.endsWith(QLatin1Char('\\'))))
        start.chop(1);
    const QString chosen = FMain.Ui().ChooseFolder(this, tr("保存フォルダー"), start);
    if (chosen.isEmpty()) return;
    // A folder typed into the dialog that is not there yet is made.
    std::error_code error;
    std::filesystem::create_directories(chosen.toStdString(), error);
    if (error) {
        FMain.Ui().ShowError(this, QString::fromStdString(FolderNotCreatedText(chosen.toStdString(), error.message())));
        return;
    }
    const bool separated = chosen.endsWith(QLatin1Char('/')) || chosen.endsWith(QLatin1Char('\\'));
    Edit2->setText(separated ? chosen : chosen + QLatin1Char('/'));
}

void TForm2::Panel5Click()
{
    const std::optional<QColor> colour = FMain.Ui().ChooseColor(this, ToQColor(FMarginColor));
    if (colour) SetMarginColor(FromQColor(*colour));
}

void TForm2::SetMarginColor(TColor color)
{
    FMarginColor = color;
    Panel5->setIcon(ColourIcon(ToQColor(color)));
}

void TForm2::FormKeyDown(int key)
{
    keyPressed = true;
    FRun->KeyDown(key == Qt::Key_Escape);
}

// --- what the run asks of the window

bool TForm2::AskYesNo(const std::string& question)
{
    return FMain.Ui().Confirm(this, ShownText(question),
                              QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool TForm2::AskOkCancel(const std::string& question)
{
    return FMain.Ui().Confirm(this, ShownText(question),
                              QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void TForm2::ShowInformation(const std::string& message)
{
    FMain.Ui().ShowInformation(this, ShownText(message));
}

void TForm2::ShowProgressWindow()
{
    Form3->ShowAt(pos() + QPoint(100, 100));
}

void TForm2::AddProgressLine(const std::string& text)
{
    Form3->AddLine(ShownText(text));
}

void TForm2::AppendToProgressLine(int32_t index, const std::string& text)
{
    Form3->AppendToLine(index, ShownText(text));
}

void TForm2::ShowFailureReason(int32_t index, const std::string& reason)
{
    Form3->ShowReason(index, ShownText(reason));
}

void TForm2::ProgressEnded(bool completed)
{
    Form3->RunEnded(completed);
}

void TForm2::ProcessMessages()
{
    QCoreApplication::processEvents();
}

std::unique_ptr<TBatchPrintJob> TForm2::StartPrintJob(const std::string& title, int32_t k,
                                                      bool landscape)
{
    return StartBatchPrintJob(FMain.PicturePrinter().Printer(), title, k, landscape);
}

}  // namespace quilmo
