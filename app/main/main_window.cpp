#include "main_window.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "batch/batch_run.h"
#include "app/batch/batch_progress_window.h"
#include "app/batch/batch_window.h"
#include "app/shell/clipboard_picture.h"
#include "app/shell/command_gate.h"
#include "core/slot_document.h"
#include "app/output/copy_buffer_window.h"
#include "app/output/effects_launcher.h"
#include "file_filters.h"
#include "frame_dialog.h"
#include "input/slot_loading.h"
#include "app/shell/picture_drag.h"
#include "app/output/picture_printer.h"
#include "plugin_info_window.h"
#include "preview_view.h"
#include "app/output/resize_save_window.h"
#include "app/shell/ui_services.h"
#include "app/shell/ui_language.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

bool keyPressed = false;

namespace {

// The sibling image-effects program, started from the lower tool bar.
constexpr const char* kEffectsProgram = "morvane";
constexpr int kDesignedWidth = 817;
// How long the view's size must stay put before the pretty preview is reduced anew.
constexpr int kResizeSettleMs = 150;
// How long the status line says that a command was refused.
constexpr int kRefusalShownMs = 4000;

}  // namespace

TForm1::TForm1(TUiServices& ui, const std::filesystem::path& exeDir, QStringList arguments)
    : FUi(ui),
      FEventDispatcher(QAbstractEventDispatcher::instance()),
      FGate(std::make_unique<TCommandGate>()),
      FExeDir(exeDir),
      FArguments(std::move(arguments))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quilmo"));
    FDocument = std::make_unique<TSlotDocument>(*this);
    FLoader = std::make_unique<TSlotLoader>(*FDocument);
    FIniPath = SettingsFilePath(FExeDir);
    FOpenFilter = QtFileFilter(kStandardOpenFilter);

    auto* upper = addToolBar(QStringLiteral("upper"));
    upper->setObjectName(QStringLiteral("ToolBar1"));
    addToolBarBreak();
    auto* lower = addToolBar(QStringLiteral("lower"));
    lower->setObjectName(QStringLiteral("ToolBar2"));
    for (QToolBar* bar : {upper, lower}) {
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setContextMenuPolicy(Qt::PreventContextMenu);
        bar->setIconSize(QSize(20, 20));
    }
    BuildUpperToolBar(upper);
    BuildLowerToolBar(lower);

    Panel = new QWidget(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setAutoFillBackground(true);
    Panel->setFocusPolicy(Qt::StrongFocus);
    iview = new TPreviewView(Panel);
    auto* panelLayout = new QVBoxLayout(Panel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->addWidget(iview);
    setCentralWidget(Panel);
    BuildStatusBar();
    BuildPopupMenu();
    BuildHelpMenu();
    edgeform = new Tedgeform(*FGate, this);
    Form6 = new TForm6(*FGate, this);
    resizeform = new Tresizeform(*this);
    Form4 = new TForm4(FUi, *FGate, this);
    Form4->PictureArrived = [this] { bufferitem->setEnabled(true); };
    Form4->PreviewPicture = [this] { return iview->Picture(); };

    setAcceptDrops(true);
    FEffects = std::make_unique<TEffectsLauncher>(FExeDir / kEffectsProgram);
    FPrinter = std::make_unique<TPicturePrinter>();
    ToolButton8->setEnabled(FEffects->Available());
    if (!FEffects->Available())
        ToolButton8->setToolTip(
            tr("画像エフェクトプログラム %1 が見つかりません（Quilmo と同じフォルダー %2 に置くと使えます）")
                .arg(QString::fromLatin1(kEffectsProgram), QString::fromStdString(FExeDir.string())));
    // The designed width, or wider where the language's words need more room for the tool bars.
    const int barsWidth = std::max(upper->sizeHint().width(), lower->sizeHint().width());
    setGeometry(294, 165, std::max(kDesignedWidth, barsWidth), 466);
    ShowJoinColor(clWhite);
    SetPanelColor(FPanelColor);
    bufferbtnAction->setVisible(false);
    DisableImageCommands();
    ReadSettings();
    Form2 = new TForm2(*this);

    ConnectControls();
    for (QComboBox* combo :
         {combo2, combo3, aligncombo, viewbox, edgecombo, bcombo, Combo, ComboBox1})
        FocusPanelAfterClick(combo);
    for (QSpinBox* spin : {gasu, wrapspin, SpinEdit, jpgoption}) FocusPanelAfterClick(spin);
    for (QWidget* control : std::initializer_list<QWidget*>{Combo, jpgoption, combo2, combo3,
                                                           viewbox, ComboBox1})
        WatchKeys(control);

    iview->CanStartDrag = [this](QPoint point) {
        return !FGate->Busy() && FDocument->BeginDrag({point.x(), point.y()});
    };
    connect(iview, &TPreviewView::ContextMenuRequested, this, &TForm1::PreviewContextMenu);
    connect(iview, &TPreviewView::Resized, this, &TForm1::ViewResized);
    FResizeSettle = new QTimer(this);
    FResizeSettle->setSingleShot(true);
    FResizeSettle->setInterval(kResizeSettleMs);
    connect(FResizeSettle, &QTimer::timeout, this, [this] { FDocument->ViewResized(); });
    edgeform->Accepted = [this](const TRect& widths) {
        Guarded([&] { FDocument->SetFrameRect(widths); });
    };
}

void TForm1::ConnectControls()
{
    // While a command of the window's own runs, what it leaves the document to do waits for it.
    connect(FGate.get(), &TCommandGate::Started, this, [this] { FDocument->HoldPendingWork(); });
    connect(FGate.get(), &TCommandGate::Ending, this, [this] { FDocument->ReleasePendingWork(); });
    connect(FGate.get(), &TCommandGate::Refused, this, &TForm1::ShowRefusal);

    TCommandGate& gate = *FGate;
    gate.Connect(openbtn, &QToolButton::clicked, this, &TForm1::openbtnClick);
    gate.Connect(batchbtn, &QToolButton::clicked, this, &TForm1::batchbtnClick);
    gate.Connect(gasu, &QSpinBox::valueChanged, this, &TForm1::gasuChange);
    gate.Connect(combo2, &QComboBox::currentIndexChanged, this, &TForm1::combo2Change);
    gate.Connect(wrapspin, &QSpinBox::valueChanged, this, &TForm1::wrapspinChange);
    gate.Connect(combo3, &QComboBox::currentIndexChanged, this, &TForm1::combo3Change);
    gate.Connect(aligncombo, &QComboBox::currentIndexChanged, this, &TForm1::aligncomboChange);
    gate.Connect(SpinEdit, &QSpinBox::valueChanged, this, &TForm1::SpinEditChange);
    gate.Connect(ToolButton26, &QToolButton::clicked, this, &TForm1::ToolButton26Click);
    gate.Connect(ToolButton22, &QToolButton::clicked, this, &TForm1::ToolButton22Click);
    gate.Connect(edgecombo, &QComboBox::currentIndexChanged, this, &TForm1::edgecomboChange);
    gate.Connect(bcombo, &QComboBox::currentIndexChanged, this, &TForm1::bcomboChange);
    gate.Connect(viewbox, &QComboBox::currentIndexChanged, this, &TForm1::viewboxChange);
    gate.Connect(bufferbtn, &QToolButton::clicked, this, &TForm1::bufferbtnClick);
    gate.Connect(ToolButton20, &QToolButton::clicked, this, &TForm1::ToolButton20Click);
    gate.Connect(savebtn, &QToolButton::clicked, this, &TForm1::savebtnClick);
    gate.Connect(resavebtn, &QToolButton::clicked, this, &TForm1::resavebtnClick);
    gate.Connect(Combo, &QComboBox::currentIndexChanged, this, &TForm1::ComboChange);
    gate.Connect(srgbbox, &QCheckBox::clicked, this, &TForm1::srgbboxClick);
    gate.Connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm1::ComboChange);
    gate.Connect(copybtn, &QToolButton::clicked, this, &TForm1::copybtnClick);
    gate.Connect(ToolButton8, &QToolButton::clicked, this, &TForm1::ToolButton8Click);
    gate.Connect(printbtn, &QToolButton::clicked, this, &TForm1::printbtnClick);
    gate.Connect(setbtn, &QToolButton::clicked, this, &TForm1::setbtnClick);
    gate.Connect(swapbtn, &QToolButton::clicked, this, &TForm1::swapbtnClick);
    gate.Connect(clearbtn, &QToolButton::clicked, this, &TForm1::clearbtnClick);
    gate.Connect(ToolButton7, &QToolButton::clicked, this, &QWidget::close);
    gate.Connect(iview, &TPreviewView::PictureDropped, this, &TForm1::PreviewDrop);
    KeepAccessKeysOnWindow();
}

