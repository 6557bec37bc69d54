// The copy buffer: what enters it on a copy, from the clipboard and by dragging, and how its
// pictures go back into the slots.

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMimeData>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "app/output/copy_buffer_window.h"
#include "app/main/preview_view.h"
#include "core/picture_helpers.h"
#include "core/slot_document.h"
#include "window_fixture.h"

using namespace quilmo;
using namespace quilmo::test;

class CopyBufferTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TWindowFixture> F;

    // The widths of the buffer images' pictures, 0 for an empty image.
    QList<int> BufferWidths() const
    {
        QList<int> widths;
        for (int k = 1; k <= 3; ++k) {
            const TBigBitmap* picture = F->Window->Form4->Image(k)->Picture().Picture.get();
            widths << (picture ? picture->GetWidth() : 0);
        }
        return widths;
    }

    void PutPictureOnClipboard(int width)
    {
        QImage image(width, 10, QImage::Format_RGB32);
        image.fill(Qt::green);
        F->Ui->Clipboard = std::make_unique<QMimeData>();
        F->Ui->Clipboard->setImageData(image);
    }

private slots:
    void initTestCase() { PrepareWindowTests(); }
    void init() { F = std::make_unique<TWindowFixture>(); }
    void cleanup() { F.reset(); }

    void copiesMoveDownTheBufferAndTheFourthDropsTheFirst()
    {
        TForm1& window = F->Open();
        QVERIFY(!window.bufferbtnAction->isVisible());
        window.bcombo->setCurrentIndex(1);
        QVERIFY(window.bufferbtnAction->isVisible());
        QVERIFY(!window.bufferitem->isEnabled());
        QCOMPARE(BufferWidths(), (QList<int>{0, 0, 0}));

        F->LoadThroughDialog({F->Picture(QStringLiteral("a.bmp"), 10, 10, kRed)});
        for (int count = 1; count <= 4; ++count) {
            window.gasu->setValue(count);  // joined pictures 10, 20, 30 and 40 wide
            window.copybtn->click();
        }
        QCOMPARE(BufferWidths(), (QList<int>{40, 30, 20}));
        QVERIFY(window.bufferitem->isEnabled());

        window.bufferbtn->click();
        QVERIFY(window.Form4->isVisible());
        QCOMPARE(window.Form4->size(), QSize(496, 154));
        QCOMPARE(window.Form4->windowTitle(), QStringLiteral("コピー画像"));
        QCOMPARE(window.Form4->x() + window.Form4->width(), window.x() + window.width());
        QCOMPARE(window.Form4->y(), window.y() + 50);

        // Off and on again: the pictures are gone (and the clipboard has none to give).
        F->Ui->Clipboard.reset();
        window.bcombo->setCurrentIndex(0);
        QVERIFY(!window.Form4->isVisible());
        QVERIFY(!window.bufferitem->isEnabled());
        window.bcombo->setCurrentIndex(1);
        QCOMPARE(BufferWidths(), (QList<int>{0, 0, 0}));
        // While off, copies do not enter the buffer.
        window.bcombo->setCurrentIndex(0);
        window.copybtn->click();
        QCOMPARE(BufferWidths(), (QList<int>{0, 0, 0}));
    }

    void switchingOnTakesTheClipboardsPicture()
    {
        TForm1& window = F->Open();
        PutPictureOnClipboard(7);
        window.bcombo->setCurrentIndex(1);
        QCOMPARE(BufferWidths(), (QList<int>{7, 0, 0}));
        QVERIFY(window.bufferitem->isEnabled());
    }

    void dragsExchangeBufferPicturesAndBringThePreviewsPicture()
    {
        TForm1& window = F->Open();
        PutPictureOnClipboard(7);
        window.bcombo->setCurrentIndex(1);
        TForm4& buffer = *window.Form4;
        QMimeData fromFirst;
        fromFirst.setData(QStringLiteral("application/x-quilmo-picture"), "buffer1");
        Drop(buffer.Image(3), QPoint(5, 5), fromFirst);
        QCOMPARE(BufferWidths(), (QList<int>{0, 0, 7}));

        F->LoadThroughDialog({F->Picture(QStringLiteral("a.bmp"), 50, 20, kRed)});
        QMimeData fromPreview;
        fromPreview.setData(QStringLiteral("application/x-quilmo-picture"), "preview");
        Drop(buffer.Image(1), QPoint(5, 5), fromPreview);
        QCOMPARE(BufferWidths(), (QList<int>{50, 0, 7}));
        QCOMPARE(window.iview->Picture(), &window.Document().Joined());
    }

    void bufferPicturesGoBackIntoTheSlots()
    {
        TForm1& window = F->Open();
        PutPictureOnClipboard(7);
        window.bcombo->setCurrentIndex(1);
        // Into an empty document, through the popup's sub-item "1".
        QVERIFY(F->PopupAt(5, window.bufferitems[0]));
        QCOMPARE(F->SlotNames(), QStringList{QStringLiteral("コピー画像")});
        QCOMPARE(F->JoinedSize(), QSize(7, 10));
        QVERIFY(!F->PopupAt(5, window.bufferitems[1]));  // image 2 is empty

        // Dragged onto the preview: into the slot under the drop point.
        QMimeData fromFirst;
        fromFirst.setData(QStringLiteral("application/x-quilmo-picture"), "buffer1");
        window.gasu->setValue(2);
        Drop(window.iview, window.iview->PictureRect().topLeft() + QPoint(9, 2), fromFirst);
        QCOMPARE(F->SlotNames(), (QStringList{QStringLiteral("コピー画像"), QStringLiteral("コピー画像")}));
        QCOMPARE(F->JoinedSize(), QSize(14, 10));
    }
};

QTEST_MAIN(CopyBufferTest)
#include "copy_buffer_test.moc"
