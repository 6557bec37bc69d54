// The batch window as a user drives it: files opened, added and dropped onto the two lists, the
// rows arranged and dragged, the pair previews, save and print runs with their progress window,
// and the settings kept across a new start.

#include <unistd.h>

#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "app/batch/batch_list_box.h"
#include "app/batch/batch_preview.h"
#include "app/batch/batch_progress_window.h"
#include "app/batch/batch_window.h"
#include "app/shell/folder_dialog.h"
#include "app/output/picture_printer.h"
#include "app/batch/radio_group.h"
#include "batch/batch_texts.h"
#include "bigbitmap/big_bitmap.h"
#include "core/slot_document.h"
#include "input/slot_loading.h"
#include "support/picture_checks.h"
#include "window_fixture.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

constexpr TColor kYellow = RGBColor(200, 200, 0);
constexpr TColor kMagenta = RGBColor(255, 0, 255);

// The file titles the list shows, in its order.
QStringList Titles(const QListWidget* list)
{
    QStringList titles;
    for (int row = 0; row < list->count(); ++row)
        titles << QFileInfo(list->item(row)->text()).completeBaseName();
    return titles;
}

QPoint RowCentre(QListWidget* list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

// The colour in the middle of a preview, as painted.
TColor ShownColour(TBatchPreview* preview)
{
    const QColor colour = preview->grab().toImage().pixelColor(preview->rect().center());
    return RGBColor(colour.red(), colour.green(), colour.blue());
}

QStringList Lines(const TForm3* progress)
{
    return progress->Memo1->toPlainText().split(QLatin1Char('\n'));
}

QString PdfInfo(const QString& pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished();
    return QString::fromUtf8(info.readAllStandardOutput());
}

}  // namespace

class BatchWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TWindowFixture> F;

    // The batch window showing the files, opened through the main window's batch button.
    TForm2& OpenBatch(const QStringList& files)
    {
        F->Ui->OpenAnswers.push_back(files);
        F->Window->batchbtn->click();
        return *F->Window->Form2;
    }

    // Pictures 4 x 3 in the colours, named p1.bmp, p2.bmp, ...
    QStringList Pictures(const QList<TColor>& colours)
    {
        QStringList names;
        for (const TColor colour : colours)
            names << F->Picture(QStringLiteral("p%1.bmp").arg(names.size() + 1), 4, 3, colour);
        return names;
    }

