#pragma once
// The main window `TForm1`: two tool bars, the preview and the status bar. It holds the slot
// document and shows it; what each command does lives in the document and the layers below.

#include <QMainWindow>
#include <QStringList>
#include <filesystem>
#include <memory>

#include "core/document_host.h"
#include "app/main/file_filters.h"
#include "app/shell/settings_file.h"
#include "app/shell/ui_services.h"

class QAbstractEventDispatcher;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QSpinBox;
class QToolBar;
class QTimer;
class QToolButton;

namespace quilmo {
class TGraphic;
struct TNamedPicture;
}

namespace quilmo {

class TCommandGate;
class TEffectsLauncher;
class TForm2;
class TForm4;
class TForm6;
class TPicturePrinter;
class TPreviewView;
class TSlotDocument;
class TSlotLoader;
class Tedgeform;
class Tresizeform;

// Set by every key press the main window sees; long jobs poll it to stop.
extern bool keyPressed;

class TForm1 : public QMainWindow, public TDocumentHost {
    Q_OBJECT
public:
    // exeDir: the program's folder (settings file, effects program); arguments: the file
    // names given on the command line.
    TForm1(TUiServices& ui, const std::filesystem::path& exeDir, QStringList arguments);
    ~TForm1() override;

    // The rest of the start once the window shows: plug-ins, then the command-line files.
    void Start();

    // What every command of every window goes through.
    TCommandGate& Gate() { return *FGate; }
    TSlotDocument& Document() { return *FDocument; }
    TSlotLoader& Loader() { return *FLoader; }
    const std::filesystem::path& IniPath() const { return FIniPath; }

    // Upper tool bar.
    QToolButton* openbtn;
    QToolButton* batchbtn;
    QSpinBox* gasu;
    QComboBox* combo2;
    QSpinBox* wrapspin;
    QComboBox* combo3;
    QComboBox* aligncombo;
    QSpinBox* SpinEdit;
    QToolButton* ToolButton26;
    QToolButton* ToolButton22;
    QComboBox* edgecombo;
    QComboBox* bcombo;
    QToolButton* bufferbtn;
    QComboBox* viewbox;
    QToolButton* ToolButton20;
    // Lower tool bar.
    QToolButton* savebtn;
    QToolButton* resavebtn;
    QComboBox* Combo;
    QSpinBox* jpgoption;
    QCheckBox* progbox;
    QCheckBox* losslessbox;
    QCheckBox* srgbbox;
    QToolButton* ToolButton8;
    QToolButton* copybtn;
    QToolButton* swapbtn;
    QToolButton* clearbtn;
    QToolButton* printbtn;
    QComboBox* ComboBox1;
    QToolButton* setbtn;
    QToolButton* ToolButton7;
    QToolButton* helpbtn;
    // The tool bar places of jpgoption and bufferbtn, which are hidden and shown with them.
    QAction* jpgoptionAction;
    QAction* bufferbtnAction;
    // The preview area and the status line.
    QWidget* Panel;
    TPreviewView* iview;
    QProgressBar* ProgressBar1;
    QLabel* StatusPanel0;
    QLabel* StatusPanel1;
    // The preview's popup menu.
    QMenu* PopupMenu1;
    QAction* Copy1;
    QAction* clearloaditem;
    QAction* loadhereitem;
    QAction* addafteritem;
    QMenu* bufferitem;
    QAction* bufferitems[3];
    QAction* Paste1;
    QAction* delpicitem;
    QAction* clearitem;
    QAction* popswap;
    // The help menu.
    QMenu* popuphelp;
    QAction* mmxsse;
    QAction* Susie1;
    QAction* N24;
    QMenu* pluginInfoMenu;
    QMenu* languageMenu;
    QAction* japaneseitem;
    QAction* englishitem;
    QAction* systemlanguageitem;
    // The windows it opens.
    Tedgeform* edgeform;
    TForm6* Form6;
    Tresizeform* resizeform;
    TForm4* Form4;
    TForm2* Form2;

    // The colours that have no control of their own.
    TColor JoinColor() const;
    TColor PanelColor() const { return FPanelColor; }
    // The open dialog's filter (in the dialog's own notation).
    const QString& OpenFilter() const { return FOpenFilter; }
    TSaveFormat SaveFormat() const;

