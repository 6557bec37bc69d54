#include "batch_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "batch/batch_lists.h"
#include "batch/batch_run.h"
#include "batch_list_box.h"
#include "batch_preview.h"
#include "batch_progress_window.h"
#include "app/main/main_window.h"
#include "app/shell/command_gate.h"
#include "radio_group.h"

namespace quilmo {

namespace {

constexpr int kMinimumWidth = 376;
constexpr int kPreviewHeight = 160;
constexpr int kButtonPadding = 12;
QStringList JoinMethods()
{
    return {TForm2::tr("   原寸"), TForm2::tr(" Biliniar"), TForm2::tr(" Bicubic"),
            TForm2::tr("Lagrange "), TForm2::tr("Lanczos")};
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& hint = {})
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    // Wide enough for the caption only, so that four fit below a narrow list.
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(caption) + kButtonPadding);
    button->setAccessibleName(caption);
    button->setToolTip(hint);
    return button;
}

// The control's designer name, and the name screen readers say.
template <typename Control>
Control* Named(Control* control, const char* name, const QString& accessibleName)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setAccessibleName(accessibleName);
    return control;
}

// A control without a caption is named by its hint.
template <typename Control>
Control* Hinted(Control* control, const char* name, const QString& hint)
{
    control->setToolTip(hint);
    return Named(control, name, hint);
}

QSpinBox* MakeSpin(QWidget* parent, const char* name, const QString& hint, int minimum, int maximum,
                   int value)
{
    auto* spin = Hinted(new QSpinBox(parent), name, hint);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    return spin;
}

QComboBox* MakeCombo(QWidget* parent, const char* name, const QString& hint,
                     const QStringList& items)
{
    auto* combo = Hinted(new QComboBox(parent), name, hint);
    combo->addItems(items);
    return combo;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption)
{
    return Named(new QCheckBox(caption, parent), name, caption);
}

// A label in front of control that names it to the keyboard and to screen readers.
QLabel* LabelFor(QWidget* control, const QString& text)
{
    auto* label = new QLabel(text, control->parentWidget());
    label->setBuddy(control);
    return label;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> controls)
{
    auto* row = new QHBoxLayout;
    for (QWidget* control : controls) row->addWidget(control);
    return row;
}

// A list with its four buttons and the settings below it.
void ListColumn(QWidget* column, TBatchListBox* list, std::initializer_list<QWidget*> buttons,
                QWidget* settings)
{
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list, 1);
    layout->addLayout(Row(buttons));
    layout->addWidget(settings);
}

}  // namespace

TForm2::TForm2(TForm1& main) : QWidget(&main, Qt::Window | Qt::WindowStaysOnTopHint), FMain(main)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("Quilmo (^｡^) バッチ処理"));
    setAcceptDrops(true);
    FLists = std::make_unique<TBatchLists>(*this);
    FRun = std::make_unique<TBatchRun>(*this);
    Form3 = new TForm3(*FRun, main.Gate(), this);

    auto* left = new QWidget(this);
    left->setObjectName(QStringLiteral("Panel1"));
    auto* right = new QWidget(this);
    right->setObjectName(QStringLiteral("Panel2"));
    ListBox1 = new TBatchListBox("ListBox1", tr("左　or　下画像"), left);
    ListBox2 = new TBatchListBox("ListBox2", tr("右　or 上画像"), right);
    Button6 = MakeButton(left, "Button6", tr("ソート"));
    Button3 = MakeButton(left, "Button3", tr("上へ"));
    Button4 = MakeButton(left, "Button4", tr("下へ"));
    Button5 = MakeButton(left, "Button5", tr("削除"), tr("Delete"));
    Button8 = MakeButton(right, "Button8", tr("ソート"));
    Button9 = MakeButton(right, "Button9", tr("上へ"));
    Button7 = MakeButton(right, "Button7", tr("下へ"));
    Button10 = MakeButton(right, "Button10", tr("削除"), tr("Delete"));
    QWidget* joinPanel = BuildJoinPanel();
    QWidget* outputPanel = BuildOutputPanel();
    // The rows of the two lists pair up, so the lists are kept the same height.
    const int panelHeight =
        std::max(joinPanel->sizeHint().height(), outputPanel->sizeHint().height());
    joinPanel->setFixedHeight(panelHeight);
    outputPanel->setFixedHeight(panelHeight);
    ListColumn(left, ListBox1, {Button6, Button3, Button4, Button5}, joinPanel);
    ListColumn(right, ListBox2, {Button8, Button9, Button7, Button10}, outputPanel);
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(left);
    Splitter1->addWidget(right);

    FPreviewStrip = new QWidget(this);
    FPreviewStrip->setObjectName(QStringLiteral("Panel3"));
    FPreviewStrip->setFixedHeight(kPreviewHeight);
    Image1 = new TBatchPreview("Image1", tr("左画像"), FPreviewStrip);
    Image2 = new TBatchPreview("Image2", tr("右画像"), FPreviewStrip);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Splitter1, 1);
    layout->addWidget(FPreviewStrip);

    // Narrow enough for small screens, and never so narrow that a caption is cut.
    setMinimumWidth(std::max(kMinimumWidth, layout->minimumSize().width()));
    ConnectControls();
    ReadSettings(main.IniPath());
    resize(std::max(minimumWidth(), 560), 760);
    move(main.pos() + QPoint(100, 50));
}

