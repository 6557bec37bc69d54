// What takes the joined picture out of the program: the save-size window, printing and the
// effects program.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QRegularExpression>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QToolButton>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>

#include "app/shell/colors.h"
#include "app/output/picture_printer.h"
#include "app/main/preview_view.h"
#include "app/shell/qt_ui_services.h"
#include "app/output/resize_save_window.h"
#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/stream.h"
#include "core/slot_document.h"
#include "support/picture_checks.h"
#include "window_fixture.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

void ExpectSamePixels(TBigBitmap& a, TBigBitmap& b)
{
    QCOMPARE(QSize(a.GetWidth(), a.GetHeight()), QSize(b.GetWidth(), b.GetHeight()));
    for (int32_t y = 0; y < a.GetHeight(); ++y)
        for (int32_t x = 0; x < a.GetWidth(); ++x)
            if (ColourAt(a, x, y) != ColourAt(b, x, y)) QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
}

// What poppler says of a PDF file.
QString PdfInfo(const QString& pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished();
    return QString::fromUtf8(info.readAllStandardOutput());
}

// The page rendered at dpi, and the bounding box of its pixels that are not white.
QRect InkOnPage(const QString& pdf, int dpi)
{
    const QString png = pdf + QStringLiteral(".png");
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {"-r", QString::number(dpi), "-png", "-singlefile", pdf, pdf});
    const QImage page(png);
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 200) ink |= QRect(x, y, 1, 1);
    return ink;
}

void LoadBmp(const QString& name, TBigBitmap& picture)
{
    picture.LoadFromFile(name.toStdString());
}

}  // namespace

class OutputWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TWindowFixture> F;

    // The main window with one pattern picture of width x height loaded.
    Tresizeform& ResizeWindowFor(int width, int height)
    {
        TBigBitmap pattern;
        FillPattern(pattern, width, height);
        const QString name = F->Path(QStringLiteral("p.bmp"));
        pattern.SaveToFile(name.toStdString());
        F->Open();
        F->LoadThroughDialog({name});
        F->Window->resavebtn->click();
        return *F->Window->resizeform;
    }

