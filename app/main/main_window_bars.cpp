// The main window's two tool bars and its status line.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/join_settings.h"
#include "main_window.h"
#include "app/shell/tool_icons.h"

namespace quilmo {

namespace {

// A hint may carry a long text after "|", which the status line shows.
void SetHint(QWidget* control, const QString& hint)
{
    const QString shortHint = hint.section(QLatin1Char('|'), 0, 0);
    control->setToolTip(shortHint);
    control->setStatusTip(hint.section(QLatin1Char('|'), 1));
    if (control->accessibleName().isEmpty()) control->setAccessibleName(shortHint);
}

template <typename Control>
Control* Named(Control* control, const char* name, const QString& hint)
{
    control->setObjectName(QString::fromLatin1(name));
    SetHint(control, hint);
    return control;
}

QToolButton* MakeButton(QWidget* parent, const char* name, const QString& hint, TToolIcon icon,
                    const QString& caption = {})
{
    auto* button = new QToolButton(parent);
    button->setIcon(ToolIcon(icon));
    if (!caption.isEmpty()) {
        // Shown as an icon to keep the tool bar short; the caption's "&" still makes its
        // access key (Alt and the letter).
        button->setText(caption);
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    }
    return Named(button, name, hint);
}

QComboBox* MakeCombo(QWidget* parent, const char* name, const QString& hint, const QStringList& items)
{
    auto* combo = new QComboBox(parent);
    combo->addItems(items);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return Named(combo, name, hint);
}

QSpinBox* MakeSpin(QWidget* parent, const char* name, const QString& hint, int minimum, int maximum)
{
    auto* spin = new QSpinBox(parent);
    spin->setRange(minimum, maximum);
    return Named(spin, name, hint);
}

QLabel* Caption(QToolBar* bar, const QString& text)
{
    auto* label = new QLabel(text, bar);
    label->setContentsMargins(4, 0, 2, 0);
    bar->addWidget(label);
    return label;
}

}  // namespace

void TForm1::BuildUpperToolBar(QToolBar* bar)
{
    Caption(bar, tr("ファイル"));
    openbtn = MakeButton(bar, "openbtn", tr("画像を開く"), TToolIcon::Open,
                     tr("画像を開く(&O)..."));
    bar->addWidget(openbtn);
    batchbtn = MakeButton(bar, "batchbtn", tr("バッチ処理 （保存/印刷）"), TToolIcon::Batch);
    bar->addWidget(batchbtn);

    Caption(bar, tr("画像"));
    gasu = MakeSpin(bar, "gasu", tr("画像数"), 0, 6);
    gasu->findChild<QLineEdit*>()->setReadOnly(true);  // changed by its arrows only
    bar->addWidget(gasu);
    combo2 = MakeCombo(bar, "combo2", tr("連結方向"),
                   {tr("横"), tr("縦")});
    bar->addWidget(combo2);
    Caption(bar, tr("折返"));
    wrapspin = MakeSpin(bar, "wrapspin", tr("この枚数ごとに改行（縦は改列）"), 0,
                        kMaxWrap);
    wrapspin->setSpecialValueText(tr("なし"));
    wrapspin->findChild<QLineEdit*>()->setReadOnly(true);  // changed by its arrows only
    bar->addWidget(wrapspin);
    combo3 = MakeCombo(bar, "combo3", tr("結合方法"),
                   {tr("   原寸"), tr(" Biliniar"), tr(" Bicubic"), tr("Lagrange"), tr("Lanczos")});
    bar->addWidget(combo3);
    // Its items say what it does; a caption would not leave the bar room in the window.
    aligncombo = MakeCombo(bar, "aligncombo", tr("揃え（原寸で並べる画像の位置）"),
                           {tr("上・左"), tr("中央"),
                            tr("下・右")});
    bar->addWidget(aligncombo);

    Caption(bar, tr("間隔"));
    SpinEdit = MakeSpin(bar, "SpinEdit", tr("画像の間隔（ピクセル）"), 0, 50);
    SpinEdit->findChild<QLineEdit*>()->setMaxLength(2);
    bar->addWidget(SpinEdit);
    QLabel* times = Caption(bar, QStringLiteral("X10"));
    QFont bold = times->font();
    bold.setBold(true);
    times->setFont(bold);
    ToolButton26 = Named(new QToolButton(bar), "ToolButton26", tr("余白・縁取りの色"));
    bar->addWidget(ToolButton26);
    ToolButton22 =
        MakeButton(bar, "ToolButton22", tr("縁取りサイズ"), TToolIcon::Frame);
    bar->addWidget(ToolButton22);
    edgecombo = MakeCombo(bar, "edgecombo", tr("縁取りの有無を設定"),
                      {tr("枠無"), tr("枠有")});
    bar->addWidget(edgecombo);

    Caption(bar, tr("表示"));
    viewbox = MakeCombo(bar, "viewbox", tr("表示方法"),
                    {tr("きれい"), tr("はやい")});
    bar->addWidget(viewbox);
    ToolButton20 = Named(new QToolButton(bar), "ToolButton20", tr("背景色の指定"));
    bar->addWidget(ToolButton20);
}

void TForm1::BuildLowerToolBar(QToolBar* bar)
{
    savebtn = MakeButton(bar, "savebtn", tr("画像の保存"), TToolIcon::Save,
                     tr("画像の保存(&S)..."));
    bar->addWidget(savebtn);
    resavebtn = MakeButton(bar, "resavebtn", tr("リサイズ保存"), TToolIcon::ResizeSave);
    bar->addWidget(resavebtn);
    Combo = MakeCombo(bar, "Combo", tr("保存形式"),
                          {QStringLiteral("JPG"), QStringLiteral("BMP"), QStringLiteral("PNG"), QStringLiteral("WebP")});
    bar->addWidget(Combo);
    jpgoption = MakeSpin(bar, "jpgoption", tr("ＪＰＧ保存時のクウォリティ"), 10, 100);
    jpgoption->setValue(85);
    jpgoption->findChild<QLineEdit*>()->setReadOnly(true);  // stepped with the arrows only
    jpgoptionAction = bar->addWidget(jpgoption);
    // The two ways of writing a JPEG file share one place, one above the other: side by side
    // they would push the last buttons out of the designed window.
    auto* jpegChecks = new QWidget(bar);
    jpegChecks->setObjectName(QStringLiteral("jpegchecks"));
    losslessbox = Named(new QCheckBox(tr("無劣化"), jpegChecks), "losslessbox",
                        tr("無劣化で JPEG 保存|JPEG 画像をデコードせず、それぞれの DCT 係数のまま結合して"
                           "保存します（原寸で、ブロックの境界がそろうとき）"));
    progbox = Named(new QCheckBox(tr("プログレッシブ"), jpegChecks), "progbox",
                    tr("プログレッシブ"));
    auto* stacked = new QVBoxLayout(jpegChecks);
    stacked->setContentsMargins(0, 0, 0, 0);
    stacked->setSpacing(0);
    stacked->addWidget(losslessbox);
    stacked->addWidget(progbox);
    bar->addWidget(jpegChecks);
    srgbbox = Named(new QCheckBox(QStringLiteral("sRGB"), bar), "srgbbox",
                    tr("常に sRGB に変換する|色の管理をしない表示先のために、プロファイルを付けず"
                       "すべての画像を sRGB に変換して結合します"));
    bar->addWidget(srgbbox);
    ToolButton8 = MakeButton(bar, "ToolButton8", tr("モルヴァンを起動"), TToolIcon::Effects);
    bar->addWidget(ToolButton8);
    copybtn = MakeButton(bar, "copybtn", tr("画像のコピー"), TToolIcon::Copy);
    bar->addWidget(copybtn);
    swapbtn = MakeButton(bar, "swapbtn", tr("画像入れ替え"), TToolIcon::Reverse);
    bar->addWidget(swapbtn);
    clearbtn = MakeButton(bar, "clearbtn", tr("クリア"), TToolIcon::Clear);
    bar->addWidget(clearbtn);

    // The copy buffer sits on the output bar with the copy it keeps, which leaves the upper bar
    // room for the layout of the join.
    Caption(bar, tr("バッファ"));
    bcombo = MakeCombo(bar, "bcombo", tr("使用するとよりメモリーを消費します"),
                   {tr("不可"), tr("使用")});
    bar->addWidget(bcombo);
    bufferbtn = MakeButton(bar, "bufferbtn", tr("コピーバッファの表示"), TToolIcon::Buffer);
    bufferbtnAction = bar->addWidget(bufferbtn);

    Caption(bar, tr("印刷"));
    printbtn = MakeButton(bar, "printbtn", tr("印刷"), TToolIcon::Print);
    bar->addWidget(printbtn);
    ComboBox1 = MakeCombo(bar, "ComboBox1", tr("印刷方向"),
                              {tr("水平"), tr("垂直")});
    bar->addWidget(ComboBox1);
    setbtn = MakeButton(bar, "setbtn", tr("プリンタの設定"), TToolIcon::PrinterSetup,
                    tr("プリンタの設定(&U)..."));
    bar->addWidget(setbtn);
    ToolButton7 = MakeButton(bar, "ToolButton7", tr("終了|アプリケーションを終了する"),
                         TToolIcon::Exit, tr("終了(&X)"));
    bar->addWidget(ToolButton7);
    helpbtn = MakeButton(bar, "helpbtn", tr("ヘルプ"), TToolIcon::Help);
    helpbtn->setPopupMode(QToolButton::InstantPopup);
    bar->addWidget(helpbtn);
}

void TForm1::BuildStatusBar()
{
    // A label without an accessible name of its own is known by its text, and tells assistive
    // technology whenever the text changes: the panels are read as they change.
    StatusPanel0 = new QLabel(statusBar());
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setAccessibleDescription(QStringLiteral("StatusBar panel 0"));
    StatusPanel0->setFixedWidth(640);
    StatusPanel1 = new QLabel(statusBar());
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setAccessibleDescription(QStringLiteral("StatusBar panel 1"));
    StatusPanel1->setFixedWidth(4);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(StatusPanel0);
    statusBar()->addWidget(StatusPanel1);

    ProgressBar1 = new QProgressBar(Panel);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setAccessibleName(tr("Progress"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
}

}  // namespace quilmo