TForm2::~TForm2() = default;

QWidget* TForm2::BuildJoinPanel()
{
    auto* panel = new QWidget(this);
    RadioGroup2 = new TRadioGroup("RadioGroup2", tr("結合方向"),
                                  {tr("横"), tr("縦（右が上）")}, 2, panel);
    combo3 = MakeCombo(panel, "combo3", tr("結合方法"), JoinMethods());
    Spin = MakeSpin(panel, "Spin", tr("画像の間隔（ピクセル）"), 0, kMaxBatchGap, 0);
    Spin->setSingleStep(10);
    Panel5 = Named(new QToolButton(panel), "Panel5", tr("余白の色"));
    RadioGroup3 = new TRadioGroup("RadioGroup3", tr("保存形式"),
                                  {QStringLiteral("BMP"), QStringLiteral("JPG"), QStringLiteral("WebP"),
                                   QStringLiteral("PNG")},
                                  4, panel);
    jpgspin = MakeSpin(panel, "jpgspin", tr("JPG品質"), 10, 100, 85);
    prog = MakeCheck(panel, "prog", tr("Progress"));
    losslesscheck = MakeCheck(panel, "losslesscheck", tr("無劣化"));
    losslesscheck->setToolTip(tr("JPEG 画像をデコードせず、それぞれの DCT 係数のまま結合して保存します"
                                 "（原寸で、ブロックの境界がそろうとき。そろわない組はエラーになります）"));
    srgbcheck = MakeCheck(panel, "srgbcheck", tr("常に sRGB に変換する"));
    srgbcheck->setToolTip(tr("色の管理をしない表示先のために、プロファイルを付けず"
                             "すべての画像を sRGB に変換して結合します"));
    RadioGroup1 = new TRadioGroup("RadioGroup1", tr("印刷方向"),
                                  {tr("水平"), tr("垂直")}, 2, panel);
    Button11 = MakeButton(panel, "Button11", tr("クリア"));
    Button12 = MakeButton(panel, "Button12", tr("追加"));
    Button13 =
        MakeButton(panel, "Button13", tr("入れ替え"), tr("左右入れ替え"));

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->addWidget(RadioGroup2, 0, 0, 1, 3);
    grid->addWidget(LabelFor(combo3, tr("リサイズ方法")), 1, 0);
    grid->addWidget(combo3, 1, 1, 1, 2);
    grid->addWidget(LabelFor(Spin, tr("間隔")), 2, 0);
    grid->addWidget(Spin, 2, 1, 1, 2);
    grid->addWidget(LabelFor(Panel5, tr("余白の色")), 3, 0);
    grid->addWidget(Panel5, 3, 1, Qt::AlignLeft);
    grid->addWidget(RadioGroup3, 4, 0, 1, 3);
    grid->addWidget(LabelFor(jpgspin, tr("JPG設定")), 5, 0);
    grid->addWidget(jpgspin, 5, 1);
    grid->addLayout(Row({prog, losslesscheck}), 5, 2);
    grid->addWidget(srgbcheck, 6, 0, 1, 3);
    grid->addWidget(RadioGroup1, 7, 0, 1, 3);
    grid->setRowStretch(8, 1);
    grid->addLayout(Row({Button11, Button12, Button13}), 9, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    return panel;
}

QWidget* TForm2::BuildOutputPanel()
{
    auto* panel = new QWidget(this);
    CheckBox3 = MakeCheck(panel, "CheckBox3", tr("リサイズ保存"));
    wspin = MakeSpin(panel, "wspin", tr("幅"), kMinResizeSide, kMaxResizeSide, 640);
    hspin = MakeSpin(panel, "hspin", tr("高さ"), kMinResizeSide, kMaxResizeSide, 480);
    CheckBox4 = MakeCheck(panel, "CheckBox4", tr("幅固定"));
    CheckBox5 = MakeCheck(panel, "CheckBox5", tr("高さ固定"));
    ComboBox1 = MakeCombo(panel, "ComboBox1", tr("リサイズ保存のアルゴリズム"),
                          JoinMethods().mid(1));
    fileGroup =
        new TRadioGroup("fileGroup", tr("保存ファイル名"),
                        {tr("連番ファイル"), tr("同名保存"),
                         tr("先頭に文字を追加"), tr("末尾に文字を追加")},
                        1, panel);
    Edit1 = Named(new QLineEdit(panel), "Edit1", tr("保存ファイル名の文字"));
    Radio1 = Named(new QRadioButton(tr("同一フォルダー"), panel), "Radio1",
                   tr("同一フォルダー"));
    Radio2 = Named(new QRadioButton(tr("フォルダー指定"), panel), "Radio2",
                   tr("フォルダー指定"));
    Radio1->setChecked(true);
    Edit2 = Named(new QLineEdit(panel), "Edit2", tr("保存フォルダー"));
    Button1 = MakeButton(panel, "Button1", tr("一括保存"));
    Button2 = MakeButton(panel, "Button2", tr("一括印刷"),
                         tr("ESCキーで中止できます。"));

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->addWidget(CheckBox3, 0, 0, 1, 4);
    grid->addWidget(wspin, 1, 0, 1, 2);
    grid->addWidget(hspin, 1, 2, 1, 2);
    grid->addWidget(CheckBox4, 2, 0, 1, 2);
    grid->addWidget(CheckBox5, 2, 2, 1, 2);
    grid->addWidget(LabelFor(ComboBox1, tr("リサイズ方法")), 3, 0);
    grid->addWidget(ComboBox1, 3, 1, 1, 3);
    grid->addWidget(fileGroup, 4, 0, 1, 4);
    grid->addWidget(Edit1, 5, 0, 1, 4);
    grid->addWidget(Radio1, 6, 0, 1, 4);
    grid->addWidget(Radio2, 7, 0, 1, 4);
    grid->addWidget(LabelFor(Edit2, tr("保存フォルダー")), 8, 0, 1, 4);
    grid->addWidget(Edit2, 9, 0, 1, 4);
    grid->setRowStretch(10, 1);
    grid->addLayout(Row({Button1, Button2}), 11, 0, 1, 4);
    return panel;
}

void TForm2::ConnectControls()
{
    const std::pair<QPushButton*, void (TForm2::*)()> buttons[] = {
        {Button12, &TForm2::Button12Click}, {Button6, &TForm2::Button6Click},
        {Button8, &TForm2::Button8Click},   {Button3, &TForm2::Button3Click},
        {Button9, &TForm2::Button9Click},   {Button4, &TForm2::Button4Click},
        {Button7, &TForm2::Button7Click},   {Button5, &TForm2::Button5Click},
        {Button10, &TForm2::Button10Click}, {Button11, &TForm2::Button11Click},
        {Button13, &TForm2::Button13Click}, {Button1, &TForm2::Button1Click},
        {Button2, &TForm2::Button2Click}};
    TCommandGate& gate = FMain.Gate();
    for (const auto& [button, click] : buttons) gate.Connect(button, &QPushButton::clicked, this, click);
    gate.Connect(ListBox1, &QListWidget::currentRowChanged, this, &TForm2::ListBox1Click);
    gate.Connect(ListBox1, &QListWidget::clicked, this, &TForm2::ListBox1Click);
    gate.Connect(ListBox2, &QListWidget::currentRowChanged, this, &TForm2::ListBox2Click);
    gate.Connect(ListBox2, &QListWidget::clicked, this, &TForm2::ListBox2Click);
    gate.Connect(ListBox1, &TBatchListBox::RowPressed, this, &TForm2::ListBox1MouseDown);
    gate.Connect(ListBox2, &TBatchListBox::RowPressed, this, &TForm2::ListBox2MouseDown);
    gate.Connect(ListBox1, &TBatchListBox::RowDraggedOver, this, &TForm2::ListBox1DragOver);
    gate.Connect(ListBox2, &TBatchListBox::RowDraggedOver, this, &TForm2::ListBox2DragOver);
    gate.Connect(ListBox1, &TBatchListBox::RowDropped, this, &TForm2::ListBox1DragDrop);
    gate.Connect(ListBox2, &TBatchListBox::RowDropped, this, &TForm2::ListBox2DragDrop);
    gate.Connect(RadioGroup2, &TRadioGroup::Clicked, this, &TForm2::RadioGroup2Click);
    gate.Connect(CheckBox3, &QCheckBox::clicked, this, &TForm2::CheckBox3Click);
    gate.Connect(Radio2, &QRadioButton::clicked, this, &TForm2::Radio2MouseUp);
    gate.Connect(Panel5, &QToolButton::clicked, this, &TForm2::Panel5Click);
    for (QWidget* box : KeyBoxes()) box->installEventFilter(this);
}

std::array<QWidget*, 6> TForm2::KeyBoxes() const
{
    return {combo3, Spin, jpgspin, wspin, hspin, ComboBox1};
}

// --- the window's own events

void TForm2::showEvent(QShowEvent* event)
{
    if (event->spontaneous()) return;  // restored from the task bar
    FLists->Shown();
    FormResize();
    FRun->ClearStopRequest();
}

void TForm2::hideEvent(QHideEvent* event)
{
    if (event->spontaneous()) return;  // minimised
    FRun->ClearStopRequest();
    FLists->Hidden();
}

void TForm2::resizeEvent(QResizeEvent*)
{
    FormResize();
}

void TForm2::FormResize()
{
    const int column = width() / 2 - 4;
    Splitter1->setSizes({column, Splitter1->width() - Splitter1->handleWidth() - column});
    const QSize strip = FPreviewStrip->size();
    if (RadioGroup2->ItemIndex() == jdVertical) {
        const int top = (strip.height() - 2) / 2;
        Image2->setGeometry(0, 0, strip.width(), top);
        Image1->setGeometry(0, top, strip.width(), strip.height() - top);
    } else {
        const int left = (width() - 10) / 2;
        Image1->setGeometry(0, 0, left, strip.height());
        Image2->setGeometry(left, 0, strip.width() - left, strip.height());
    }
}

void TForm2::closeEvent(QCloseEvent* event)
{
    // A run writes into the progress window until it is over.
    if (Form3->isVisible())
        event->ignore();
    else
        event->accept();
}

void TForm2::keyPressEvent(QKeyEvent* event)
{
    // A key that a box passes on to the window was counted on its way into the box.
    const QWidget* focus = QApplication::focusWidget();
    const std::array<QWidget*, 6> boxes = KeyBoxes();
    if (std::none_of(boxes.begin(), boxes.end(),
                     [focus](QWidget* box) { return box == focus || box->isAncestorOf(focus); }))
        FormKeyDown(event->key());
    QWidget::keyPressEvent(event);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) FormKeyDown(static_cast<QKeyEvent*>(event)->key());
    return QWidget::eventFilter(watched, event);
}

void TForm2::dragEnterEvent(QDragEnterEvent* event)
{
    if (!FMain.Gate().Busy() && event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TForm2::dropEvent(QDropEvent* event)
{
    std::vector<std::string> names;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) names.push_back(url.toLocalFile().toStdString());
    event->acceptProposedAction();
    FMain.Gate().Run(this, "drop", [&] { FLists->DropFiles(names); });
}

}  // namespace quilmo