private slots:
    void initTestCase() { PrepareWindowTests(); }
    void init() { F = std::make_unique<TWindowFixture>(); }
    void cleanup() { F.reset(); }

    void theSizeBoxesKeepTheProportions()
    {
        Tresizeform& window = ResizeWindowFor(300, 200);
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), QStringLiteral("保存サイズ"));
        QCOMPARE(window.Edit1->text(), QStringLiteral("300"));
        QCOMPARE(window.Edit2->text(), QStringLiteral("200"));
        window.Edit1->selectAll();
        QTest::keyClicks(window.Edit1, QStringLiteral("1000"));
        QCOMPARE(window.Edit2->text(), QStringLiteral("667"));
        window.Edit1->selectAll();
        QTest::keyClicks(window.Edit1, QStringLiteral("450"));
        QCOMPARE(window.Edit2->text(), QStringLiteral("300"));
        window.Edit2->selectAll();
        QTest::keyClicks(window.Edit2, QStringLiteral("100"));
        QCOMPARE(window.Edit1->text(), QStringLiteral("150"));

        window.CheckBox1->setChecked(true);
        QCOMPARE(window.Edit1->text(), QStringLiteral("600"));
        QCOMPARE(window.Edit2->text(), QStringLiteral("400"));
        // "倍" holds the boxes: a typed height no longer moves the width.
        window.Edit2->setText(QStringLiteral("10"));
        QCOMPARE(window.Edit1->text(), QStringLiteral("600"));
        // A key in a box ends it and couples them again.
        window.Edit2->selectAll();
        QTest::keyClicks(window.Edit2, QStringLiteral("20"));
        QVERIFY(!window.CheckBox1->isChecked());
        QCOMPARE(window.Edit1->text(), QStringLiteral("30"));
    }

    void keysTypedFasterThanTheBoxesFollowAreNotLost()
    {
        Tresizeform& window = ResizeWindowFor(700, 300);
        window.Edit1->selectAll();
        // All four keys are waiting before the first is handled, as when typing quickly.
        for (const char key : {'2', '1', '0', '0'})
            QCoreApplication::postEvent(window.Edit1, new QKeyEvent(QEvent::KeyPress, Qt::Key_0 + (key - '0'), {}, QString(QChar(key))));
        QCoreApplication::processEvents();
        QCOMPARE(window.Edit1->text(), QStringLiteral("2100"));
        QCOMPARE(window.Edit2->text(), QStringLiteral("900"));
    }

    void theSaveDialogStartsInTheFolderTypedLastTime()
    {
        TQtUiServices ui;
        QTemporaryDir other;
        const QString typed = other.filePath(QStringLiteral("typed.jpg"));
        TSaveDialogRequest request;
        request.Filter = QStringLiteral("JPEG (*.jpg)");
        request.DefaultSuffix = QStringLiteral("jpg");
        QString startedIn;
        // Runs on the dialog once it is up: notes its folder, then types a name or cancels.
        const auto answer = [&](const QString& name) {
            QTimer::singleShot(0, [&, name] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                startedIn = dialog->directory().absolutePath();
                if (name.isEmpty()) return dialog->reject();
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
                static_cast<QDialog*>(dialog)->accept();
            });
        };
        answer(typed);
        QCOMPARE(ui.GetSaveFileName(nullptr, request), typed);
        request.FileName = QStringLiteral("クリップボード");
        answer({});
        QCOMPARE(ui.GetSaveFileName(nullptr, request), QString());
        QCOMPARE(startedIn, other.path());
    }

    void halfSizeRoundsDownAndStaysForTheNextShowing()
    {
        Tresizeform& window = ResizeWindowFor(301, 201);
        window.CheckBox2->setChecked(true);
        QCOMPARE(window.Edit1->text(), QStringLiteral("150"));
        QCOMPARE(window.Edit2->text(), QStringLiteral("100"));
        window.Button2Click();
        QVERIFY(!window.isVisible());
        F->Window->resavebtn->click();
        QVERIFY(window.CheckBox2->isChecked());
        QCOMPARE(window.Edit1->text(), QStringLiteral("150"));
    }

    void tinyPicturesAndCancelledDialogs()
    {
        Tresizeform& window = ResizeWindowFor(2, 100);
        window.Button1Click();
        QVERIFY(window.isVisible());
        QVERIFY(F->Ui->SaveRequests.empty());
        F.reset();

        F = std::make_unique<TWindowFixture>();
        Tresizeform& other = ResizeWindowFor(30, 20);
        other.Button1Click();  // the fake dialog is cancelled
        QCOMPARE(F->Ui->SaveRequests.size(), size_t{1});
        QVERIFY(!other.isVisible());
    }

    void aSizeOutsideTheBoxesRangeIsRefusedWithAMessage()
    {
        Tresizeform& window = ResizeWindowFor(30, 40000);
        window.CheckBox1->setChecked(true);  // 80000 high
        window.Button1Click();
        QCOMPARE(F->Ui->Errors.size(), 1);
        QVERIFY(window.isVisible());
        QVERIFY(F->Ui->SaveRequests.empty());
    }

    void theSavedPictureMatchesTheCommandLineResize()
    {
        Tresizeform& window = ResizeWindowFor(40, 30);
        window.resamcombo->setCurrentIndex(1);  // " Bicubic"
        window.Edit1->setText(QStringLiteral("70"));
        const QString saved = F->Path(QStringLiteral("big.bmp"));
        F->Ui->SaveAnswers.push_back(saved);
        window.Button1Click();
        QVERIFY(!window.isVisible());
        QVERIFY(F->Window->ProgressBar1->isHidden());

        const QString cli = qEnvironmentVariable("QUILMO_BUILD_DIR") + "/cli/quilmo-cli";
        const QString expected = F->Path(QStringLiteral("cli.bmp"));
        QCOMPARE(QProcess::execute(cli, {"resize", "--method", "bicubic", F->Path("p.bmp"), expected,
                                         "70", window.Edit2->text()}),
                 0);
        TBigBitmap ours;
        TBigBitmap theirs;
        LoadBmp(saved, ours);
        LoadBmp(expected, theirs);
        QCOMPARE(ours.GetWidth(), 70);
        QCOMPARE(ours.GetHeight(), 52);  // 52.5 rounds to even
        ExpectSamePixels(ours, theirs);

        // The same width reduces (and a typed-over method does not matter then).
        F->Window->resavebtn->click();
        window.resamcombo->setEditText(QStringLiteral("something"));
        QCOMPARE(window.Edit1->text(), QStringLiteral("40"));
        window.updating = true;  // out of proportion: only the height changes
        window.Edit2->setText(QStringLiteral("10"));
        window.updating = false;
        F->Ui->SaveAnswers.push_back(F->Path(QStringLiteral("flat.bmp")));
        window.Button1Click();
        QCOMPARE(QProcess::execute(cli, {"resize", "--method", "reduce", F->Path("p.bmp"),
                                         F->Path("cli-flat.bmp"), "40", "10"}),
                 0);
        LoadBmp(F->Path(QStringLiteral("flat.bmp")), ours);
        LoadBmp(F->Path(QStringLiteral("cli-flat.bmp")), theirs);
        ExpectSamePixels(ours, theirs);
    }

    void printsOnePageInTheChosenOrientationFittedToThePrintableArea()
    {
        TForm1& window = F->Open();
        F->LoadThroughDialog({F->Picture(QStringLiteral("a.bmp"), 400, 100, kRed)});
        QPrinter& printer = window.PicturePrinter().Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        window.setbtn->click();
        QCOMPARE(F->Ui->PrinterSetups, 1);
        for (const int orientation : {0, 1}) {
            const QString pdf = F->Path(QStringLiteral("page%1.pdf").arg(orientation));
            printer.setOutputFileName(pdf);
            printer.setPageOrientation(orientation == 0 ? QPageLayout::Portrait
                                                        : QPageLayout::Landscape);
            window.ComboBox1->setCurrentIndex(orientation);
            window.printbtn->click();
            const QString info = PdfInfo(pdf);
            QVERIFY(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\n"))));
            QVERIFY(info.contains(QStringLiteral("Quilmo印刷")));
            const QRectF paper = printer.pageLayout().fullRectPoints();
            QCOMPARE(paper.width() > paper.height(), orientation == 0);

            // The picture fills the printable width and sits in the middle of its height.
            const int dpi = 30;
            const QRectF area = printer.pageLayout().paintRectPoints();
            const QRect ink = InkOnPage(pdf, dpi);
            const double scale = dpi / 72.0;
            QVERIFY(std::abs(ink.left() - area.left() * scale) <= 1.5);
            QVERIFY(std::abs(ink.right() + 1 - area.right() * scale) <= 1.5);
            QVERIFY(std::abs(ink.center().y() - area.center().y() * scale) <= 1.5);
            QVERIFY(std::abs(ink.width() - 4.0 * ink.height()) <= 6);
        }
    }

    void aSixtyThousandPixelWidePictureIsShownCopiedSavedAndPrinted()
    {
        TForm1& window = F->Open();
        const TColor colours[] = {kRed, kGreen, kBlue, RGBColor(200, 200, 0), RGBColor(0, 200, 200),
                                  RGBColor(200, 0, 200)};
        QStringList names;
        for (int i = 0; i < 6; ++i)
            names << F->Picture(QStringLiteral("%1.png").arg(i), 10000, 200, colours[i]);
        F->LoadThroughDialog(names);
        QCOMPARE(F->JoinedSize(), QSize(60000, 200));
        QVERIFY(F->Ui->Errors.isEmpty());

        // Preview and slot edges, reduced and scaled by the view: each picture a sixth of it.
        for (const int mode : {0, 1}) {
            window.viewbox->setCurrentIndex(mode);
            const QRect shown = window.iview->PictureRect();
            const QImage view = window.iview->grab().toImage();
            const int y = shown.center().y();
            for (int i = 0; i < 6; ++i) {
                const int x = shown.left() + (2 * i + 1) * shown.width() / 12;
                QCOMPARE(view.pixel(x, y) & 0xFFFFFF, ToQColor(colours[i]).rgb() & 0xFFFFFF);
                QVERIFY(std::abs(window.Document().SlotEdge(i) - (shown.left() + (i + 1) * shown.width() / 6)) <= 1);
            }
        }

        // Copied as one BMP of the whole width.
        window.copybtn->click();
        const QByteArray bmp = F->Ui->Clipboard->data(QStringLiteral("image/bmp"));
        QCOMPARE(bmp.size(), 54 + 180000 * 200);
        TBigBitmap copied;
        TReadOnlyMemoryStream copyStream(reinterpret_cast<const uint8_t*>(bmp.constData()), size_t(bmp.size()));
        copied.LoadFromStream(copyStream);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(ColourAt(copied, 10000 * i, 0), colours[i]);
            QCOMPARE(ColourAt(copied, 10000 * i + 9999, 199), colours[i]);
        }

        // Saved at half the size.
        window.resavebtn->click();
        window.resizeform->CheckBox2->setChecked(true);
        const QString half = F->Path(QStringLiteral("half.bmp"));
        F->Ui->SaveAnswers.push_back(half);
        window.resizeform->Button1Click();
        TBigBitmap saved;
        LoadBmp(half, saved);
        QCOMPARE(QSize(saved.GetWidth(), saved.GetHeight()), QSize(30000, 100));
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(ColourAt(saved, 5000 * i, 0), colours[i]);
            QCOMPARE(ColourAt(saved, 5000 * i + 4999, 99), colours[i]);
        }

        // Printed across the page as a strip of its own proportions, the pictures in order.
        QPrinter& printer = window.PicturePrinter().Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = F->Path(QStringLiteral("wide.pdf"));
        printer.setOutputFileName(pdf);
        window.ComboBox1->setCurrentIndex(0);
        window.printbtn->click();
        const int dpi = 300;
        const QRect ink = InkOnPage(pdf, dpi);
        const QRectF area = printer.pageLayout().paintRectPoints();
        QVERIFY(std::abs(ink.width() - area.width() * dpi / 72.0) <= 2);
        QVERIFY(std::abs(ink.height() - ink.width() * 200.0 / 60000) <= 2);
        const QImage page(pdf + QStringLiteral(".png"));
        for (int i = 0; i < 6; ++i) {
            const QColor seen = page.pixelColor(ink.left() + (2 * i + 1) * ink.width() / 12, ink.center().y());
            const QColor wanted = ToQColor(colours[i]);
            QVERIFY(std::abs(seen.red() - wanted.red()) + std::abs(seen.green() - wanted.green()) +
                        std::abs(seen.blue() - wanted.blue()) <= 12);
        }
        QVERIFY(F->Ui->Errors.isEmpty());
    }

    void escapeWhileTheJobStartsPrintsNothing()
    {
        TForm1& window = F->Open();
        F->LoadThroughDialog({F->Picture(QStringLiteral("a.bmp"), 40, 30, kRed)});
        QPrinter& printer = window.PicturePrinter().Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = F->Path(QStringLiteral("stopped.pdf"));
        printer.setOutputFileName(pdf);
        QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
        window.printbtn->click();
        QCOMPARE(F->Ui->Informations, QStringList{QStringLiteral("印刷を中止しました")});
        QVERIFY(!PdfInfo(pdf).contains(QStringLiteral("Pages:")));
        QVERIFY(!window.PicturePrinter().Printing());
    }

    void theEffectsProgramGetsTheCopyDataRecord()
    {
        WriteEffectsStandIn("");
        TForm1& window = F->Open();
        QVERIFY(window.ToolButton8->isEnabled());
        window.ToolButton8->click();
        QTRY_VERIFY(QFile::exists(F->Path(QStringLiteral("arguments"))));
        QCOMPARE(ReadFile(QStringLiteral("arguments")), QByteArray("c|"));
        QFile::remove(F->Path(QStringLiteral("arguments")));

        F->LoadThroughDialog({F->Picture(QStringLiteral("a.bmp"), 5, 3, kRed),
                              F->Picture(QStringLiteral("b.bmp"), 2, 2, kBlue)});
        window.ToolButton8->click();
        QTRY_VERIFY(QFile::exists(F->Path(QStringLiteral("arguments"))));
        QCOMPARE(window.StatusPanel0->text(), QStringLiteral("  [1]a.bmp  [2]b.bmp"));
        QCOMPARE(ReadFile(QStringLiteral("input")), CopyDataRecord(window.Document().Joined()));
    }

    void anEffectsProgramThatDoesNotReadLeavesTheWindowFree()
    {
        // The stand-in reads nothing until the test says so, after the window has gone; it
        // gives up after ten seconds, and says so, for a window that waits on it meanwhile.
        WriteEffectsStandIn("i=0; while [ ! -e go ]; do i=$((i+1)); "
                            "if [ $i -gt 200 ]; then touch waited-out; break; fi; sleep 0.05; done\n");
        TForm1& window = F->Open();
        // Far more than a pipe holds.
        F->LoadThroughDialog({F->Picture(QStringLiteral("a.bmp"), 400, 300, kRed)});
        const QByteArray expected = CopyDataRecord(window.Document().Joined());
        window.ToolButton8->click();
        F->Window.reset();
        QFile go(F->Path(QStringLiteral("go")));
        QVERIFY(go.open(QIODevice::WriteOnly));
        go.close();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(F->Path(QStringLiteral("arguments"))), 20000);
        QVERIFY(!QFile::exists(F->Path(QStringLiteral("waited-out"))));
        QCOMPARE(ReadFile(QStringLiteral("input")), expected);
    }

