#pragma once
// The batch window `TForm2`: two file lists whose rows pair up, the previews of the selected
// pair, and the settings of a run that joins every pair and saves or prints the results. The
// lists and the run live below the window; it shows them and hands them the user's requests.

#include <QWidget>
#include <array>
#include <filesystem>
#include <memory>

#include "batch/batch_host.h"
#include "batch/run_settings.h"
#include "app/shell/settings_file.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QSplitter;
class QToolButton;

namespace quilmo {

class TBatchListBox;
class TBatchLists;
class TBatchPreview;
class TBatchRun;
class TForm1;
class TForm3;
class TRadioGroup;

class TForm2 : public QWidget, public TBatchListsHost, public TBatchRunHost {
    Q_OBJECT
public:
    // Placed beside main; the settings are read from its settings file.
    explicit TForm2(TForm1& main);
    ~TForm2() override;

    TBatchLists& Lists() { return *FLists; }
    TBatchRun& Run() { return *FRun; }
    // The settings as the controls hold them, for the settings file.
    TBatchSettings Settings() const;
    // How a run started now joins and puts out the pairs.
    TBatchRunSettings RunSettings() const;
    TColor MarginColor() const { return FMarginColor; }

    // Files chosen in the open dialog become the lists; the window shows. Nothing when the
    // dialog is cancelled.
    void OpenForBatch();

    TForm3* Form3;
    QSplitter* Splitter1;
    // The lists and their buttons.
    TBatchListBox* ListBox1;
    TBatchListBox* ListBox2;
    QPushButton* Button6;  // sort
    QPushButton* Button8;
    QPushButton* Button3;  // up
    QPushButton* Button9;
    QPushButton* Button4;  // down
    QPushButton* Button7;
    QPushButton* Button5;  // delete
    QPushButton* Button10;
    QPushButton* Button11;  // clear
    QPushButton* Button12;  // add
    QPushButton* Button13;  // swap
    TBatchPreview* Image1;
    TBatchPreview* Image2;
    // The run's settings.
    TRadioGroup* RadioGroup2;  // direction
    QComboBox* combo3;         // join method
    QSpinBox* Spin;            // gap
    QToolButton* Panel5;       // margin colour
    TRadioGroup* RadioGroup3;  // format
    QSpinBox* jpgspin;
    QCheckBox* prog;
    QCheckBox* losslesscheck;
    QCheckBox* srgbcheck;
    TRadioGroup* RadioGroup1;  // print orientation
    QCheckBox* CheckBox3;      // resize before output
    QSpinBox* wspin;
    QSpinBox* hspin;
    QCheckBox* CheckBox4;  // width fixed
    QCheckBox* CheckBox5;  // height fixed
    QComboBox* ComboBox1;  // resize method
    TRadioGroup* fileGroup;
    QLineEdit* Edit1;      // name text
    QRadioButton* Radio1;  // same folder
    QRadioButton* Radio2;  // chosen folder
    QLineEdit* Edit2;
    QPushButton* Button1;  // save all
    QPushButton* Button2;  // print all

    // TBatchListsHost
    void ListChanged(TBatchList list) override;
    void ShowPreview(TBatchList list, const TBitmap* picture) override;
    void SetPreviewHint(TBatchList list, const std::string& hint) override;
    void AlignTopRow(TBatchList list) override;
    void ShowErrorOkCancel(const std::string& message) override;
    void ShowError(const std::string& message) override;
    // TBatchRunHost
    bool AskYesNo(const std::string& question) override;
    bool AskOkCancel(const std::string& question) override;
    void ShowInformation(const std::string& message) override;
    void ShowProgressWindow() override;
    void AddProgressLine(const std::string& text) override;
    void AppendToProgressLine(int32_t index, const std::string& text) override;
    void ShowFailureReason(int32_t index, const std::string& reason) override;
    void ProgressEnded(bool completed) override;
    void ProcessMessages() override;
    std::unique_ptr<TBatchPrintJob> StartPrintJob(const std::string& title, int32_t k,
                                                  bool landscape) override;

public slots:
    void Button12Click();
    void Button6Click();
    void Button8Click();
    void Button3Click();
    void Button9Click();
    void Button4Click();
    void Button7Click();
    void Button5Click();
    void Button10Click();
    void Button11Click();
    void Button13Click();
    void ListBox1Click();
    void ListBox2Click();
    void ListBox1MouseDown(int row);
    void ListBox2MouseDown(int row);
    void ListBox1DragOver();
    void ListBox2DragOver();
    void ListBox1DragDrop(const QString& source, int row);
    void ListBox2DragDrop(const QString& source, int row);
    void Button1Click();
    void Button2Click();
    void RadioGroup2Click();
    void CheckBox3Click();
    void Radio2MouseUp();
    void Panel5Click();
    void FormKeyDown(int key);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The settings below list 1 (joining, format, printing) and below list 2 (resizing,
    // naming, folder), each with its list's buttons above them.
    QWidget* BuildJoinPanel();
    QWidget* BuildOutputPanel();
    void ConnectControls();
    // The boxes whose keys count as the window's own.
    std::array<QWidget*, 6> KeyBoxes() const;

    void ReadSettings(const std::filesystem::path& iniPath);
    void ShowSettings(const TBatchSettings& settings);
    void SetMarginColor(TColor color);
    // The open dialog for batch files; its folder becomes the main window's last folder.
    QStringList ChooseFiles();
    // The column widths and the previews' places follow the window and the join direction.
    void FormResize();

    TBatchListBox* ListBox(TBatchList list) const { return list == blList1 ? ListBox1 : ListBox2; }
    TBatchPreview* Image(TBatchList list) const { return list == blList1 ? Image1 : Image2; }
    // The list a row drag names as its source.
    TBatchList ListNamed(const QString& name) const;

    TForm1& FMain;
    std::unique_ptr<TBatchLists> FLists;
    std::unique_ptr<TBatchRun> FRun;
    QWidget* FPreviewStrip = nullptr;
    TColor FMarginColor = clWhite;
};

}  // namespace quilmo
