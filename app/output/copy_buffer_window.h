#pragma once
// The copy buffer `TForm4`: up to three pictures kept beside the document, shown small, fed by
// copies of the joined picture and the clipboard, exchanged by dragging, and pasted back into
// slots.

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "bigbitmap/big_bitmap.h"
#include "color/color_profile.h"

class QAction;
class QMenu;

namespace quilmo {

class TCommandGate;
class TUiServices;

// A picture of the buffer and the colours of its numbers.
struct TBufferPicture {
    std::unique_ptr<TBigBitmap> Picture;
    TColorProfile Profile;
};

// One of the three buffer images: its picture at full size, and a small sRGB copy to show.
class TBufferImage : public QWidget {
    Q_OBJECT
public:
    TBufferImage(int tag, QWidget* parent);

    int Tag() const { return FTag; }
    bool HasPicture() const { return FPicture.Picture != nullptr; }
    const TBufferPicture& Picture() const { return FPicture; }
    // Takes picture (none: empties the image).
    void SetPicture(TBufferPicture picture);
    TBufferPicture TakePicture();

signals:
    void ContextMenuRequested(int tag, QPoint globalPoint);
    // A picture dragged from source ("preview", "buffer1" ...) was dropped here.
    void PictureDropped(int tag, const QString& source);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int FTag;
    TBufferPicture FPicture;
    // What is drawn when it is not the picture itself: its reduction, or its sRGB copy.
    TBigBitmap FShown;
    std::optional<QPoint> FDragStart;
};

class TForm4 : public QWidget {
    Q_OBJECT
public:
    TForm4(TUiServices& ui, TCommandGate& gate, QWidget* parent);

    // Buffer image k (1 to 3).
    TBufferImage* Image(int k) { return FImages[k - 1]; }
    // A copy of buffer image k's picture; none when it is empty.
    TBufferPicture CopyOf(int k);

    // The copy of a joined picture (in the colours of profile): the older pictures move down
    // one place.
    void Push(TBigBitmap& picture, const TColorProfile& profile);
    // Buffer image 1 takes the clipboard's picture; false when there is none.
    bool TakeClipboardPicture(int k);
    void Clear();
    // Shown beside owner: its top 50 below the owner's, right edges aligned.
    void ShowBeside(const QWidget& owner);

    // A picture entered the buffer.
    std::function<void()> PictureArrived;
    // What the main window's preview shows, for a drag that starts there.
    std::function<const TBigBitmap*()> PreviewPicture;

    QMenu* PopupMenu;
    QAction* Paste1;
    QAction* Delete1;

public slots:
    void Paste1Click();
    void Delete1Click();

private:
    void ImageContextMenu(int tag, QPoint globalPoint);
    void ImageDropped(int tag, const QString& source);

    TUiServices& FUi;
    TCommandGate& FGate;
    std::array<TBufferImage*, 3> FImages{};
    // The image of the last right click.
    int FChosen = 1;
};

// The name a drag from buffer image k carries.
QString BufferDragSource(int k);
// The buffer image a drag came from; none for other sources.
std::optional<int> BufferOfDragSource(const QString& source);

}  // namespace quilmo