void TForm1::KeepAccessKeysOnWindow()
{
    for (QToolButton* button : {openbtn, savebtn, setbtn, ToolButton7}) {
        auto* key = new QShortcut(QKeySequence::mnemonic(button->text()), this);
        key->setObjectName(button->objectName() + QStringLiteral("Key"));
        // A disabled button ignores the click, as it would ignore the key.
        connect(key, &QShortcut::activated, button, &QAbstractButton::click);
        button->setShortcut({});
    }
}

void TForm1::ShowRefusal()
{
    statusBar()->showMessage(tr("処理中のため実行できません"), kRefusalShownMs);
}

TForm1::~TForm1() = default;

void TForm1::Start()
{
    FGate->Run(this, "start", [this] {
        // A stored folder that is gone is no choice of the user's any more.
        std::error_code error;
        const bool userFolder = !FSusieDir.empty() && std::filesystem::is_directory(FSusieDir, error);
        Guarded([&] { SetupSusiePlugins(userFolder ? FSusieDir : std::string()); });
        std::vector<std::string> arguments;
        for (const QString& argument : FArguments) arguments.push_back(argument.toStdString());
        Guarded([&] { FLoader->LoadCommandLine(arguments); });
    });
}

void TForm1::Guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::bad_alloc&) {
        FUi.ShowError(this, ShownText(UI_TEXT("quilmo", "メモリーが足りません")));
    } catch (const std::exception& e) {
        FUi.ShowError(this, QString::fromUtf8(e.what()));
    }
}

