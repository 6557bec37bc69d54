// The preview's popup menu, the help menu and the plug-in items in it.

#include <QActionGroup>
#include <QMenu>
#include <QToolButton>

#include "core/slot_document.h"
#include "input/shipped_plugins.h"
#include "input/slot_loading.h"
#include "input/susie_plugins.h"
#include "input/susie_setup.h"
#include "app/shell/command_gate.h"
#include "file_filters.h"
#include "main_window.h"
#include "plugin_info_window.h"
#include "app/shell/ui_language.h"
#include "app/shell/ui_services.h"
#include "quilmo_version.h"

namespace quilmo {

namespace {

QAction* Item(QMenu* menu, const char* name, const QString& caption, const QString& hint = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(hint);
    return action;
}

// An explanation in the help menu: a caption whose sub-menu holds one line of text.
void Explanation(QMenu* menu, const QString& caption, const QString& text)
{
    menu->addMenu(caption)->addAction(text);
}

}  // namespace

void TForm1::BuildPopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Copy1 = Item(PopupMenu1, "Copy1", tr("コピー"));
    PopupMenu1->addSeparator();
    clearloaditem = Item(PopupMenu1, "clearloaditem", tr("全てクリアして画像を読み込み"));
    loadhereitem = Item(PopupMenu1, "loadhereitem", tr("ここに画像を読み込み"),
                        tr("このエリアに画像を読み込み"));
    addafteritem = Item(PopupMenu1, "addafteritem", tr("この後に画像を追加"),
                        tr("次のエリアに画像を追加"));
    PopupMenu1->addSeparator();
    bufferitem = PopupMenu1->addMenu(tr("コピーバッファから貼り付け"));
    bufferitem->setObjectName(QStringLiteral("bufferitem"));
    for (int k = 0; k < 3; ++k) {
        bufferitems[k] = bufferitem->addAction(QString::number(k + 1));
        bufferitems[k]->setObjectName(QStringLiteral("bufferitem%1").arg(k + 1));
    }
    bufferitem->setEnabled(false);
    Paste1 = Item(PopupMenu1, "Paste1", tr("クリップボードから貼り付け"));
    PopupMenu1->addSeparator();
    delpicitem = Item(PopupMenu1, "delpicitem", tr("削除"));
    PopupMenu1->addSeparator();
    clearitem = Item(PopupMenu1, "clearitem", tr("全てクリア"));
    PopupMenu1->addSeparator();
    popswap = Item(PopupMenu1, "popswap", tr("画像入れ替え"));

    ConnectPopupItem(Copy1, [this] { copybtnClick(); });
    ConnectPopupItem(clearloaditem, [this] { clearloaditemClick(); });
    ConnectPopupItem(loadhereitem, [this] { loadhereitemClick(); });
    ConnectPopupItem(addafteritem, [this] { addafteritemClick(); });
    for (int k = 1; k <= 3; ++k) ConnectPopupItem(bufferitems[k - 1], [this, k] { PasteFromBuffer(k); });
    ConnectPopupItem(Paste1, [this] { Paste1Click(); });
    ConnectPopupItem(delpicitem, [this] { delpicitemClick(); });
    ConnectPopupItem(clearitem, [this] { clearbtnClick(); });
    ConnectPopupItem(popswap, [this] { swapbtnClick(); });
}

void TForm1::ConnectPopupItem(QAction* item, const std::function<void()>& command)
{
    FGate->Connect(item, &QAction::triggered, [this, command] {
        Document().FClickPoint = {FMenuPoint.x(), FMenuPoint.y()};
        command();
    });
}

