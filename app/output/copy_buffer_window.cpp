#include "copy_buffer_window.h"

#include <QDragEnterEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "app/shell/big_bitmap_painter.h"
#include "app/shell/clipboard_picture.h"
#include "app/shell/command_gate.h"
#include "app/shell/picture_drag.h"
#include "resample/resample.h"
#include "app/shell/ui_services.h"
#include "core/picture_colors.h"

namespace quilmo {

namespace {

constexpr QSize kImageSize(160, 120);
constexpr int kImageStep = 164;
constexpr QSize kWindowSize(496, 154);

// The largest size with the picture's proportions that fits the image.
QSizeF Fitted(int width, int height, QSizeF room)
{
    const double scale = std::min(room.width() / width, room.height() / height);
    return {width * scale, height * scale};
}

TBufferPicture CopyOfPicture(const TBigBitmap& picture, const TColorProfile& profile)
{
    auto copy = std::make_unique<TBigBitmap>();
    copy->Assign(const_cast<TBigBitmap*>(&picture));
    return {std::move(copy), profile};
}

}  // namespace

QString BufferDragSource(int k)
{
    return QStringLiteral("buffer%1").arg(k);
}

std::optional<int> BufferOfDragSource(const QString& source)
{
    for (int k = 1; k <= 3; ++k)
        if (source == BufferDragSource(k)) return k;
    return std::nullopt;
}

// --- one buffer image

TBufferImage::TBufferImage(int tag, QWidget* parent) : QWidget(parent), FTag(tag)
{
    setObjectName(QStringLiteral("Image%1").arg(tag));
    setAccessibleName(QString::number(tag));
    setFixedSize(kImageSize);
    setAcceptDrops(true);
}

void TBufferImage::SetPicture(TBufferPicture picture)
{
    FPicture = picture.Picture && !picture.Picture->GetEmpty() ? std::move(picture) : TBufferPicture();
    FShown.Assign(nullptr);
    TBigBitmap* full = FPicture.Picture.get();
    if (full && (full->GetWidth() > width() || full->GetHeight() > height())) {
        // Only a small copy is ever drawn; the full picture stays as it is for pasting.
        const QSizeF fitted = Fitted(full->GetWidth(), full->GetHeight(), QSizeF(size()));
        BigReduceInto(FShown, *full, std::max(1, static_cast<int>(fitted.width())),
                      std::max(1, static_cast<int>(fitted.height())), HasSSE2(), std::nullopt, {});
    } else if (full && !FPicture.Profile.IsSRGB()) {
        FShown.Assign(full);
    }
    ConvertToSRGB(FShown, FPicture.Profile);
    update();
}

TBufferPicture TBufferImage::TakePicture()
{
    TBufferPicture picture = std::move(FPicture);
    SetPicture({});
    return picture;
}

void TBufferImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // An outline shows where an empty image is, to drop a picture onto.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!FPicture.Picture) return;
    const TBigBitmap& shown = FShown.GetEmpty() ? *FPicture.Picture : FShown;
    const QSizeF size = Fitted(shown.GetWidth(), shown.GetHeight(), QSizeF(this->size()));
    DrawBigBitmap(painter, shown,
                  QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size));
}

void TBufferImage::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        emit ContextMenuRequested(FTag, event->globalPosition().toPoint());
        return;
    }
    if (HasPicture() && (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton))
        FDragStart = event->position().toPoint();
}

void TBufferImage::mouseMoveEvent(QMouseEvent* event)
{
    if (!FDragStart) return;
    if ((event->position().toPoint() - *FDragStart).manhattanLength() < kDragThreshold) return;
    FDragStart.reset();
    StartPictureDrag(this, BufferDragSource(FTag));
}

