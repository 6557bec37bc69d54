#include "resize_save_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <utility>

#include "app/shell/command_gate.h"
#include "bigbitmap/big_bitmap.h"
#include "core/slot_document.h"
#include "app/main/main_window.h"
#include "output/format_limits.h"
#include "output/resize_save.h"

namespace quilmo {

namespace {

QLineEdit* SizeBox(QWidget* parent, const char* name, const QString& label)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(label);
    box->setValidator(new QIntValidator(kMinSaveSide, kMaxSaveSide, box));
    return box;
}

bool AllDigits(const QString& text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

Tresizeform::Tresizeform(TForm1& main)
    : QWidget(&main, Qt::Tool | Qt::WindowStaysOnTopHint), FMain(main)
{
    setObjectName(QStringLiteral("resizeform"));
    setWindowTitle(tr("保存サイズ"));
    Edit1 = SizeBox(this, "Edit1", tr("幅"));
    Edit2 = SizeBox(this, "Edit2", tr("高さ"));
    CheckBox1 = new QCheckBox(tr("倍"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox2 = new QCheckBox(tr("半分"), this);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    resamcombo = new QComboBox(this);
    resamcombo->setObjectName(QStringLiteral("resamcombo"));
    resamcombo->setEditable(true);
    resamcombo->setInsertPolicy(QComboBox::NoInsert);
    resamcombo->addItems({tr(" Bilenear"), tr(" Bicubic"), tr("Lagrange"), tr("Lanczos")});
    resamcombo->setToolTip(tr("拡大方法"));
    resamcombo->setAccessibleName(tr("拡大方法"));
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Button2"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("幅"), this), 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(CheckBox1, 0, 2);
    grid->addWidget(new QLabel(tr("高さ"), this), 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->addWidget(CheckBox2, 1, 2);
    grid->addWidget(new QLabel(tr("拡大方法"), this), 2, 0);
    grid->addWidget(resamcombo, 2, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 0, 1, 3);

    TCommandGate& gate = main.Gate();
    gate.Connect(ok, &QPushButton::clicked, this, &Tresizeform::Button1Click);
    gate.Connect(cancel, &QPushButton::clicked, this, &Tresizeform::Button2Click);
    gate.Connect(CheckBox1, &QCheckBox::toggled, this, &Tresizeform::CheckBox1Click);
    gate.Connect(CheckBox2, &QCheckBox::toggled, this, &Tresizeform::CheckBox2Click);
    Edit1->installEventFilter(this);
    Edit2->installEventFilter(this);
    ConnectCoupling();
}

void Tresizeform::ConnectCoupling()
{
    if (!FEdit1Link) FEdit1Link = connect(Edit1, &QLineEdit::textChanged, this, &Tresizeform::edit1on);
    if (!FEdit2Link) FEdit2Link = connect(Edit2, &QLineEdit::textChanged, this, &Tresizeform::edit2on);
}

void Tresizeform::DisconnectCoupling()
{
    disconnect(FEdit1Link);
    disconnect(FEdit2Link);
    FEdit1Link = {};
    FEdit2Link = {};
}

void Tresizeform::WriteSizes(int64_t width, int64_t height)
{
    Edit1->setText(QString::number(width));
    Edit2->setText(QString::number(height));
}

void Tresizeform::showEvent(QShowEvent*)
{
    move(FMain.pos() + QPoint(100, 100));
    const TBigBitmap& joined = FMain.Document().Joined();
    if (joined.GetEmpty()) return;
    if (CheckBox1->isChecked()) {
        WriteScaled(2, 1);
    } else if (CheckBox2->isChecked()) {
        WriteScaled(1, 2);
    } else {
        ConnectCoupling();
        WriteSizes(joined.GetWidth(), joined.GetHeight());
    }
}

void Tresizeform::Couple(QLineEdit* typed)
{
    // Keys that arrive while the other box is written are typed into a box all the same: the
    // box is remembered and followed once the pending messages have run.
    if (updating) {
        FTypedMeanwhile = typed;
        return;
    }
    updating = true;
    for (QLineEdit* box = typed; box; box = std::exchange(FTypedMeanwhile, nullptr)) {
        if (!AllDigits(box->text())) continue;
        CheckBox1->setChecked(false);
        CheckBox2->setChecked(false);
        Follow(box);
        QCoreApplication::processEvents();
    }
    updating = false;
}

void Tresizeform::Follow(QLineEdit* typed)
{
    const TBigBitmap& joined = FMain.Document().Joined();
    const bool width = typed == Edit1;
    const int32_t side = width ? joined.GetWidth() : joined.GetHeight();
    const int32_t otherSide = width ? joined.GetHeight() : joined.GetWidth();
    QLineEdit* other = width ? Edit2 : Edit1;
    bool read = false;
    const int value = typed->text().toInt(&read);
    if (!read || side <= 0) return;
    // Our own writing is no typing.
    const QSignalBlocker quiet(other);
    other->setText(QString::number(ProportionalSide(value, side, otherSide)));
}

void Tresizeform::edit1on()
{
    Couple(Edit1);
}

void Tresizeform::edit2on()
{
    Couple(Edit2);
}

void Tresizeform::CheckBox1Click(bool checked)
{
    ScaleBoth(checked, CheckBox2, 2, 1);
}

void Tresizeform::CheckBox2Click(bool checked)
{
    ScaleBoth(checked, CheckBox1, 1, 2);
}

void Tresizeform::ScaleBoth(bool checked, QCheckBox* other, int64_t times, int64_t by)
{
    if (!checked) {
        ConnectCoupling();
        return;
    }
    updating = true;
    other->setChecked(false);
    QCoreApplication::processEvents();
    WriteScaled(times, by);
}

void Tresizeform::WriteScaled(int64_t times, int64_t by)
{
    updating = true;
    DisconnectCoupling();
    const TBigBitmap& joined = FMain.Document().Joined();
    WriteSizes(joined.GetWidth() * times / by, joined.GetHeight() * times / by);
    QCoreApplication::processEvents();
    updating = false;
    if (QLineEdit* typed = std::exchange(FTypedMeanwhile, nullptr)) Couple(typed);
}

bool Tresizeform::eventFilter(QObject* watched, QEvent* event)
{
    // Typing into or clicking a size box ends "倍" and "半分", which couples the boxes again.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress) {
        CheckBox1->setChecked(false);
        CheckBox2->setChecked(false);
    }
    return QWidget::eventFilter(watched, event);
}

std::optional<TResampleMethod> Tresizeform::Method() const
{
    const int index = resamcombo->findText(resamcombo->currentText(), Qt::MatchExactly);
    if (index < 0) return std::nullopt;
    return static_cast<TResampleMethod>(rmBilinear + index);
}

int32_t Tresizeform::ResizeProgress(int16_t position, int16_t max, int32_t step)
{
    return FMain.Document().ReportProgress(position, max, step);
}

void Tresizeform::Button1Click()
{
    TSlotDocument& document = FMain.Document();
    const TBigBitmap& joined = document.Joined();
    if (joined.GetEmpty() || joined.GetWidth() <= 2 || joined.GetHeight() <= 2 ||
        document.Count() == 0)
        return;
    if (!Edit1->hasAcceptableInput() || !Edit2->hasAcceptableInput()) {
        FMain.Ui().ShowError(this, tr("幅と高さは %1 から %2 までの数で指定してください")
                                       .arg(kMinSaveSide)
                                       .arg(kMaxSaveSide));
        return;
    }
    const TSize target{Edit1->text().toInt(), Edit2->text().toInt()};
    hide();
    const QString name = FMain.AskSaveFileName();
    if (name.isEmpty()) return;

    const std::string kept = FMain.StatusText();
    FMain.SetStatusText(tr("　リサイズ保存中・・・・・・").toStdString());
    const TProgressProc progress = [this](int16_t position, int16_t max, int32_t step) {
        return ResizeProgress(position, max, step);
    };
    document.UseJoined([&](TBigBitmap& picture) {
        // A size the chosen format cannot hold is refused before the resampling, not after.
        CheckFormatHolds(PictureFileFormat(name.toStdString()), {target.Width, target.Height, 24});
        ResizeProgress(0, 100, 0);
        ResizeProgress(10, 100, 0);
        TBigBitmap resized;
        ResizeForSave(picture, target, Method(), document.Settings().FUseSSE2, progress, resized);
        ResizeProgress(90, 100, 0);
        FMain.WritePicture(resized, name);
        ResizeProgress(100, 100, 0);
    });
    FMain.SetStatusText(kept);
    FMain.HideProgressBar();
}

void Tresizeform::Button2Click()
{
    hide();
}

}  // namespace quilmo
