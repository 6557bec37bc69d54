// The windows in the language the locale asks for: English under an English locale, the
// Japanese texts exactly as they are under a Japanese or C locale. CTest runs this program once
// per locale and names the language it expects in QUILMO_EXPECTED_LANGUAGE.

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <fstream>
#include <iterator>

#include "app/batch/batch_progress_window.h"
#include "app/batch/batch_window.h"
#include "app/shell/ui_language.h"
#include "batch/batch_lists.h"
#include "window_fixture.h"

using namespace quilmo;
using namespace quilmo::test;

class LanguageTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TWindowFixture> F;
    bool FEnglish = false;

    // The text the windows must show: the Japanese one, or its English translation.
    QString Expected(const char* japanese, const char* english) const
    {
        return QString::fromUtf8(FEnglish ? english : japanese);
    }

private slots:
    void initTestCase()
    {
        PrepareWindowTests();
        FEnglish = qgetenv("QUILMO_EXPECTED_LANGUAGE") == "en";
        UseLanguage(SystemLanguage());
        QCOMPARE(LanguageInUse(), FEnglish ? TLanguage::English : TLanguage::Japanese);
    }
    void init() { F = std::make_unique<TWindowFixture>(); }
    void cleanup() { F.reset(); }

    void theMainWindowSpeaksTheLanguage()
    {
        TForm1& window = F->Open();
        QCOMPARE(window.openbtn->toolTip(), Expected("画像を開く", "Open pictures"));
        QCOMPARE(window.combo2->itemText(1), Expected("縦", "Stacked"));
        QCOMPARE(window.ToolButton7->statusTip(),
                 Expected("アプリケーションを終了する", "Quit the application"));
        QCOMPARE(window.mmxsse->text(), Expected("SSE2を無効にする", "Use only basic processor instructions"));
        // Texts made below the window: blank pages and the slot list.
        window.gasu->setValue(2);
        QCOMPARE(window.StatusPanel0->text(), Expected("  [1]白紙  [2]白紙", "  [1]Blank  [2]Blank"));
        F->LoadThroughDialog({F->Path(QStringLiteral("missing.bmp"))});
        QCOMPARE(F->Ui->Errors.value(0).section(QLatin1Char('\n'), 0, 0),
                 Expected("次のファイルを読み込めませんでした。", "These files could not be read."));
        QVERIFY(F->Ui->Errors.value(0).endsWith(Expected(": ファイルが見つかりません", ": File not found")));
    }

    void theBatchWindowAndItsRunSpeakTheLanguage()
    {
        F->Open();
        TForm2& batch = *F->Window->Form2;
        QCOMPARE(batch.windowTitle(), Expected("Quilmo (^｡^) バッチ処理", "Batch"));
        QCOMPARE(batch.Button1->text(), Expected("一括保存", "Save all"));
        QCOMPARE(batch.combo3->itemText(1), Expected(" Biliniar", "Bilinear"));
        batch.Lists().OpenFiles({F->Picture(QStringLiteral("a.bmp"), 4, 3, kRed).toStdString(),
                                 F->Picture(QStringLiteral("b.bmp"), 4, 3, kBlue).toStdString()});
        batch.Button1->click();
        QCOMPARE(batch.Form3->Memo1->toPlainText(),
                 Expected("1行目処理中------完了\n・・・バッチ処理完了！",
                          "Pair 1: done\nBatch complete."));
        QCOMPARE(batch.Form3->Button1->text(), Expected("閉じる", "Close"));
    }

    void theCloseQuestionSpeaksTheLanguage()
    {
        TForm1& window = F->Open();
        window.Form2->show();
        F->Ui->CloseAnswer = QMessageBox::No;
        QVERIFY(!window.close());
        QCOMPARE(F->Ui->Questions, QStringList{Expected("一括処理ウィンドウが開いていますが、終了しますか？",
                                                        "The batch window is open. Quit anyway?")});
    }

    // Qt's own texts follow the language, also when it changes while the program runs.
    void qtsDialogsSpeakTheLanguage()
    {
        QTranslator qtJapanese;
        QVERIFY(qtJapanese.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        const auto expectedButtons = [&](TLanguage language) {
            QStringList texts;
            for (const auto& [context, source] : {std::pair{"QFileDialog", "&Open"}, {"QPlatformTheme", "Cancel"}})
                texts << (language == TLanguage::Japanese ? qtJapanese.translate(context, source)
                                                          : QString::fromLatin1(source));
            return texts;
        };
        const auto shownButtons = [] {
            QFileDialog dialog;
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            const QDialogButtonBox* box = dialog.findChild<QDialogButtonBox*>();
            return QStringList{box->button(QDialogButtonBox::Open)->text(),
                               box->button(QDialogButtonBox::Cancel)->text()};
        };
        QVERIFY(expectedButtons(TLanguage::Japanese) != expectedButtons(TLanguage::English));
        QCOMPARE(shownButtons(), expectedButtons(LanguageInUse()));
        const TLanguage other = FEnglish ? TLanguage::Japanese : TLanguage::English;
        UseLanguage(other);
        QCOMPARE(shownButtons(), expectedButtons(other));
        UseLanguage(SystemLanguage());
        QCOMPARE(shownButtons(), expectedButtons(LanguageInUse()));
    }

    void theProgramsHelpAndRefusalSpeakTheLanguage()
    {
        const QString program = qEnvironmentVariable("QUILMO_BUILD_DIR") + "/app/quilmo";
        const auto firstLine = [&](const QStringList& arguments, QProcess::ProcessChannel channel) {
            QProcess quilmo;
            quilmo.setReadChannel(channel);
            quilmo.start(program, arguments);
            if (!quilmo.waitForFinished(60000)) return QString();
            return QString::fromUtf8(quilmo.readLine()).trimmed();
        };
        QCOMPARE(firstLine({"--help"}, QProcess::StandardOutput),
                 Expected("使い方: quilmo [オプション] [画像...]", "Usage: quilmo [OPTIONS] [PICTURE...]"));
        QCOMPARE(firstLine({"--nothing"}, QProcess::StandardError),
                 Expected("quilmo: 不明なオプション --nothing", "quilmo: unknown option --nothing"));
    }

    void aChosenLanguageIsToldInItselfAndKept()
    {
        TForm1& window = F->Open();
        QVERIFY(window.systemlanguageitem->isChecked());
        // The other language: the note comes in it, as the windows will at the next start.
        (FEnglish ? window.japaneseitem : window.englishitem)->trigger();
        QCOMPARE(F->Ui->Informations,
                 QStringList{QString::fromUtf8(FEnglish ? "表示言語は次回の起動時に切り替わります。"
                                                        : "The language changes the next time Quilmo starts.")});
        QVERIFY(window.close());
        std::ifstream ini(F->Path(QStringLiteral("quilmo.ini")).toStdString());
        const std::string text{std::istreambuf_iterator<char>(ini), {}};
        QVERIFY(text.find(FEnglish ? "language=ja\n" : "language=en\n") != std::string::npos);
        // The language in use needs no note.
        F->Ui->Informations.clear();
        F->Open();
        QVERIFY((FEnglish ? F->Window->japaneseitem : F->Window->englishitem)->isChecked());
        (FEnglish ? F->Window->englishitem : F->Window->japaneseitem)->trigger();
        QVERIFY(F->Ui->Informations.isEmpty());
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
