// The commands of the tool bars and the preview's popup menu.

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScopeGuard>
#include <QSpinBox>
#include <QToolButton>

#include "app/batch/batch_window.h"
#include "app/shell/big_bitmap_painter.h"
#include "app/shell/clipboard_picture.h"
#include "app/shell/colors.h"
#include "app/output/copy_buffer_window.h"
#include "core/slot_document.h"
#include "app/output/effects_launcher.h"
#include "file_filters.h"
#include "frame_dialog.h"
#include "input/jpeg_image.h"
#include "input/slot_loading.h"
#include "main_window.h"
#include "output/lossless_join.h"
#include "output/picture_file.h"
#include "resample/work_threads.h"
#include "app/output/picture_printer.h"
#include "app/output/resize_save_window.h"
#include "app/shell/tool_icons.h"
#include "app/shell/ui_services.h"

namespace quilmo {

namespace {

QString FolderOf(const QString& fileName)
{
    return QFileInfo(fileName).absolutePath();
}

// The name without its extension; a folder in it stays.
QString WithoutExtension(const std::string& name)
{
    return QString::fromStdString(std::filesystem::path(name).replace_extension().string());
}

}  // namespace

void TForm1::openbtnClick()
{
    const QStringList names = FUi.GetOpenFileNames(
        this, tr("画像を開く(&O)...", "dialog title"),
        QString::fromStdString(Loader().FLastDir.string()), FOpenFilter, true);
    if (names.isEmpty()) return;
    Loader().FLastDir = FolderOf(names.front()).toStdString();
    std::vector<std::string> files;
    for (const QString& name : names) files.push_back(name.toStdString());
    Guarded([&] { Loader().LoadFiles(files); });
}

void TForm1::batchbtnClick()
{
    Form2->OpenForBatch();
}

void TForm1::ReadOneFile(const QString& title, const std::function<void(TNamedPicture)>& place)
{
    const QStringList names = FUi.GetOpenFileNames(
        this, title, QString::fromStdString(Loader().FLastDir.string()), FOpenFilter, false);
    if (names.isEmpty()) return;
    Loader().FLastDir = FolderOf(names.front()).toStdString();
    const std::string name = names.front().toStdString();
    Guarded([&] {
        TNamedPicture picture = Loader().ReadPicture(name);
        QCoreApplication::processEvents();
        place(std::move(picture));
    });
}

void TForm1::clearloaditemClick()
{
    Guarded([&] { Document().ClearAll(); });
    openbtnClick();
}

void TForm1::loadhereitemClick()
{
    ReadOneFile(tr("画像を開く(&O)...", "dialog title"),
                [this](TNamedPicture picture) { Document().ReplaceAtClick(std::move(picture)); });
}

void TForm1::addafteritemClick()
{
    if (!Document().CanInsert()) return;
    ReadOneFile(tr("画像の追加読み込み"),
                [this](TNamedPicture picture) { Document().InsertAfterClick(std::move(picture)); });
}

void TForm1::Paste1Click()
{
    Guarded([&] {
        QCoreApplication::processEvents();
        const QMimeData* data = FUi.ClipboardData();
        if (!HoldsPicture(data)) return;
        std::unique_ptr<TBigBitmap> picture = PictureFromMimeData(*data);
        QCoreApplication::processEvents();
        Document().PasteFromClipboard(std::move(picture));
    });
}

void TForm1::delpicitemClick()
{
    Guarded([&] { Document().DeleteAtClick(); });
}

void TForm1::clearbtnClick()
{
    Guarded([&] { Document().ClearAll(); });
}

void TForm1::swapbtnClick()
{
    Guarded([&] { Document().ReverseOrder(); });
}

void TForm1::gasuChange(int value)
{
    Guarded([&] { Document().SetCount(value); });
}

void TForm1::combo2Change(int index)
{
    Guarded([&] { Document().SetDirection(static_cast<TJoinDirection>(index)); });
}

void TForm1::wrapspinChange(int value)
{
    Guarded([&] { Document().SetWrap(value); });
}

void TForm1::combo3Change(int index)
{
    aligncombo->setEnabled(index == rmOriginal);
    Guarded([&] { Document().SetMethod(static_cast<TResampleMethod>(index)); });
}

void TForm1::aligncomboChange(int index)
{
    Guarded([&] { Document().SetAlign(static_cast<TJoinAlign>(index)); });
}

void TForm1::SpinEditChange(int value)
{
    Guarded([&] { Document().SetGap(value); });
}

void TForm1::edgecomboChange(int index)
{
    Guarded([&] { Document().SetFrameOn(index == 1); });
}

void TForm1::viewboxChange(int index)
{
    Guarded([&] { Document().SetPreviewMode(static_cast<TPreviewMode>(index)); });
}

void TForm1::bcomboChange(int index)
{
    bufferbtnAction->setVisible(index == 1);
    if (index == 1) {
        Guarded([&] { Form4->TakeClipboardPicture(1); });
        return;
    }
    Form4->hide();
    bufferitem->setEnabled(false);
    Form4->Clear();
}

void TForm1::bufferbtnClick()
{
    Form4->ShowBeside(*this);
}

void TForm1::PasteFromBuffer(int k)
{
    Guarded([&] {
        TBufferPicture copy = Form4->CopyOf(k);
        Document().PasteFromCopyBuffer(std::move(copy.Picture), copy.Profile);
    });
}

void TForm1::ToolButton26Click()
{
    const std::optional<QColor> colour = FUi.ChooseColor(this, FLastChosenColor);
    if (!colour) return;
    FLastChosenColor = *colour;
    ShowJoinColor(FromQColor(*colour));
    Guarded([&] { Document().SetJoinColor(FromQColor(*colour)); });
}

void TForm1::ToolButton20Click()
{
    const std::optional<QColor> colour = FUi.ChooseColor(this, FLastChosenColor);
    if (!colour) return;
    FLastChosenColor = *colour;
    SetPanelColor(FromQColor(*colour));
}

void TForm1::ToolButton22Click()
{
    edgeform->ShowFor(Document().RequestedSettings().FrameRect, pos() + QPoint(454, 60));
}

void TForm1::mmxsseClick()
{
    // Unchecking brings SSE2 back only where the processor has it.
    const bool useSSE2 = !mmxsse->isChecked() && HasSSE2();
    Guarded([&] { Document().SetUseSSE2(useSSE2); });
}

void TForm1::srgbboxClick(bool checked)
{
    Guarded([&] { Document().SetColorSpace(checked ? TColorSpaceChoice::SRGB : TColorSpaceChoice::Auto); });
}

void TForm1::ComboChange()
{
    ShowQualityForFormat();
    Panel->setFocus();
}

void TForm1::ShowQualityForFormat()
{
    // WebP takes the quality as well: lossy below 100, lossless at 100.
    jpgoptionAction->setVisible(SaveFormat() == sfJPG || SaveFormat() == sfWebP);
}

TSaveFormat TForm1::SaveFormat() const
{
    return static_cast<TSaveFormat>(Combo->currentIndex());
}

void TForm1::savebtnClick()
{
    if (Document().Count() == 0 || Document().Joined().GetEmpty()) return;
    const QString name = AskSaveFileName();
    if (name.isEmpty()) return;
    SavePictureFile(name);
}

void TForm1::resavebtnClick()
{
    if (Document().Count() == 0 || Document().Joined().GetEmpty()) return;
    resizeform->show();
    resizeform->raise();
}

TSaveDialogRequest TForm1::SaveDialogRequest() const
{
    // The first named slot proposes the name; the dialog adds the extension.
    TSaveDialogRequest request;
    for (int32_t slot : {0, 1}) {
        if (FDocument->SlotName(slot).empty()) continue;
        request.FileName = WithoutExtension(FDocument->SlotName(slot));
        break;
    }
    request.Filter = SaveFilter(SaveFormat());
    request.FilterIndex = 1;
    request.DefaultSuffix = QString::fromLatin1(SaveSuffix(SaveFormat()));
    return request;
}

QString TForm1::AskSaveFileName()
{
    return FUi.GetSaveFileName(this, SaveDialogRequest());
}

void TForm1::WritePicture(TBigBitmap& picture, const QString& fileName)
{
    const TJpegSaveOptions jpeg{jpgoption->value(), progbox->isChecked()};
    const TColorProfile& profile = Document().JoinedProfile();
    // The writers of some formats (WebP, BMP) work on the thread that calls them, which would
    // hold the window up: the whole save goes to a work thread while the window keeps answering.
    RunAside([&] { quilmo::SavePictureFile(picture, fileName.toStdString(), jpeg, profile); });
}

void TForm1::SavePictureFile(const QString& fileName)
{
    const QString kept = StatusPanel0->text();
    StatusPanel0->setText(tr("　保存中・・・・・"));
    QCoreApplication::processEvents();
    const auto restore = qScopeGuard([&] { StatusPanel0->setText(kept); });
    const bool jpeg = PictureFileFormat(fileName.toStdString()) == TPictureFileFormat::JPEG;
    if (jpeg && losslessbox->isChecked() && SaveLosslessly(fileName)) return;
    Document().UseJoined([&](TBigBitmap& joined) { WritePicture(joined, fileName); });
}

bool TForm1::SaveLosslessly(const QString& fileName)
{
    // The slots keep decoded pixels: the coefficients come from the files again. A slot of
    // another kind (a PNG, the clipboard) is a reason to refuse.
    std::vector<std::unique_ptr<TJPEGImage>> files;
    std::vector<TLosslessPicture> pictures;
    std::vector<TSize> sizes;
    for (int32_t i = 0; i < Document().Count(); ++i) {
        files.push_back(ReadJpegHeader(Document().SlotName(i)));
        const TGraphic* picture = files.back() ? files.back().get() : Document().Slot(i);
        pictures.push_back({Document().SlotName(i), files.back().get(), {}});
        sizes.push_back(picture ? TSize{picture->GetWidth(), picture->GetHeight()} : TSize{});
    }
    const TLosslessJoin join = LosslessJoinByRule(std::move(pictures), sizes, Document().Settings());
    try {
        const std::vector<size_t> requantised = SaveLosslessJpeg(join, fileName.toStdString(), progbox->isChecked());
        QStringList names;
        for (const size_t i : requantised) {
            const QString name = QFileInfo(QString::fromStdString(join.Pictures[i].Name)).fileName();
            names << QStringLiteral("[%1]%2").arg(i + 1).arg(name);
        }
        if (!names.isEmpty())
            FUi.ShowInformation(this, tr("量子化テーブルが最初の画像と異なる画像を、そのテーブルに合わせて再量子化しました: %1")
                                          .arg(names.join(QStringLiteral(" "))));
        return true;
    } catch (const ELosslessRefused& e) {
        const QString question = tr("無劣化では保存できません。\n%1\n\n指定の画質で再エンコードして保存しますか？")
                                     .arg(QString::fromStdString(e.what()));
        return FUi.Confirm(this, question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes;
    }
}

void TForm1::copybtnClick()
{
    if (Document().Joined().GetEmpty()) return;
    Document().UseJoined([&](TBigBitmap& joined) {
        const TColorProfile& profile = Document().JoinedProfile();
        FUi.SetClipboardData(PictureMimeData(joined, profile).release());
        if (bcombo->currentIndex() == 1) Form4->Push(joined, profile);
    });
}

void TForm1::ToolButton8Click()
{
    if (Document().Joined().GetEmpty()) {
        FEffects->Start(nullptr, {});
        return;
    }
    const QString kept = StatusPanel0->text();
    StatusPanel0->setText(tr("　画像エフェクトを呼び出し中・・・・・"));
    const auto restore = qScopeGuard([&] { StatusPanel0->setText(kept); });
    QCoreApplication::processEvents();
    Document().UseJoined([&](TBigBitmap& joined) { FEffects->Start(&joined, Document().JoinedProfile()); });
}

void TForm1::printbtnClick()
{
    keyPressed = false;
    if (Document().Count() == 0 || Document().Joined().GetEmpty()) return;
    const bool landscape = ComboBox1->currentIndex() == 0;
    Document().UseJoined([&](TBigBitmap& joined) {
        FPrinter->PrintPage(
            {joined.GetWidth(), joined.GetHeight()}, tr("Quilmo印刷"), landscape,
            [] {
                // The one moment a key can stop the job: right after it has started.
                QCoreApplication::processEvents();
                return keyPressed;
            },
            [&](QPainter& painter, const QRect& target) {
                PrintBigBitmap(painter, joined, Document().JoinedProfile(), target,
                               Document().Settings().FUseSSE2);
            });
    });
}

void TForm1::setbtnClick()
{
    FUi.SetupPrinter(this, FPrinter->Printer());
}

void TForm1::ShowJoinColor(TColor color)
{
    ToolButton26->setIcon(ColourIcon(ToQColor(color)));
}

TColor TForm1::JoinColor() const
{
    return FDocument->RequestedSettings().JoinColor;
}

void TForm1::SetPanelColor(TColor color)
{
    FPanelColor = color;
    QPalette palette = Panel->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    Panel->setPalette(palette);
    ToolButton20->setIcon(ColourIcon(ToQColor(color)));
}

}  // namespace quilmo