void TBufferImage::dragEnterEvent(QDragEnterEvent* event)
{
    if (PictureDragSource(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void TBufferImage::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    emit PictureDropped(FTag, PictureDragSource(event->mimeData()));
}

// --- the window

TForm4::TForm4(TUiServices& ui, TCommandGate& gate, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), FUi(ui), FGate(gate)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(tr("コピー画像"));
    setFixedSize(kWindowSize);
    setBackgroundRole(QPalette::Mid);
    setAutoFillBackground(true);
    for (int k = 1; k <= 3; ++k) {
        auto* image = new TBufferImage(k, this);
        image->move((k - 1) * kImageStep, 0);
        auto* label = new QLabel(QString::number(k), this);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
        label->setGeometry((k - 1) * kImageStep, kImageSize.height() + 4, kImageSize.width(), 20);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        connect(image, &TBufferImage::ContextMenuRequested, this, &TForm4::ImageContextMenu);
        FGate.Connect(image, &TBufferImage::PictureDropped, this, &TForm4::ImageDropped);
        FImages[k - 1] = image;
    }
    PopupMenu = new QMenu(this);
    Paste1 = PopupMenu->addAction(tr("貼り付け"));
    Paste1->setObjectName(QStringLiteral("Paste1"));
    Delete1 = PopupMenu->addAction(tr("削除"));
    Delete1->setObjectName(QStringLiteral("Delete1"));
    FGate.Connect(Paste1, &QAction::triggered, this, &TForm4::Paste1Click);
    FGate.Connect(Delete1, &QAction::triggered, this, &TForm4::Delete1Click);
}

TBufferPicture TForm4::CopyOf(int k)
{
    const TBufferPicture& picture = Image(k)->Picture();
    return picture.Picture ? CopyOfPicture(*picture.Picture, picture.Profile) : TBufferPicture();
}

void TForm4::Push(TBigBitmap& picture, const TColorProfile& profile)
{
    if (Image(2)->HasPicture()) Image(3)->SetPicture(Image(2)->TakePicture());
    if (Image(1)->HasPicture()) Image(2)->SetPicture(Image(1)->TakePicture());
    Image(1)->SetPicture(CopyOfPicture(picture, profile));
    if (PictureArrived) PictureArrived();
}

bool TForm4::TakeClipboardPicture(int k)
{
    const QMimeData* data = FUi.ClipboardData();
    if (!HoldsPicture(data)) return false;
    Image(k)->SetPicture({PictureFromMimeData(*data), {}});
    if (PictureArrived) PictureArrived();
    return true;
}

void TForm4::Clear()
{
    for (TBufferImage* image : FImages) image->SetPicture({});
}

void TForm4::ShowBeside(const QWidget& owner)
{
    move(owner.x() + owner.width() - width(), owner.y() + 50);
    show();
    raise();
}

void TForm4::ImageContextMenu(int tag, QPoint globalPoint)
{
    FChosen = tag;
    FGate.SetAvailable(Delete1, Image(tag)->HasPicture());
    FGate.SetAvailable(Paste1, HoldsPicture(FUi.ClipboardData()));
    PopupMenu->popup(globalPoint);
}

void TForm4::Paste1Click()
{
    try {
        TakeClipboardPicture(FChosen);
    } catch (const std::exception& e) {
        FUi.ShowError(this, QString::fromUtf8(e.what()));
    }
}

void TForm4::Delete1Click()
{
    Image(FChosen)->SetPicture({});
}

void TForm4::ImageDropped(int tag, const QString& source)
{
    TBufferImage* target = Image(tag);
    if (source == kPreviewDragSource) {
        // The picture the preview shows (in sRGB) comes in; the joined picture itself is not
        // touched.
        const TBigBitmap* shown = PreviewPicture ? PreviewPicture() : nullptr;
        if (!shown) return;
        target->SetPicture(CopyOfPicture(*shown, {}));
        if (PictureArrived) PictureArrived();
        return;
    }
    const std::optional<int> from = BufferOfDragSource(source);
    if (!from || *from == tag) return;
    // The two images exchange their pictures.
    TBufferPicture kept = target->TakePicture();
    target->SetPicture(Image(*from)->TakePicture());
    Image(*from)->SetPicture(std::move(kept));
}

}  // namespace quilmo