// --- what the document asks of the window

std::string TForm1::StatusText() const
{
    return StatusPanel0->text().toStdString();
}

void TForm1::SetStatusText(const std::string& text)
{
    StatusPanel0->setText(ShownText(text));
}

void TForm1::ShowProgressBar()
{
    // Just above the status line, in the right half of the window.
    const int top = statusBar()->geometry().top() - 20 - centralWidget()->geometry().top();
    ProgressBar1->setGeometry(width() / 2 + 20, top, width() / 2 - 36, 16);
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    ProgressBar1->raise();
}

void TForm1::StepProgressBar(int32_t step)
{
    ProgressBar1->setValue(std::min(ProgressBar1->value() + step, ProgressBar1->maximum()));
}

void TForm1::SetProgressPosition(int32_t position)
{
    ProgressBar1->setValue(position);
}

void TForm1::HideProgressBar()
{
    ProgressBar1->hide();
}

void TForm1::ProcessMessages()
{
    ProgressBar1->repaint();
    QCoreApplication::processEvents();
}

void TForm1::WaitForInput()
{
    // Input is handled as it comes, not when the work next looks for it.
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TForm1::WakeWaiting()
{
    FEventDispatcher->wakeUp();
}

void TForm1::EnableImageCommands()
{
    FImageCommandsOn = true;
    UpdateCommandStates();
}

void TForm1::DisableImageCommands()
{
    FImageCommandsOn = false;
    UpdateCommandStates();
}

void TForm1::UpdateCommandStates()
{
    for (QObject* control : std::initializer_list<QObject*>{savebtn, resavebtn, copybtn, swapbtn, printbtn,
                                                           clearbtn, Copy1, delpicitem, popswap, clearitem})
        FGate->SetAvailable(control, FImageCommandsOn);
}

void TForm1::BusyChanged(bool busy)
{
    // Most work of the document runs inside a command of the gate; the rest (following the
    // view's size) keeps other commands waiting all the same.
    FGate->SetWorking(busy);
}

void TForm1::CountChanged(int32_t count)
{
    const QSignalBlocker blocker(gasu);
    gasu->setValue(count);
}

void TForm1::FrameOnChanged(bool frameOn)
{
    const QSignalBlocker blocker(edgecombo);
    edgecombo->setCurrentIndex(frameOn ? 1 : 0);
}

void TForm1::SettingsRestored(const TJoinSettings& settings)
{
    ShowJoinSettings(settings);
}

TSize TForm1::ViewSize() const
{
    return {iview->width(), iview->height()};
}

void TForm1::ShowPreview(const TBigBitmap* picture, bool scaled)
{
    iview->SetPicture(picture, scaled);
}

void TForm1::SetPrintOrientation(int32_t index)
{
    const QSignalBlocker blocker(ComboBox1);
    ComboBox1->setCurrentIndex(index);
}

void TForm1::ShowError(const std::string& message)
{
    FUi.ShowError(this, ShownText(message));
}

void TForm1::ShowErrorOkCancel(const std::string& message)
{
    FUi.ShowErrorOkCancel(this, ShownText(message));
}

// --- the window's own events

void TForm1::ViewResized()
{
    StatusPanel0->setFixedWidth(std::max(statusBar()->width() - 10, 0));
    if (!isVisible()) return;
    const TBigBitmap& joined = FDocument->Joined();
    const bool reduces = FDocument->Settings().PreviewMode == pmPretty && !joined.GetEmpty() &&
                         (joined.GetWidth() > iview->width() || joined.GetHeight() > iview->height());
    if (!reduces) {
        FDocument->ViewResized();
        return;
    }
    // Reducing a large picture anew for every step of a window drag would make the drag
    // stutter: until the size settles, the preview scales the picture while drawing.
    // Other colours than sRGB are shown through the document's sRGB stand-in.
    iview->SetPicture(FDocument->JoinedProfile().IsSRGB() ? &joined : iview->Picture(), true);
    FResizeSettle->start();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // Refused while another command runs.
    event->ignore();
    FGate->Run(this, "close", [&] {
        if (Form2->isVisible() &&
            FUi.AskYesNoCancel(this, tr("一括処理ウィンドウが開いていますが、終了しますか？")) !=
                QMessageBox::Yes)
            return;
        if (resizeform->isVisible() || Form2->Form3->isVisible()) return;
        // A settings file that cannot be written must not keep the user from leaving.
        Guarded([&] { WriteSettings(FIniPath, CurrentSettings(), Form2->Settings()); });
        setAcceptDrops(false);
        Form2->hide();
        edgeform->hide();
        Form6->hide();
        Form4->hide();
        event->accept();
    });
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    // A key a watched control passed on has been counted there already.
    if (TCountedKey{event->timestamp(), event->key()} != FCountedKey) KeyPressed(event->key());
    QMainWindow::keyPressEvent(event);
}

void TForm1::KeyPressed(int key)
{
    keyPressed = true;
    // A batch print stops for keys pressed here as well.
    Form2->Run().KeyDown(key == Qt::Key_Escape);
    if (key == Qt::Key_Escape && FPrinter->Printing()) {
        FPrinter->Abort();
        FUi.ShowInformation(this, tr("印刷を中止しました"));
    }
}

void TForm1::WatchKeys(QWidget* control)
{
    control->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        FCountedKey = {key->timestamp(), key->key()};
        KeyPressed(key->key());
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::FocusPanelAfterClick(QComboBox* combo)
{
    connect(combo, &QComboBox::activated, Panel, [this] { Panel->setFocus(); });
}

void TForm1::FocusPanelAfterClick(QSpinBox* spin)
{
    // Only arrow clicks: a number being typed keeps its focus.
    connect(spin, &QSpinBox::valueChanged, Panel, [this] {
        if (QApplication::mouseButtons() != Qt::NoButton) Panel->setFocus();
    });
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!FGate->Busy() && event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TForm1::dropEvent(QDropEvent* event)
{
    std::vector<std::string> names;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) names.push_back(url.toLocalFile().toStdString());
    event->acceptProposedAction();
    FGate->Run(this, "drop", [&] { Guarded([&] { FLoader->DropFiles(names); }); });
}

void TForm1::PreviewContextMenu(QPoint point)
{
    // The point is the items' own: a command that runs may still be working on the last one.
    FMenuPoint = point;
    FGate->SetAvailable(Paste1, HoldsPicture(FUi.ClipboardData()));
    if (bufferitem->isEnabled())
        for (int k = 1; k <= 3; ++k) FGate->SetAvailable(bufferitems[k - 1], Form4->Image(k)->HasPicture());
    PopupMenu1->popup(iview->mapToGlobal(point));
}

void TForm1::PreviewDrop(QPoint point, const QString& source)
{
    if (source == kPreviewDragSource) {
        Guarded([&] { FDocument->DropAt({point.x(), point.y()}); });
        return;
    }
    if (const std::optional<int> k = BufferOfDragSource(source)) {
        FDocument->FClickPoint = {point.x(), point.y()};
        PasteFromBuffer(*k);
    }
}

}  // namespace quilmo
