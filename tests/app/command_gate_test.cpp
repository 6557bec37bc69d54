// One command at a time: while a picture loads through a plug-in that the test holds inside
// GetPicture, every action, button and shortcut of every window shown is tried, and files are
// dropped. Nothing that would read or change the slots, the settings or the plug-ins gets
// through, a setting changed meanwhile is carried out once the load has ended, and the load ends
// as it would have.

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "app/batch/batch_progress_window.h"
#include "app/batch/batch_window.h"
#include "app/main/frame_dialog.h"
#include "app/main/plugin_info_window.h"
#include "app/output/copy_buffer_window.h"
#include "app/output/resize_save_window.h"
#include "app/shell/command_gate.h"
#include "batch/batch_lists.h"
#include "core/slot_document.h"
#include "resample/work_threads.h"
#include "tests/plugins/held_picture.h"
#include "tests/plugins/plugin_folder.h"
#include "window_fixture.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

// What no command may change while the load runs.
struct TUntouched {
    QStringList PluginItems;
    QString OpenFilter;
    QString Language;
    bool AlsoStandardFormats;
    std::vector<std::string> BatchList1;
    std::vector<std::string> BatchList2;
    QStringList Informations;

    explicit TUntouched(TForm1& window, const TFakeUiServices& ui)
        : OpenFilter(window.OpenFilter()),
          Language(window.japaneseitem->actionGroup()->checkedAction()->objectName()),
          AlsoStandardFormats(window.N24->isChecked()),
          BatchList1(window.Form2->Lists().Rows(blList1)),
          BatchList2(window.Form2->Lists().Rows(blList2)),
          Informations(ui.Informations)
    {
        for (const QAction* item : window.pluginInfoMenu->actions()) PluginItems << item->text();
    }
    bool operator==(const TUntouched&) const = default;
};

bool IsOffered(const QObject* command)
{
    if (const auto* control = qobject_cast<const QWidget*>(command)) return control->isEnabled();
    return qobject_cast<const QAction*>(command)->isEnabled();
}

// Qt's own parts of the windows (a tool bar's overflow button, its show/hide switch) are no
// commands of Quilmo's.
bool IsQtsOwn(const QObject* object)
{
    const auto* bar = qobject_cast<const QToolBar*>(object->parent());
    return object->objectName().startsWith(QLatin1String("qt_")) || (bar && bar->toggleViewAction() == object);
}

template <typename T>
QList<QPointer<T>> Guarded(const QList<T*>& objects)
{
    return {objects.begin(), objects.end()};
}

// Every action and button of every window shown, and every shortcut of the main window, as the
// user would use them; a button that opens a menu gives its menu's items.
void TryEverything(TForm1& window)
{
    QWidgetList shown;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && !qobject_cast<QMenu*>(top)) shown << top;
    // A command that got through may have removed controls (plug-in items) on the way.
    for (QWidget* top : shown) {
        for (const QPointer<QAction>& action : Guarded(top->findChildren<QAction*>()))
            if (action && !action->menu() && !IsQtsOwn(action)) action->trigger();
        for (const QPointer<QAbstractButton>& button : Guarded(top->findChildren<QAbstractButton*>())) {
            const auto* tool = qobject_cast<QToolButton*>(button);
            if (button && !(tool && tool->menu()) && !IsQtsOwn(button)) button->click();
        }
    }
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (const QShortcut* key : window.findChildren<QShortcut*>()) QTest::keySequence(&window, key->key());
}

// 5 x 3, 24 bits, grey.
TBmpSpec GreyPicture()
{
    TBmpSpec spec;
    spec.Width = 5;
    spec.Height = 3;
    spec.Pixels.assign(16 * 3, 128);
    return spec;
}

}  // namespace

class CommandGateTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TWindowFixture> F;