    // TDocumentHost
    std::string StatusText() const override;
    void SetStatusText(const std::string& text) override;
    void ShowProgressBar() override;
    void StepProgressBar(int32_t step) override;
    void SetProgressPosition(int32_t position) override;
    void HideProgressBar() override;
    void ProcessMessages() override;
    bool WaitsForInput() const override { return true; }
    void WaitForInput() override;
    void WakeWaiting() override;
    void EnableImageCommands() override;
    void DisableImageCommands() override;
    void CountChanged(int32_t count) override;
    void FrameOnChanged(bool frameOn) override;
    void SettingsRestored(const TJoinSettings& settings) override;
    void BusyChanged(bool busy) override;
    TSize ViewSize() const override;
    void ShowPreview(const TBigBitmap* picture, bool scaled) override;
    void SetPrintOrientation(int32_t index) override;
    void ShowError(const std::string& message) override;
    void ShowErrorOkCancel(const std::string& message) override;

public slots:
    // Tool bars.
    void openbtnClick();
    void batchbtnClick();
    void gasuChange(int value);
    void combo2Change(int index);
    void wrapspinChange(int value);
    void combo3Change(int index);
    void aligncomboChange(int index);
    void SpinEditChange(int value);
    void ToolButton26Click();
    void ToolButton22Click();
    void edgecomboChange(int index);
    void bcomboChange(int index);
    void bufferbtnClick();
    void viewboxChange(int index);
    void ToolButton20Click();
    void savebtnClick();
    void resavebtnClick();
    void ComboChange();
    void copybtnClick();
    void ToolButton8Click();
    void printbtnClick();
    void setbtnClick();
    void swapbtnClick();
    void clearbtnClick();
    // Preview popup menu.
    void clearloaditemClick();
    void loadhereitemClick();
    void addafteritemClick();
    void Paste1Click();
    void delpicitemClick();
    // Pastes copy-buffer image k (1 to 3) into the slot under the last click.
    void PasteFromBuffer(int k);
    // Help menu.
    void mmxsseClick();
    void srgbboxClick(bool checked);
    void Susie1Click();
    void N24Click();
    // A language chosen from the language menu; the windows show it from the next start.
    void LanguageChosen(QAction* item);

    // Writes the joined picture to fileName; the format follows the name.
    void SavePictureFile(const QString& fileName);
    // The pictures' own JPEG coefficients joined into fileName. False when the join does not
    // allow it and the user would rather have the picture encoded again.
    bool SaveLosslessly(const QString& fileName);

public:
    // The save dialog as the save commands open it: the name proposed from the slots, the
    // extension and filter of the save format. Empty when cancelled.
    TSaveDialogRequest SaveDialogRequest() const;
    QString AskSaveFileName();
    // Writes picture with the tool bar's JPEG settings; the format follows the name.
    // Writes picture, the joined picture or one made of it, in the joined picture's colours.
    void WritePicture(TBigBitmap& picture, const QString& fileName);
    TUiServices& Ui() { return FUi; }
    TPicturePrinter& PicturePrinter() { return *FPrinter; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildUpperToolBar(QToolBar* bar);
    void BuildLowerToolBar(QToolBar* bar);
    void BuildStatusBar();
    void BuildPopupMenu();
    void BuildHelpMenu();
    void ConnectControls();
    // A popup item's command works on the slot under the right click that opened the menu.
    void ConnectPopupItem(QAction* item, const std::function<void()>& command);
    // The access keys of the buttons work whatever the window's width, also while their button
    // waits in the tool bar's overflow menu.
    void KeepAccessKeysOnWindow();
    // A command refused while another one runs says why.
    void ShowRefusal();
    // Keys typed into these controls count for keyPressed; a click on a setting control
    // sends the focus back to the panel.
    void WatchKeys(QWidget* control);
    // Every key counts for keyPressed; Escape also ends a print job that is starting.
    void KeyPressed(int key);
    void FocusPanelAfterClick(QComboBox* combo);
    void FocusPanelAfterClick(QSpinBox* spin);

    void ReadSettings();
    TMainSettings CurrentSettings() const;
    // The join settings the controls show.
    TJoinSettings ControlSettings() const;
    void ShowJoinSettings(const TJoinSettings& settings);
    void SetPanelColor(TColor color);
    // The quality box shows for the formats that take it.
    void ShowQualityForFormat();
    // The join colour button shows the colour.
    void ShowJoinColor(TColor color);

    // The plug-ins of the user's folder (none when empty), then the shipped ones unless they are
    // switched off; the success or failure message only for a user's folder.
    void SetupSusiePlugins(const std::filesystem::path& userFolder);
    // The language menu's item for a stored language code.
    QAction* LanguageItem(const std::string& code) const;
    void RemovePluginItems();

    void PreviewContextMenu(QPoint point);
    void PreviewDrop(QPoint point, const QString& source);
    void ViewResized();
    // One file from the open dialog titled title, read and handed to place (a missing picture
    // when it cannot be read); nothing when the dialog is cancelled.
    void ReadOneFile(const QString& title, const std::function<void(TNamedPicture)>& place);
    void UpdateCommandStates();
    // Runs a command; an error shows its message and the window goes on.
    void Guarded(const std::function<void()>& command);

    TUiServices& FUi;
    // The window thread's event loop, woken by the work threads it waits for.
    QAbstractEventDispatcher* FEventDispatcher;
    std::unique_ptr<TCommandGate> FGate;
    std::unique_ptr<TEffectsLauncher> FEffects;
    std::unique_ptr<TPicturePrinter> FPrinter;
    std::filesystem::path FExeDir;
    std::filesystem::path FIniPath;
    QStringList FArguments;
    std::unique_ptr<TSlotDocument> FDocument;
    std::unique_ptr<TSlotLoader> FLoader;
    std::string FSusieDir;
    bool FShippedPlugins = true;
    QString FOpenFilter;
    TColor FPanelColor = 0x80000010;
    // The colour dialog starts at the colour last chosen in it.
    QColor FLastChosenColor = Qt::white;
    QTimer* FResizeSettle = nullptr;
    // Where the preview's popup menu was opened.
    QPoint FMenuPoint;
    // The last key press a watched control saw, so the window does not count it again when the
    // control passes it on.
    using TCountedKey = std::pair<quint64, int>;
    TCountedKey FCountedKey{};
    bool FImageCommandsOn = false;
};

}  // namespace quilmo