private:
    // A stand-in effects program beside the program that runs wait, then writes down its
    // arguments and everything on its standard input.
    void WriteEffectsStandIn(const char* wait)
    {
        QFile script(F->Path(QStringLiteral("morvane")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ncd \"$(dirname \"$0\")\"\n");
        script.write(wait);
        script.write("cat > input.part\nprintf '%s|' \"$@\" > arguments.part\n"
                     "mv input.part input; mv arguments.part arguments\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }

    QByteArray ReadFile(const QString& name) const
    {
        QFile file(F->Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Identifier 1141 and length, little-endian, then the picture's BMP stream.
    static QByteArray CopyDataRecord(const TBigBitmap& picture)
    {
        TMemoryStream bmp;
        const_cast<TBigBitmap&>(picture).SaveToStream(bmp);
        QByteArray record("\x75\x04\x00\x00", 4);
        const auto length = static_cast<uint32_t>(bmp.Bytes().size());
        for (int shift = 0; shift < 32; shift += 8) record.append(char(length >> shift));
        record.append(reinterpret_cast<const char*>(bmp.Bytes().data()),
                      static_cast<qsizetype>(bmp.Bytes().size()));
        return record;
    }
};

QTEST_MAIN(OutputWindowsTest)
#include "output_windows_test.moc"