private slots:
    void initTestCase() { PrepareWindowTests(); }
    void init() { F = std::make_unique<TWindowFixture>(); }
    void cleanup() { F.reset(); }

    void theListsFollowOpeningAddingDroppingSortingSwappingAndRowDrags()
    {
        F->Open();
        const auto file = [this](const char* name, TColor colour) {
            return F->Picture(QString::fromLatin1(name), 40, 30, colour);
        };
        TForm2& batch = OpenBatch({file("c.bmp", kRed), file("a.bmp", kGreen), file("e.bmp", kBlue),
                                   file("b.bmp", kYellow), file("d.bmp", kMagenta)});
        QVERIFY(batch.isVisible());
        QCOMPARE(batch.windowTitle(), QStringLiteral("Quilmo (^｡^) バッチ処理"));
        QCOMPARE(F->Ui->OpenTitles, QStringList{QStringLiteral("一括処理用にファイルを開く")});
        QCOMPARE(Titles(batch.ListBox2), (QStringList{"c", "e", "d"}));
        QCOMPARE(Titles(batch.ListBox1), (QStringList{"a", "b"}));
        QCOMPARE(batch.Edit2->text(), F->Folder->path() + QLatin1Char('/'));
        QCOMPARE(F->Window->Loader().FLastDir.string(), F->Folder->path().toStdString());
        QCOMPARE(batch.Image1->toolTip(), F->Path(QStringLiteral("a.bmp")));
        QCOMPARE(batch.ListBox1->item(1)->toolTip(), F->Path(QStringLiteral("b.bmp")));
        QCOMPARE(ShownColour(batch.Image1), kGreen);
        QCOMPARE(ShownColour(batch.Image2), kRed);

        // List 1 is the shorter one, so it takes the first added file.
        F->Ui->OpenAnswers.push_back({file("f.bmp", kRed), file("g.bmp", kGreen)});
        batch.Button12->click();
        QCOMPARE(Titles(batch.ListBox1), (QStringList{"a", "b", "f"}));
        QCOMPARE(Titles(batch.ListBox2), (QStringList{"c", "e", "d", "g"}));

        // Only existing files come in from the desktop.
        QMimeData desktop;
        desktop.setUrls({QUrl::fromLocalFile(file("h.bmp", kBlue)),
                         QUrl::fromLocalFile(F->Folder->path()),
                         QUrl::fromLocalFile(F->Path(QStringLiteral("missing.bmp")))});
        Drop(&batch, QPoint(20, 20), desktop);
        QCOMPARE(Titles(batch.ListBox1), (QStringList{"a", "b", "f", "h"}));

        batch.Button8->click();
        QCOMPARE(Titles(batch.ListBox2), (QStringList{"c", "d", "e", "g"}));
        QCOMPARE(Titles(batch.ListBox1), (QStringList{"a", "b", "f", "h"}));

        // A click on a row shows its pair.
        QTest::mouseClick(batch.ListBox1->viewport(), Qt::LeftButton, {},
                          RowCentre(batch.ListBox1, 2));
        QCOMPARE(batch.ListBox2->currentRow(), 2);
        QCOMPARE(batch.Image2->toolTip(), F->Path(QStringLiteral("e.bmp")));
        QCOMPARE(ShownColour(batch.Image1), kRed);
        QCOMPARE(ShownColour(batch.Image2), kBlue);

        // Row 1 of list 2 dragged onto row 0 of list 1 moves over, and the pairs after it shift.
        QTest::mousePress(batch.ListBox2->viewport(), Qt::LeftButton, {},
                          RowCentre(batch.ListBox2, 1));
        QTest::mouseRelease(batch.ListBox2->viewport(), Qt::LeftButton, {},
                            RowCentre(batch.ListBox2, 1));
        std::unique_ptr<QMimeData> row(TBatchListBox::RowDragData(*batch.ListBox2));
        Drop(batch.ListBox1->viewport(), RowCentre(batch.ListBox1, 0), *row);
        QCOMPARE(Titles(batch.ListBox1), (QStringList{"d", "a", "b", "f", "h"}));
        QCOMPARE(Titles(batch.ListBox2), (QStringList{"c", "e", "g"}));
        QCOMPARE(batch.ListBox1->currentRow(), 0);
        QCOMPARE(ShownColour(batch.Image1), kMagenta);
        // Within a list the two rows change places.
        QTest::mousePress(batch.ListBox2->viewport(), Qt::LeftButton, {},
                          RowCentre(batch.ListBox2, 2));
        QTest::mouseRelease(batch.ListBox2->viewport(), Qt::LeftButton, {},
                            RowCentre(batch.ListBox2, 2));
        Drop(batch.ListBox2->viewport(), RowCentre(batch.ListBox2, 0), *row);
        QCOMPARE(Titles(batch.ListBox2), (QStringList{"g", "e", "c"}));

        batch.Button13->click();
        QCOMPARE(Titles(batch.ListBox1), (QStringList{"g", "e", "c"}));
        QCOMPARE(Titles(batch.ListBox2), (QStringList{"d", "a", "b", "f", "h"}));

        // The previews share the strip side by side, or stacked with list 2's picture on top.
        QVERIFY(batch.Image1->geometry().right() < batch.Image2->geometry().left());
        batch.RadioGroup2->Button(1)->click();
        QVERIFY(batch.Image2->geometry().bottom() < batch.Image1->geometry().top());
        QCOMPARE(batch.Image2->width(), batch.Image1->width());

        batch.Button11->click();
        QCOMPARE(batch.ListBox1->count() + batch.ListBox2->count(), 0);
        QVERIFY(!batch.Image1->HasPicture() && !batch.Image2->HasPicture());
    }

    void aSaveRunJoinsEveryPairIntoTheChosenFolder()
    {
        F->Open();
        const QStringList left = Pictures({kRed, kGreen, kYellow});
        const QString right = F->Picture(QStringLiteral("r.bmp"), 2, 3, kBlue);
        TForm2& batch = OpenBatch({left[0], right, left[1], right, left[2]});
        batch.Button13->click();  // list 1 takes the left pictures, list 2 the right ones

        // Saving under the sources' names beside them asks first; "No" saves nothing.
        batch.fileGroup->SetItemIndex(bnSameName);
        batch.Button1->click();
        QCOMPARE(F->Ui->Questions, QStringList{QString::fromUtf8(kOverwriteQuestion)});
        QVERIFY(!batch.Form3->isVisible());

        batch.fileGroup->SetItemIndex(bnSequential);
        F->Ui->FolderAnswers.push_back(F->Path(QStringLiteral("out")));
        batch.Radio2->click();
        QVERIFY(batch.Radio2->isChecked());
        QCOMPARE(batch.Edit2->text(), F->Path(QStringLiteral("out/")));
        F->Ui->ColourAnswers.push_back(QColor(255, 0, 255));
        batch.Panel5->click();
        QCOMPARE(batch.MarginColor(), kMagenta);
        batch.Spin->setValue(10);
        batch.Button1->click();

        QVERIFY(batch.Form3->isVisible());
        QCOMPARE(Lines(batch.Form3),
                 (QStringList{"1行目処理中------完了", "2行目処理中------完了",
                              "3行目処理中------完了", "・・・バッチ処理完了！"}));
        QVERIFY(batch.Form3->Button1->isVisible());
        QVERIFY(!batch.Form3->Button2->isVisible());
        const auto result = [this](int k, TBigBitmap& picture) {
            picture.LoadFromFile(F->Path(QStringLiteral("out/0%1.bmp").arg(k)).toStdString());
        };
        TBigBitmap picture;
        result(1, picture);
        QCOMPARE(QSize(picture.GetWidth(), picture.GetHeight()), QSize(16, 3));
        QCOMPARE(ColourAt(picture, 0, 0), kRed);
        QCOMPARE(ColourAt(picture, 5, 2), kMagenta);
        QCOMPARE(ColourAt(picture, 15, 2), kBlue);
        result(2, picture);
        QCOMPARE(ColourAt(picture, 0, 0), kGreen);
        // The third picture has no partner: margin where it would be.
        result(3, picture);
        QCOMPARE(QSize(picture.GetWidth(), picture.GetHeight()), QSize(18, 3));
        QCOMPARE(ColourAt(picture, 3, 0), kYellow);
        QCOMPARE(ColourAt(picture, 17, 0), kMagenta);

        batch.Form3->Button1->click();
        QVERIFY(!batch.Form3->isVisible());
        // "中止" is seen before the next pair.
        QMetaObject::invokeMethod(batch.Form3->Button2, &QPushButton::click, Qt::QueuedConnection);
        batch.Button1->click();
        QCOMPARE(Lines(batch.Form3), QStringList{QString::fromUtf8(kBatchStoppedLine)});
        QVERIFY(batch.Form3->Button1->isVisible());
        QVERIFY(batch.Form3->Button2->isVisible());
    }

    void aFailedPairShowsItsReasonBesideItsLineAfterTheRun()
    {
        F->Open();
        TForm2& batch = OpenBatch(Pictures({kRed, kBlue}));
        batch.RadioGroup3->SetItemIndex(bfPNG);
        batch.Radio2->setChecked(true);
        const QString folder = F->Path(QStringLiteral("out"));
        QVERIFY(QDir().mkdir(folder));
        batch.Edit2->setText(folder + QLatin1Char('/'));
        batch.Button1->click();
        QCOMPARE(Lines(batch.Form3), (QStringList{"1行目処理中------完了", "・・・バッチ処理完了！"}));
        QCOMPARE(FileStart(folder + QStringLiteral("/01.png")), QByteArray("\x89P"));

        // A folder that cannot be written: read-only, or below a file for a user who may
        // write anywhere.
        QFile(folder).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        if (access(folder.toLocal8Bit().constData(), W_OK) == 0)
            batch.Edit2->setText(F->Path(QStringLiteral("p1.bmp/")));
        batch.Button1->click();
        QFile(folder).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QStringList lines = Lines(batch.Form3);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith(QStringLiteral("1行目処理中------エラー (ファイル ")), qPrintable(lines[0]));
        QVERIFY2(lines[0].contains(QStringLiteral("01.png")), qPrintable(lines[0]));
        QVERIFY(batch.Form3->isVisible());
    }

    void theFolderDialogTakesAFolderThatIsNotThereYetAndAFolderThatCannotBeMadeIsSaid()
    {
        const QString typed = F->Path(QStringLiteral("new"));
        TFolderDialog dialog(nullptr, QStringLiteral("保存フォルダー"), F->Folder->path());
        dialog.selectFile(typed);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.selectedFiles(), QStringList{typed});

        F->Open();
        TForm2& batch = OpenBatch(Pictures({kRed}));
        const QString folder = batch.Edit2->text();
        F->Ui->FolderAnswers.push_back(F->Path(QStringLiteral("p1.bmp/sub")));
        batch.Radio2->click();
        QCOMPARE(F->Ui->Errors.size(), 1);
        QVERIFY(F->Ui->Errors[0].contains(QStringLiteral("を作成できません")));
        QCOMPARE(batch.Edit2->text(), folder);
        QVERIFY(batch.Radio2->isChecked());
    }

    void aPrintRunPrintsOneJobOfOnePageForEachPair()
    {
        F->Open();
        QList<TColor> colours;
        for (int i = 0; i < 24; ++i) colours << (i % 2 ? kRed : kBlue);
        TForm2& batch = OpenBatch(Pictures(colours));
        QPrinter& printer = F->Window->PicturePrinter().Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = F->Path(QStringLiteral("job.pdf"));
        printer.setOutputFileName(pdf);

        // Cancelled at the question: nothing happens.
        batch.Button2->click();
        QCOMPARE(F->Ui->Questions, QStringList{QString::fromUtf8(kPrintQuestion)});
        QVERIFY(!batch.Form3->isVisible());

        // Printed to a file, every job writes a file of its own, numbered before the extension.
        F->Ui->ConfirmAnswers.push_back(QMessageBox::Ok);
        batch.Button2->click();
        QCOMPARE(Lines(batch.Form3).size(), 13);
        QCOMPARE(Lines(batch.Form3)[11], QStringLiteral("12行目処理中------完了"));
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(printer.outputFileName(), pdf);
        for (int k = 1; k <= 12; ++k) {
            const QString info =
                PdfInfo(F->Path(QStringLiteral("job-%1.pdf").arg(k, 2, 10, QLatin1Char('0'))));
            QVERIFY(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\n"))));
            QVERIFY2(
                info.contains(
                    QStringLiteral("Quilmoバッチ印刷 No.%1\n").arg(k, 2, 10, QLatin1Char('0'))),
                qPrintable(info));
            // "水平" prints landscape.
            const QRegularExpressionMatch size =
                QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"))
                    .match(info);
            QVERIFY(size.captured(1).toDouble() > size.captured(2).toDouble());
        }
    }

    void aKeyInTheProgressWindowAbortsEveryJobBeforeItReachesThePrinter()
    {
        F->Open();
        TForm2& batch = OpenBatch(Pictures({kRed, kBlue, kGreen}));
        QPrinter& printer = F->Window->PicturePrinter().Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = F->Path(QStringLiteral("job.pdf"));
        printer.setOutputFileName(pdf);
        keyPressed = false;
        QCoreApplication::postEvent(batch.Form3,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, {}));
        F->Ui->ConfirmAnswers.push_back(QMessageBox::Ok);
        batch.Button2->click();
        QCOMPARE(Lines(batch.Form3),
                 (QStringList{"1行目処理中------エラー", "2行目処理中------エラー",
                              "・・・バッチ処理完了！"}));
        QVERIFY(keyPressed);
        QVERIFY(!QFile::exists(pdf));
    }

    void theMainWindowAsksBeforeClosingOverTheBatchWindow()
    {
        TForm1& window = F->Open();
        F->LoadThroughDialog({F->Picture(QStringLiteral("a.bmp"), 5, 3, kRed)});
        TForm2& batch = OpenBatch(Pictures({kRed, kBlue}));
        F->Ui->CloseAnswer = QMessageBox::No;
        QVERIFY(!window.close());
        QCOMPARE(F->Ui->Questions,
                 QStringList{QStringLiteral("一括処理ウィンドウが開いていますが、終了しますか？")});
        QVERIFY(window.isVisible() && batch.isVisible());
        QCOMPARE(window.Document().Count(), 1);
        QCOMPARE(batch.ListBox1->count() + batch.ListBox2->count(), 2);

        // While a run's progress shows, the batch window stays.
        batch.Form3->show();
        QVERIFY(!batch.close());
        batch.Form3->hide();
        QVERIFY(batch.close());
    }

    void theSettingsSurviveACloseAndAreBoundedWhenRead()
    {
        F->Open();
        QCOMPARE(F->Window->Form2->jpgspin->value(), 85);  // no settings file yet
        TForm2& batch = *F->Window->Form2;
        batch.RadioGroup1->SetItemIndex(1);
        batch.RadioGroup2->SetItemIndex(1);
        batch.RadioGroup3->SetItemIndex(1);
        batch.combo3->setCurrentIndex(3);
        batch.Spin->setValue(120);
        batch.jpgspin->setValue(55);
        batch.prog->setChecked(true);
        batch.losslesscheck->setChecked(true);
        batch.fileGroup->SetItemIndex(3);
        F->Ui->ColourAnswers.push_back(QColor(255, 0, 255));
        batch.Panel5->click();
        batch.CheckBox3->click();
        batch.wspin->setValue(800);
        batch.hspin->setValue(600);
        batch.ComboBox1->setCurrentIndex(2);
        batch.CheckBox4->setChecked(true);
        batch.Edit1->setText(QStringLiteral("_小"));
        batch.Radio2->setChecked(true);
        batch.Edit2->setText(QStringLiteral("/tmp/結果/"));
        const TBatchSettings chosen = batch.Settings();
        QVERIFY(F->Window->close());

        F->Open();
        QVERIFY(F->Window->Form2->Settings() == chosen);
        QVERIFY(F->Window->Form2->wspin->isEnabled());

        F->WriteIni(
            "[value2]\ncombo3=9\njpg=0\nsave=7\nspin=999\n[form2]\ndwidth=5\nresizing=-2\n");
        F->Open();
        const TBatchSettings read = F->Window->Form2->Settings();
        QCOMPARE(read.Combo3, 4);
        QCOMPARE(read.Jpg, 10);
        QCOMPARE(read.Save, 3);
        QCOMPARE(read.Spin, 500);
        QCOMPARE(read.DWidth, 10);
        QCOMPARE(read.Resizing, 0);
        QVERIFY(read.SamePath);
        QVERIFY(!F->Window->Form2->wspin->isEnabled());
    }
};

QTEST_MAIN(BatchWindowTest)
#include "batch_window_test.moc"