private slots:
    void initTestCase()
    {
        PrepareWindowTests();
        // The load runs beside the window's thread also on a machine with one processor.
        SetWorkThreads(2);
    }
    void init() { F = std::make_unique<TWindowFixture>(); }
    void cleanup() { F.reset(); }

    void nothingRunsOnTopOfALoad()
    {
        QVERIFY(QDir().mkpath(F->Path(QStringLiteral("spi"))));
        QVERIFY(QFile::link(QString::fromStdString(BuiltPlugin("t_script.spi").string()),
                            F->Path(QStringLiteral("spi/t_script.spi"))));
        F->WriteIni("[file]\nsusie=" + F->Path(QStringLiteral("spi")).toStdString() +
                    "\nshippedplugins=0\n[value]\nbcombo=1\n");
        TForm1& window = F->Open();
        F->LoadThroughDialog({F->Picture(QStringLiteral("a.bmp"), 8, 6, kRed)});
        F->Ui->OpenAnswers.push_back({F->Picture(QStringLiteral("b.bmp"), 4, 4, kGreen),
                                      F->Picture(QStringLiteral("c.bmp"), 4, 4, kBlue)});
        window.batchbtn->click();
        window.bufferbtn->click();
        window.resavebtn->click();
        window.ToolButton22->click();
        window.pluginInfoMenu->actions().front()->trigger();
        for (const QWidget* shown : std::initializer_list<const QWidget*>{window.Form2, window.Form4, window.resizeform,
                                                                          window.edgeform, window.Form6})
            QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
        // A copy on the clipboard and in the copy buffer, for the commands that would take it.
        window.copybtn->click();
        const QMimeData* copied = F->Ui->Clipboard.get();
        const TBigBitmap* buffered = window.Form4->Image(1)->Picture().Picture.get();
        QVERIFY(copied && buffered);
        const THeldPicture held(F->Path(QStringLiteral("held.qsp")).toStdString(), GreyPicture());
        const TUntouched before(window, *F->Ui);
        const qsizetype openDialogs = F->Ui->OpenTitles.size();

        bool tried = false;
        QTimer whileHeld;
        whileHeld.setInterval(1);
        connect(&whileHeld, &QTimer::timeout, &window, [&] {
            // Called from the load's wait, where the user's input is handled.
            if (!held.IsHeld()) return;
            whileHeld.stop();
            tried = true;
            const auto release = qScopeGuard([&] { held.Release(); });
            QVERIFY(window.Gate().Busy());
            // What waits is greyed; setting controls stay.
            QVERIFY(!window.openbtn->isEnabled() && !window.Susie1->isEnabled() && !window.Form2->Button1->isEnabled());
            QVERIFY(window.combo2->isEnabled() && window.mmxsse->isEnabled());
            TryEverything(window);
            window.combo2->setCurrentIndex(1);
            QMimeData files;
            files.setUrls({QUrl::fromLocalFile(F->Path(QStringLiteral("b.bmp")))});
            Drop(&window, QPoint(10, 10), files);
            Drop(window.Form2, QPoint(10, 10), files);
            window.close();
            QVERIFY(window.isVisible());
            QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("処理中のため実行できません"));
        });
        whileHeld.start();
        F->LoadThroughDialog({F->Path(QStringLiteral("held.qsp"))});

        QVERIFY(tried);
        QVERIFY(!window.Gate().Busy());
        QCOMPARE(F->SlotNames(), (QStringList{QStringLiteral("a.bmp"), QStringLiteral("held.qsp")}));
        // The direction asked for during the load: one above the other.
        QCOMPARE(F->JoinedSize(), QSize(8, 9));
        QCOMPARE(TUntouched(window, *F->Ui).PluginItems, before.PluginItems);
        QVERIFY(TUntouched(window, *F->Ui) == before);
        // The one that started the load.
        QCOMPARE(F->Ui->OpenTitles.size(), openDialogs + 1);
        QVERIFY(F->Ui->Errors.isEmpty() && F->Ui->Questions.isEmpty() && F->Ui->SaveRequests.empty());
        QCOMPARE(F->Ui->PrinterSetups, 0);
        QCOMPARE(F->Ui->Clipboard.get(), copied);
        QCOMPARE(window.Form4->Image(1)->Picture().Picture.get(), buffered);
        QVERIFY(!window.Form4->Image(2)->HasPicture() && !window.Form4->Image(3)->HasPicture());
        QVERIFY(!window.Form2->Form3->isVisible());
        QVERIFY(window.isVisible());
        // Everything is offered again.
        for (const QObject* command : std::initializer_list<const QObject*>{
                 window.openbtn, window.savebtn, window.Susie1, window.Form2->Button1, window.Form4->Paste1})
            QVERIFY2(IsOffered(command), qPrintable(command->objectName()));
    }
};

QTEST_MAIN(CommandGateTest)
#include "command_gate_test.moc"
