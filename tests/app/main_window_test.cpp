// The main window as a user drives it: start-up with and without a settings file, loading from
// the command line, drops and the clipboard, the tool-bar and popup commands, saving, the frame
// window, and the preview's slot edges.

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QSpinBox>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <fstream>

#include "app/main/frame_dialog.h"
#include "app/main/preview_view.h"
#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/stream.h"
#include "core/slot_document.h"
#include "input/jpeg_image.h"
#include "output/picture_file.h"
#include "quilmo_version.h"
#include "support/picture_checks.h"
#include "window_fixture.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

const QString kTooWide = QStringLiteral("TBigBitmap.SetBitmaps: Too Big Width or Too Many Pixel Bits");

// The pixels of a JPEG file.
std::unique_ptr<TBigBitmap> JpegPixels(const QString& name)
{
    TJPEGImage jpeg;
    jpeg.LoadFromFile(name.toStdString());
    auto pixels = std::make_unique<TBigBitmap>();
    pixels->Assign(&jpeg);
    return pixels;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TWindowFixture> F;

    QString Path(const QString& name) const { return F->Path(name); }
    QString Picture(const QString& name, int width, int height, TColor colour)
    {
        return F->Picture(name, width, height, colour);
    }
    TForm1& Open(const QStringList& arguments = {}) { return F->Open(arguments); }
    void LoadThroughDialog(const QStringList& names) { F->LoadThroughDialog(names); }
    void PopupAt(int x, QAction* item) { QVERIFY(F->PopupAt(x, item)); }
    QStringList SlotNames() const { return F->SlotNames(); }

private slots:
    void initTestCase() { PrepareWindowTests(); }
    void init() { F = std::make_unique<TWindowFixture>(); }
    void cleanup() { F.reset(); }

    void startsAsDesignedWithoutASettingsFile()
    {
        TForm1& window = Open();
        QCOMPARE(window.windowTitle(), QStringLiteral("Quilmo"));
        QCOMPARE(window.geometry(), QRect(294, 165, 817, 466));
        QCOMPARE(window.SpinEdit->value(), 0);
        QCOMPARE(window.jpgoption->value(), 85);
        QVERIFY(!window.bufferbtnAction->isVisible());
        QVERIFY(!window.savebtn->isEnabled());
        QVERIFY(!window.Copy1->isEnabled());
        QVERIFY(!window.ToolButton8->isEnabled());
        // The greyed effects button says where the program would be.
        QVERIFY2(window.ToolButton8->toolTip().contains(F->Folder->path()), qPrintable(window.ToolButton8->toolTip()));
        QCOMPARE(window.combo3->itemText(1), QStringLiteral(" Biliniar"));
        QCOMPARE(window.openbtn->toolTip(), QStringLiteral("画像を開く"));
        QCOMPARE(window.ToolButton7->toolTip(), QStringLiteral("終了"));
        QStringList versions;
        for (const QAction* item : window.popuphelp->findChild<QMenu*>(QStringLiteral("versionMenu"))->actions())
            versions << item->text();
        QCOMPARE(versions, (QStringList{"ver.135", "quilmo " QUILMO_VERSION}));
    }

    void keysAccessKeysAndFocus()
    {
        TForm1& window = Open();
        keyPressed = false;
        window.combo2->setFocus();
        QTest::keyClick(window.combo2, Qt::Key_A);
        QVERIFY(keyPressed);
        // A choice made with the mouse sends the focus back to the panel.
        emit window.combo3->activated(1);
        QCOMPARE(window.focusWidget(), window.Panel);

        // Access keys work in the active window.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
        QTRY_COMPARE(F->Ui->OpenTitles, QStringList{QStringLiteral("画像を開く(&O)...")});
        QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
        QTRY_VERIFY(!window.isVisible());
    }

    void theAccessKeysWorkWhateverTheWidth()
    {
        // A settings file without [form] keys opens the window 612 pixels wide, which leaves the
        // end of the lower tool bar in its overflow menu.
        F->WriteIni("[value]\n");
        TForm1& window = Open();
        QCOMPARE(window.width(), 612);
        LoadThroughDialog({Picture(QStringLiteral("a.bmp"), 4, 4, kRed)});
        QVERIFY(!window.ToolButton7->isVisible() && !window.setbtn->isVisible());
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
        QCOMPARE(F->Ui->OpenTitles.size(), 2);
        QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(F->Ui->SaveRequests.size(), 1u);
        QTest::keyClick(&window, Qt::Key_U, Qt::AltModifier);
        QCOMPARE(F->Ui->PrinterSetups, 1);
        QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
        QTRY_VERIFY(!window.isVisible());
    }

    void theSse2SwitchTakesThePlainResamplers()
    {
        TForm1& window = Open();
        QCOMPARE(window.Document().Settings().FUseSSE2, HasSSE2());
        window.mmxsse->trigger();
        QVERIFY(window.mmxsse->isChecked());
        QVERIFY(!window.Document().Settings().FUseSSE2);
        window.mmxsse->trigger();
        QCOMPARE(window.Document().Settings().FUseSSE2, HasSSE2());
    }

    void theSrgbBoxChoosesTheJoinedColours()
    {
        TForm1& window = Open();
        QVERIFY(!window.srgbbox->isChecked());
        QVERIFY(window.Document().Settings().ColorSpace == TColorSpaceChoice::Auto);
        window.srgbbox->click();
        QVERIFY(window.Document().Settings().ColorSpace == TColorSpaceChoice::SRGB);
        window.srgbbox->click();
        QVERIFY(window.Document().Settings().ColorSpace == TColorSpaceChoice::Auto);
    }

    void readsTheSettingsFileIntoTheControls()
    {
        F->WriteIni("[value]\nsplit=3\nsse2=1\nbcombo=1\nidx=1\nsrgb=1\nlossless=1\n[form]\nbackcolor=255\n");
        std::ofstream(Path(QStringLiteral("morvane")).toStdString()) << "#!/bin/sh\n";
        TForm1& window = Open();
        QCOMPARE(window.geometry(), QRect(100, 10, 612, 450));
        QCOMPARE(window.SpinEdit->value(), 3);
        QCOMPARE(window.Document().LastGap(), 3);
        QCOMPARE(window.jpgoption->value(), 85);
        QVERIFY(window.mmxsse->isChecked());
        QVERIFY(!window.Document().Settings().FUseSSE2);
        QVERIFY(window.bufferbtnAction->isVisible());
        QCOMPARE(window.SaveFormat(), sfBMP);
        QVERIFY(!window.jpgoptionAction->isVisible());
        QCOMPARE(window.JoinColor(), TColor{255});
        QVERIFY(window.ToolButton8->isEnabled());
        QVERIFY(window.srgbbox->isChecked());
        QVERIFY(window.Document().Settings().ColorSpace == TColorSpaceChoice::SRGB);
        QVERIFY(window.losslessbox->isChecked());

        F->Window.reset();
        F->WriteIni("[value]\nsplit=99\n");
        QCOMPARE(Open().SpinEdit->value(), 50);
    }

    void closingStoresTheNormalPlaceAndKeepsUnknownKeys()
    {
        F->WriteIni("[custom]\nkeep=1\n[value]\nsplit=2\n");
        TForm1& window = Open();
        window.showMaximized();
        QTest::qWait(20);
        window.close();
        const std::optional<TMainSettings> stored =
            ReadMainSettings(window.IniPath(), F->Folder->path().toStdString());
        QVERIFY(stored.has_value());
        QCOMPARE(QRect(stored->Left, stored->Top, stored->Width, stored->Height),
                 QRect(100, 10, 612, 450));
        QCOMPARE(stored->Split, 2);
        QFile ini(QString::fromStdString(window.IniPath().string()));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("keep=1"));
    }

    void commandLineNamesWithBlanksLoadAsOneFile()
    {
        Picture(QStringLiteral("My Photo.bmp"), 30, 20, kRed);
        TForm1& window = Open({Path(QStringLiteral("My")), QStringLiteral("Photo.bmp")});
        QCOMPARE(window.Document().Count(), 1);
        QCOMPARE(SlotNames(), QStringList{QStringLiteral("My Photo.bmp")});
        QCOMPARE(window.gasu->value(), 1);
        QVERIFY(window.savebtn->isEnabled());
    }

    void filesPassedOverAreNamedInOneMessage()
    {
        const QString empty = Path(QStringLiteral("empty.png"));
        QFile(empty).open(QIODevice::WriteOnly);
        const QString missing = Path(QStringLiteral("nonexist.png"));
        TForm1& window = Open({missing, Picture(QStringLiteral("tiny.png"), 3, 2, kRed), empty});
        QCOMPARE(SlotNames(), QStringList{QStringLiteral("tiny.png")});
        QCOMPARE(F->Ui->Errors.size(), 1);
        const QStringList lines = F->Ui->Errors.front().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[2], missing + QStringLiteral(": ファイルが見つかりません"));
        QVERIFY(lines[3].startsWith(empty + QStringLiteral(": ")));

        // The same for a drop.
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(empty)});
        Drop(&window, QPoint(10, 10), data);
        QCOMPARE(F->Ui->Errors.size(), 2);
        QCOMPARE(F->Ui->Errors.back().split(QLatin1Char('\n')).mid(2), lines.mid(3));
    }

    void assistiveTechnologyReadsTheStatusAndNamesEveryWindow()
    {
        TForm1& window = Open();
        LoadThroughDialog({Picture(QStringLiteral("a.bmp"), 3, 2, kRed)});
        QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(window.StatusPanel0);
        QVERIFY(panel);
        QCOMPARE(panel->text(QAccessible::Name), QStringLiteral("  [1]a.bmp"));
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if ((top != &window && top->parentWidget() != &window) || qobject_cast<QMenu*>(top)) continue;
            QAccessibleInterface* named = QAccessible::queryAccessibleInterface(top);
            QVERIFY2(named && !named->text(QAccessible::Name).isEmpty(), qPrintable(top->objectName()));
        }
    }

    void aDropLoadsKnownFilesSortedIgnoringCase()
    {
        TForm1& window = Open();
        const QString b = Picture(QStringLiteral("b.jpg"), 30, 20, kRed);
        const QString a = Picture(QStringLiteral("A.png"), 30, 20, kGreen);
        const QString text = Path(QStringLiteral("c.txt"));
        std::ofstream(text.toStdString()) << "not a picture";
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(b), QUrl::fromLocalFile(a), QUrl::fromLocalFile(text)});
        Drop(&window, QPoint(10, 10), data);
        QCOMPARE(SlotNames(), (QStringList{QStringLiteral("A.png"), QStringLiteral("b.jpg")}));
        QVERIFY(F->Ui->Errors.isEmpty());
    }

    void pastesAPictureFromTheClipboard()
    {
        TForm1& window = Open();
        // A BMP file as programs put it on the clipboard: file header and packed DIB.
        TBigBitmap source;
        test::FillPattern(source, 3, 2);
        TMemoryStream bmp;
        source.SaveToStream(bmp);
        F->Ui->Clipboard = std::make_unique<QMimeData>();
        F->Ui->Clipboard->setData(QStringLiteral("image/bmp"),
                               QByteArray(reinterpret_cast<const char*>(bmp.Bytes().data()),
                                          static_cast<qsizetype>(bmp.Bytes().size())));
        PopupAt(5, window.Paste1);
        QCOMPARE(SlotNames(), QStringList{QStringLiteral("クリップボード")});
        QCOMPARE(F->JoinedSize(), QSize(3, 2));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                QCOMPARE(ColourAt(window.Document().Joined(), x, y), test::Pattern(x, y));

        // A plain image with a transparent half: that half comes out white.
        QImage image(4, 2, QImage::Format_ARGB32);
        image.fill(QColor(0, 0, 200));
        image.setPixelColor(0, 0, Qt::transparent);
        F->Ui->Clipboard = std::make_unique<QMimeData>();
        F->Ui->Clipboard->setImageData(image);
        PopupAt(5, window.Paste1);
        QCOMPARE(F->JoinedSize(), QSize(4, 2));
        QCOMPARE(ColourAt(window.Document().Joined(), 0, 0), clWhite);
        QCOMPARE(ColourAt(window.Document().Joined(), 1, 0), kBlue);

        // Nothing to paste: the item is off.
        F->Ui->Clipboard.reset();
        QTest::mouseClick(window.iview, Qt::RightButton, {}, QPoint(5, 5));
        window.PopupMenu1->hide();
        QVERIFY(!window.Paste1->isEnabled());
    }

    void aCopyPastesBackAsTheSamePixels()
    {
        TForm1& window = Open();
        LoadThroughDialog({Picture(QStringLiteral("a.bmp"), 30, 20, kRed),
                           Picture(QStringLiteral("b.bmp"), 10, 10, kGreen)});
        TBigBitmap joined;
        joined.Assign(&window.Document().Joined());
        window.copybtn->click();
        QVERIFY(F->Ui->Clipboard);
        QVERIFY(F->Ui->Clipboard->hasFormat(QStringLiteral("image/bmp")));
        QVERIFY(F->Ui->Clipboard->hasImage());
        QCOMPARE(qvariant_cast<QImage>(F->Ui->Clipboard->imageData()).size(), QSize(40, 20));

        window.clearbtn->click();
        PopupAt(5, window.Paste1);
        QCOMPARE(F->JoinedSize(), QSize(40, 20));
        for (const QPoint p : {QPoint(0, 0), QPoint(29, 19), QPoint(30, 0), QPoint(35, 15)})
            QCOMPARE(ColourAt(window.Document().Joined(), p.x(), p.y()), ColourAt(joined, p.x(), p.y()));
    }

    void toolBarCommandsRebuildThePicture()
    {
        TForm1& window = Open();
        LoadThroughDialog({Picture(QStringLiteral("a.bmp"), 40, 30, kRed),
                           Picture(QStringLiteral("b.bmp"), 20, 10, kGreen),
                           Picture(QStringLiteral("c.bmp"), 30, 20, kBlue)});
        QCOMPARE(F->Ui->OpenTitles, QStringList{QStringLiteral("画像を開く(&O)...")});
        QCOMPARE(window.gasu->value(), 3);
        QCOMPARE(F->JoinedSize(), QSize(90, 30));
        window.combo2->setCurrentIndex(1);
        QCOMPARE(F->JoinedSize(), QSize(40, 60));
        QCOMPARE(window.ComboBox1->currentIndex(), 1);
        window.combo3->setCurrentIndex(1);  // enlarged to the widest: 40x30, 40x20, 40x26
        QCOMPARE(F->JoinedSize(), QSize(40, 76));
        window.SpinEdit->setValue(1);
        QCOMPARE(F->JoinedSize(), QSize(40, 96));
        window.swapbtn->click();
        QCOMPARE(SlotNames(), (QStringList{"c.bmp", "b.bmp", "a.bmp"}));
        window.gasu->setValue(2);
        QCOMPARE(SlotNames(), (QStringList{"c.bmp", "b.bmp"}));
        QCOMPARE(F->JoinedSize(), QSize(30, 45));
        window.gasu->setValue(3);
        QCOMPARE(SlotNames(), (QStringList{"c.bmp", "b.bmp", "白紙"}));
        QCOMPARE(window.StatusPanel0->text(), QStringLiteral("  [1]c.bmp  [2]b.bmp  [3]白紙"));
        window.clearbtn->click();
        QCOMPARE(window.Document().Count(), 0);
        QCOMPARE(window.gasu->value(), 0);
        QVERIFY(!window.savebtn->isEnabled());
        QVERIFY(window.iview->Picture() == nullptr);
    }

    void popupCommandsWorkOnTheSlotUnderTheClick()
    {
        TForm1& window = Open();
        LoadThroughDialog({Picture(QStringLiteral("a.bmp"), 40, 30, kRed),
                           Picture(QStringLiteral("b.bmp"), 40, 30, kGreen)});
        const QRect shown = window.iview->PictureRect();
        const int inSecond = shown.left() + 60;
        F->Ui->OpenAnswers.push_back({Picture(QStringLiteral("x.bmp"), 40, 30, kBlue)});
        PopupAt(inSecond, window.loadhereitem);
        QCOMPARE(SlotNames(), (QStringList{"a.bmp", "x.bmp"}));
        F->Ui->OpenAnswers.push_back({Picture(QStringLiteral("y.bmp"), 40, 30, kBlue)});
        PopupAt(shown.left() + 5, window.addafteritem);
        QCOMPARE(F->Ui->OpenTitles.last(), QStringLiteral("画像の追加読み込み"));
        QCOMPARE(SlotNames(), (QStringList{"a.bmp", "y.bmp", "x.bmp"}));
        QCOMPARE(F->JoinedSize(), QSize(120, 30));
        PopupAt(window.iview->PictureRect().left() + 5, window.delpicitem);
        QCOMPARE(SlotNames(), (QStringList{"y.bmp", "x.bmp"}));
        PopupAt(5, window.popswap);
        QCOMPARE(SlotNames(), (QStringList{"x.bmp", "y.bmp"}));
        F->Ui->OpenAnswers.push_back({Path("a.bmp")});
        PopupAt(5, window.clearloaditem);
        QCOMPARE(SlotNames(), QStringList{"a.bmp"});
        PopupAt(5, window.clearitem);
        QCOMPARE(window.Document().Count(), 0);
    }

    void draggingASlotOntoAnotherExchangesThem()
    {
        TForm1& window = Open();
        LoadThroughDialog({Picture(QStringLiteral("a.bmp"), 40, 30, kRed),
                           Picture(QStringLiteral("b.bmp"), 40, 30, kGreen)});
        const QRect shown = window.iview->PictureRect();
        QVERIFY(window.iview->CanStartDrag(shown.topLeft() + QPoint(5, 5)));
        QMimeData data;
        data.setData(QStringLiteral("application/x-quilmo-picture"), "preview");
        Drop(window.iview, QPoint(shown.left() + 60, 5), data);
        QCOMPARE(SlotNames(), (QStringList{"b.bmp", "a.bmp"}));
    }

    void theWrapAndAlignControlsLayOutAGridAndAreKept()
    {
        F->WriteIni("[value]\nwrap=9\nalign=1\n");
        TForm1& window = Open();
        QCOMPARE(window.wrapspin->value(), 5);
        QCOMPARE(window.aligncombo->currentIndex(), 1);
        QVERIFY(window.aligncombo->isEnabled());
        window.wrapspin->setValue(0);
        QCOMPARE(window.wrapspin->text(), QStringLiteral("なし"));
        QVERIFY(!window.wrapspin->toolTip().isEmpty());
        QVERIFY(!window.aligncombo->toolTip().isEmpty());
        LoadThroughDialog({Picture(QStringLiteral("a.bmp"), 40, 30, kRed),
                           Picture(QStringLiteral("b.bmp"), 40, 30, kGreen),
                           Picture(QStringLiteral("c.bmp"), 40, 30, kBlue),
                           Picture(QStringLiteral("d.bmp"), 20, 10, kGreen)});
        window.wrapspin->setValue(2);
        QCOMPARE(F->JoinedSize(), QSize(80, 60));
        // The small picture sits in the middle of its place in the bottom row.
        QCOMPARE(ColourAt(window.Document().Joined(), 50, 40), kGreen);
        QCOMPARE(ColourAt(window.Document().Joined(), 50, 32), TColor{clWhite});
        window.combo3->setCurrentIndex(1);
        QVERIFY(!window.aligncombo->isEnabled());
        QVERIFY(!window.losslessbox->isChecked());
        window.losslessbox->click();
        window.close();
        const std::optional<TMainSettings> stored =
            ReadMainSettings(window.IniPath(), F->Folder->path().toStdString());
        QVERIFY(stored.has_value());
        QCOMPARE(stored->Wrap, 2);
        QCOMPARE(stored->Align, 1);
        QVERIFY(stored->Lossless);
    }

    void bothToolBarsFitTheDesignedWindow()
    {
        F->WriteIni("[form]\nwidth=817\n[value]\nbcombo=1\n");
        TForm1& window = Open();
        for (QToolBar* bar : window.findChildren<QToolBar*>())
            for (QAction* action : bar->actions()) {
                QWidget* control = bar->widgetForAction(action);
                QVERIFY2(control && control->isVisible(), qPrintable(control->objectName()));
                QVERIFY(control->geometry().right() < bar->width());
            }
    }

    void aFailedRebuildShowsTheErrorAndPutsTheControlBack()
    {
        TForm1& window = Open();
        // Side by side they fit a big bitmap (2,796,202 pixels), but not with gaps of 500.
        const int width = 932000;
        LoadThroughDialog({Picture(QStringLiteral("a.bmp"), width, 1, kRed),
                           Picture(QStringLiteral("b.bmp"), width, 1, kGreen),
                           Picture(QStringLiteral("c.bmp"), width, 1, kBlue)});
        window.SpinEdit->setValue(50);
        QCOMPARE(F->Ui->Errors, QStringList{kTooWide});
        QCOMPARE(window.SpinEdit->value(), 0);
        QCOMPARE(F->JoinedSize(), QSize(3 * width, 1));
        QCOMPARE(window.StatusPanel0->text(), QStringLiteral("  [1]a.bmp  [2]b.bmp  [3]c.bmp"));
        QVERIFY(window.ProgressBar1->isHidden());
        QVERIFY(window.savebtn->isEnabled());
    }

    void theSavedFormatFollowsTheName()
    {
        TForm1& window = Open();
        LoadThroughDialog({Picture(QStringLiteral("a.bmp"), 30, 20, kRed)});
        const QList<std::pair<QString, QByteArray>> cases = {
            {QStringLiteral("x.jpg"), "\xFF\xD8"}, {QStringLiteral("y.JPG"), "\xFF\xD8"},
            {QStringLiteral("z.jpeg"), "\xFF\xD8"}, {QStringLiteral("p.png"), "\x89P"},
            {QStringLiteral("plain"), "BM"}, {QStringLiteral("w.webp"), "RI"}};
        for (const auto& [name, start] : cases) {
            F->Ui->SaveAnswers.push_back(Path(name));
            window.savebtn->click();
            QCOMPARE(FileStart(Path(name)), start);
        }
        const TSaveDialogRequest& request = F->Ui->SaveRequests.front();
        QCOMPARE(request.FileName, Path(QStringLiteral("a")));
        QCOMPARE(window.StatusPanel0->text(), QStringLiteral("  [1]a.bmp"));

        // The dialog offers every format, the chosen one first and selected.
        const QString all = QStringLiteral("すべてのファイル (*.jpg *.jpeg *.png *.webp *.bmp)");
        const QList<std::tuple<TSaveFormat, QString, QString, bool>> formats = {
            {sfJPG, "jpg", "JPEG イメージファイル (*.jpg *.jpeg);;Portable Network Graphics (*.png);;WebP (*.webp);;ビットマップ (*.bmp)", true},
            {sfBMP, "bmp", "ビットマップ (*.bmp);;JPEG イメージファイル (*.jpg *.jpeg);;Portable Network Graphics (*.png);;WebP (*.webp)", false},
            {sfPNG, "png", "Portable Network Graphics (*.png);;JPEG イメージファイル (*.jpg *.jpeg);;WebP (*.webp);;ビットマップ (*.bmp)", false},
            {sfWebP, "webp", "WebP (*.webp);;JPEG イメージファイル (*.jpg *.jpeg);;Portable Network Graphics (*.png);;ビットマップ (*.bmp)", true}};
        for (const auto& [format, suffix, filter, quality] : formats) {
            window.Combo->setCurrentIndex(format);
            QCOMPARE(window.jpgoptionAction->isVisible(), quality);
            window.savebtn->click();
            QCOMPARE(F->Ui->SaveRequests.back().DefaultSuffix, suffix);
            QCOMPARE(F->Ui->SaveRequests.back().Filter, filter + QStringLiteral(";;") + all);
            QCOMPARE(F->Ui->SaveRequests.back().FilterIndex, 1);
        }
    }

    void theLosslessBoxSavesThePicturesOwnBlocksOrAsksToEncodeThemAgain()
    {
        TForm1& window = Open();
        // libjpeg's defaults sample colour 4:2:0: blocks of 16 x 16 pixels.
        const auto photo = [&](const QString& name, int width, int quality) {
            TBigBitmap picture;
            FillPattern(picture, width, 16);
            SavePictureFile(picture, Path(name).toStdString(), {quality, false});
            return Path(name);
        };
        const QString a = photo(QStringLiteral("a.jpg"), 32, 85);
        const QString b = photo(QStringLiteral("b.jpg"), 16, 50);
        const QString odd = photo(QStringLiteral("odd.jpg"), 20, 85);
        window.losslessbox->click();
        LoadThroughDialog({a, b});
        F->Ui->SaveAnswers.push_back(Path(QStringLiteral("kept.jpg")));
        window.savebtn->click();
        QCOMPARE(F->Ui->Informations,
                 QStringList{QStringLiteral("量子化テーブルが最初の画像と異なる画像を、そのテーブルに合わせて再量子化しました: [2]b.jpg")});
        const std::unique_ptr<TBigBitmap> kept = JpegPixels(Path(QStringLiteral("kept.jpg")));
        const std::unique_ptr<TBigBitmap> own = JpegPixels(a);
        for (int32_t y = 0; y < 16; ++y)
            for (int32_t x = 0; x < 29; ++x) QCOMPARE(ColourAt(*kept, x, y), ColourAt(*own, x, y));

        // A picture out of line: asked first; "No" saves nothing, "Yes" encodes the join again.
        window.clearbtn->click();
        LoadThroughDialog({odd, a});
        const QString question = QStringLiteral("無劣化では保存できません。\n無劣化では連結できません: 画像 1 (%1) は幅 20 ピクセルで、"
                                                "MCU の 16 の倍数ではありません; 画像 2 (%2) は x = 20 から始まり、"
                                                "MCU の 16 の倍数ではありません\n\n指定の画質で再エンコードして保存しますか？")
                                     .arg(odd, a);
        F->Ui->SaveAnswers.push_back(Path(QStringLiteral("no.jpg")));
        window.savebtn->click();
        QCOMPARE(F->Ui->Questions.back(), question);
        QVERIFY(!QFileInfo::exists(Path(QStringLiteral("no.jpg"))));
        F->Ui->SaveAnswers.push_back(Path(QStringLiteral("again.jpg")));
        F->Ui->ConfirmAnswers.push_back(QMessageBox::Yes);
        window.savebtn->click();
        QCOMPARE(F->Ui->Questions.size(), 2);
        QCOMPARE(JpegPixels(Path(QStringLiteral("again.jpg")))->GetWidth(), 52);
    }

    void theFrameWindowSetsTheWidths()
    {
        TForm1& window = Open();
        // No pictures: the widths are kept and the frame switched on, nothing is built.
        window.ToolButton22->click();
        QVERIFY(window.edgeform->isVisible());
        window.edgeform->SpinEdit1->setValue(5);
        window.edgeform->Button1Click();
        QVERIFY(!window.edgeform->isVisible());
        QCOMPARE(window.edgecombo->currentIndex(), 1);
        QCOMPARE(window.Document().RequestedSettings().FrameRect, (TRect{0, 5, 0, 0}));
        QVERIFY(window.Document().Joined().GetEmpty());

        window.edgecombo->setCurrentIndex(0);
        LoadThroughDialog({Picture(QStringLiteral("a.bmp"), 30, 20, kRed),
                           Picture(QStringLiteral("b.bmp"), 30, 20, kGreen)});
        QCOMPARE(F->JoinedSize(), QSize(60, 20));
        // The same widths again change nothing, even with the frame off.
        window.ToolButton22->click();
        QCOMPARE(window.edgeform->SpinEdit1->value(), 5);
        window.edgeform->Button1Click();
        QCOMPARE(window.edgecombo->currentIndex(), 0);
        QCOMPARE(F->JoinedSize(), QSize(60, 20));

        window.ToolButton22->click();
        for (QSpinBox* spin : {window.edgeform->SpinEdit1, window.edgeform->SpinEdit2,
                               window.edgeform->SpinEdit3, window.edgeform->SpinEdit4})
            spin->setValue(10);
        window.edgeform->Button1Click();
        QCOMPARE(window.edgecombo->currentIndex(), 1);
        QCOMPARE(F->JoinedSize(), QSize(80, 40));

        // Escape, also from a width being typed, closes the window and changes nothing.
        window.ToolButton22->click();
        window.edgeform->SpinEdit2->setValue(20);
        QTest::keyClick(window.edgeform->SpinEdit2, Qt::Key_Escape);
        QVERIFY(!window.edgeform->isVisible());
        QCOMPARE(F->JoinedSize(), QSize(80, 40));
    }

    void previewEdgesFollowTheWindowInBothModes()
    {
        TForm1& window = Open();
        LoadThroughDialog({Picture(QStringLiteral("a.bmp"), 100, 50, kRed),
                           Picture(QStringLiteral("b.bmp"), 100, 50, kGreen)});
        // The fast view scales in floating point, the edges in 1/128 steps: one pixel apart.
        const auto expectEdges = [&](int tolerance) {
            const QRect shown = window.iview->PictureRect();
            QVERIFY(std::abs(window.Document().SlotEdge(1) - (shown.right() + 1)) <= tolerance);
            QVERIFY(std::abs(window.Document().SlotEdge(0) - (shown.center().x() + 1)) <= 1);
        };
        expectEdges(0);
        const int before = window.Document().SlotEdge(1);
        window.resize(window.width() + 100, window.height());
        QTest::qWait(20);
        QCOMPARE(window.Document().SlotEdge(1), before + 50);
        expectEdges(0);

        window.viewbox->setCurrentIndex(1);  // fast: enlarged to fit the view
        QVERIFY(window.iview->Scaled());
        expectEdges(1);
        window.resize(window.width() - 200, window.height());
        QTest::qWait(20);
        expectEdges(1);
    }

    void theColourButtonsAndThePluginMenu()
    {
        TForm1& window = Open();
        F->Ui->ColourAnswers.push_back(QColor(10, 20, 30));
        window.ToolButton26->click();
        QCOMPARE(window.JoinColor(), RGBColor(10, 20, 30));
        F->Ui->ColourAnswers.push_back(QColor(1, 2, 3));
        window.ToolButton20->click();
        QCOMPARE(window.PanelColor(), RGBColor(1, 2, 3));

        const QString plugins = QString::fromLocal8Bit(qgetenv("QUILMO_BUILD_DIR")) + "/plugins";
        F->Ui->FolderAnswers.push_back(plugins);
        window.Susie1->trigger();
        QCOMPARE(F->Ui->Informations, QStringList{QStringLiteral("プラグイン読み込みに成功しました(^_^)v")});
        QCOMPARE(window.pluginInfoMenu->actions().size(), 5);
        QCOMPARE(window.pluginInfoMenu->actions().front()->text(), QStringLiteral("ifheif.spi"));
        QVERIFY(window.OpenFilter().contains(QStringLiteral("*.ppm")));

        F->Ui->FolderAnswers.push_back(F->Folder->path());
        window.Susie1->trigger();
        QCOMPARE(F->Ui->Errors, QStringList{QStringLiteral("プラグイン読み込みに失敗しました<(>_<)>")});
        QVERIFY(window.pluginInfoMenu->actions().isEmpty());
        QVERIFY(!window.OpenFilter().contains(QStringLiteral("*.ppm")));
    }

    void theShippedPluginsNeedNoSetUpAndCanBeSwitchedOff()
    {
        // The program folder beside a plugins folder, as in the build tree.
        const QString build = QString::fromLocal8Bit(qgetenv("QUILMO_BUILD_DIR"));
        for (const char* folder : {"program", "plugins", "user"}) QVERIFY(QDir().mkpath(Path(folder)));
        for (const QString& plugin : {QStringLiteral("ifpnm.spi"), QStringLiteral("ifwebp.spi")})
            QVERIFY(QFile::link(build + "/plugins/" + plugin, Path("plugins/" + plugin)));
        QVERIFY(QFile::link(build + "/tests/plugins/spi/t_script.spi", Path(QStringLiteral("user/t_script.spi"))));
        const QString pixmap = Path(QStringLiteral("a.PPM"));
        std::ofstream(pixmap.toStdString()) << "P3 2 1 255 255 0 0 0 0 255\n";
        const auto menuCaptions = [](const TForm1& window) {
            QStringList captions;
            for (const QAction* item : window.pluginInfoMenu->actions()) captions << item->text();
            return captions;
        };
        {
            TForm1 window(*F->Ui, Path(QStringLiteral("program")).toStdString(), {});
            window.Start();
            QVERIFY(F->Ui->Informations.isEmpty() && F->Ui->Errors.isEmpty());
            QCOMPARE(menuCaptions(window), (QStringList{QStringLiteral("ifpnm.spi"), QStringLiteral("ifwebp.spi")}));
            QVERIFY(window.OpenFilter().contains(QStringLiteral("*.webp")));
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(pixmap)});
            Drop(&window, QPoint(10, 10), data);
            QCOMPARE(window.Document().Count(), 1);

            // A folder of the user's is asked first; the shipped plug-ins stay after it.
            F->Ui->FolderAnswers.push_back(Path(QStringLiteral("user")));
            window.Susie1->trigger();
            QCOMPARE(F->Ui->Informations, QStringList{QStringLiteral("プラグイン読み込みに成功しました(^_^)v")});
            QCOMPARE(menuCaptions(window), (QStringList{QStringLiteral("t_script.spi"), QStringLiteral("ifpnm.spi"),
                                                        QStringLiteral("ifwebp.spi")}));
        }
        std::ofstream(Path(QStringLiteral("program/quilmo.ini")).toStdString()) << "[file]\nshippedplugins=0\n";
        TForm1 window(*F->Ui, Path(QStringLiteral("program")).toStdString(), {});
        window.Start();
        QVERIFY(window.pluginInfoMenu->actions().isEmpty());
        QVERIFY(!window.OpenFilter().contains(QStringLiteral("*.webp")));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