void TForm1::BuildHelpMenu()
{
    popuphelp = new QMenu(this);
    popuphelp->setObjectName(QStringLiteral("popuphelp"));
    QMenu* howTo = popuphelp->addMenu(tr("画像の読み込み方"));
    Explanation(howTo, tr("ボタンによる画像の読み込み"),
                tr("最大６個まで追加して読み込む"));
    Explanation(howTo, tr("Ｄ＆Ｄによる画像の読み込み"),
                tr("最大６個まで追加して読み込む"));
    howTo->addSeparator();
    Explanation(howTo, tr("画像を読み込み（全てクリア後）"),
                tr("クリアして最大６個まで読み込む"));
    Explanation(howTo, tr("ここに画像を読み込み"),
                tr("クリックした場所に別の画像を読み込む"));
    Explanation(howTo, tr("この後に画像を追加"),
                tr("１つの画像を次の位置に挿入（画像数を増やす）"));
    howTo->addSeparator();
    Explanation(howTo, tr("貼り付け"), tr("クリックした場所に画像を貼り付ける"));

    popuphelp->addSeparator();
    // The menu's items explain themselves in their tool tips.
    popuphelp->setToolTipsVisible(true);
    mmxsse = Item(popuphelp, "mmxsse", tr("SSE2を無効にする"));
    mmxsse->setToolTip(tr("SSE2 命令を使わずに処理します（遅くなります。古いプロセッサや問題の切り分けに）"));
    mmxsse->setCheckable(true);
    popuphelp->addSeparator();
    Susie1 = Item(popuphelp, "Susie1", tr("Susie プラグインの設定"));
    Susie1->setToolTip(tr("プラグインのフォルダーを選びます。プラグインは、Quilmo が自分では読めない形式の画像を読み込みます"));
    N24 = Item(popuphelp, "N24", tr("既定の形式用のプラグインも読み込む"));
    N24->setCheckable(true);
    pluginInfoMenu = popuphelp->addMenu(tr("Susie プラグイン情報"));
    pluginInfoMenu->setObjectName(QStringLiteral("pluginInfoMenu"));
    pluginInfoMenu->setEnabled(false);
    popuphelp->addSeparator();
    // Named in both languages, so that it is found in either; each language in its own words.
    languageMenu = popuphelp->addMenu(tr("言語 (Language)"));
    languageMenu->setObjectName(QStringLiteral("languageMenu"));
    auto* languages = new QActionGroup(languageMenu);
    japaneseitem = Item(languageMenu, "japaneseitem", QStringLiteral("日本語"));
    japaneseitem->setData(QString::fromLatin1(kJapaneseCode));
    englishitem = Item(languageMenu, "englishitem", QStringLiteral("English"));
    englishitem->setData(QString::fromLatin1(kEnglishCode));
    systemlanguageitem = Item(languageMenu, "systemlanguageitem", tr("システムの言語"));
    for (QAction* item : {japaneseitem, englishitem, systemlanguageitem}) {
        item->setCheckable(true);
        languages->addAction(item);
        FGate->Connect(item, &QAction::triggered, [this, item] { LanguageChosen(item); });
    }
    systemlanguageitem->setChecked(true);
    popuphelp->addSeparator();
    // The design's number, and the program's own as `quilmo --version` says it.
    QMenu* version = popuphelp->addMenu(tr("バージョン情報"));
    version->setObjectName(QStringLiteral("versionMenu"));
    version->addAction(QStringLiteral("ver.135"));
    version->addAction(QStringLiteral("quilmo " QUILMO_VERSION));
    helpbtn->setMenu(popuphelp);
    FGate->Connect(mmxsse, &QAction::triggered, this, &TForm1::mmxsseClick);
    FGate->Connect(Susie1, &QAction::triggered, this, &TForm1::Susie1Click);
    FGate->Connect(N24, &QAction::triggered, this, &TForm1::N24Click);
}

void TForm1::RemovePluginItems()
{
    pluginInfoMenu->clear();
    pluginInfoMenu->setEnabled(false);
}

void TForm1::SetupSusiePlugins(const std::filesystem::path& userFolder)
{
    RemovePluginItems();
    const std::filesystem::path shipped = FShippedPlugins ? ShippedPluginFolder(FExeDir) : std::filesystem::path();
    const TSusieSetup setup = quilmo::SetupSusiePlugins(userFolder, N24->isChecked(), shipped);
    Loader().FExtensions = setup.Extensions;
    FOpenFilter = QtFileFilter(setup.Filter.empty() ? kStandardOpenFilter : setup.Filter);
    for (const TSusieMenuEntry& entry : setup.MenuEntries) {
        // A plug-in's name is shown as it is: an "&" in it makes no access key.
        QString caption = QString::fromStdString(entry.Caption);
        QAction* item =
            pluginInfoMenu->addAction(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setObjectName(QString::fromStdString(entry.Name));
        const TSusieModule module = entry.Module;
        FGate->Connect(item, &QAction::triggered, [this, module] {
            Guarded([&] {
                const std::optional<std::string> description =
                    ShowPluginInformation(module, nullptr);
                if (description) Form6->ShowDescription(QString::fromStdString(*description));
            });
        });
    }
    pluginInfoMenu->setEnabled(!pluginInfoMenu->isEmpty());
    if (setup.Message.empty()) return;
    const QString message = ShownText(setup.Message);
    if (setup.Loaded)
        FUi.ShowInformation(this, message);
    else
        FUi.ShowError(this, message);
}

void TForm1::Susie1Click()
{
    const QString folder = FUi.ChooseFolder(this, tr("Susieプラグインのある場所を指定"),
                                            QString::fromStdString(FSusieDir));
    if (folder.isEmpty()) return;
    FSusieDir = folder.toStdString();
    Guarded([&] { SetupSusiePlugins(FSusieDir); });
}

void TForm1::N24Click()
{
    Guarded([&] { SetupSusiePlugins(FSusieDir); });
}

QAction* TForm1::LanguageItem(const std::string& code) const
{
    for (QAction* item : {japaneseitem, englishitem})
        if (item->data().toString().toStdString() == code) return item;
    return systemlanguageitem;
}

void TForm1::LanguageChosen(QAction* item)
{
    // Every window is built in the language of the start.
    static constexpr const char* kNextStart = QT_TR_NOOP("表示言語は次回の起動時に切り替わります。");
    const TLanguage chosen = ChosenLanguage(item->data().toString().toStdString());
    if (chosen != LanguageInUse())
        FUi.ShowInformation(this, TextIn(chosen, metaObject()->className(), kNextStart));
}

}  // namespace quilmo
