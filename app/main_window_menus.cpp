// The preview's popup menu, the help menu and the plug-in items in it.

#include <QMenu>
#include <QToolButton>

#include "core/slot_document.h"
#include "input/shipped_plugins.h"
#include "input/slot_loading.h"
#include "input/susie_plugins.h"
#include "input/susie_setup.h"
#include "file_filters.h"
#include "main_window.h"
#include "plugin_info_window.h"
#include "ui_services.h"

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
    Copy1 = Item(PopupMenu1, "Copy1", QStringLiteral("コピー"));
    PopupMenu1->addSeparator();
    clearloaditem = Item(PopupMenu1, "clearloaditem", QStringLiteral("全てクリアして画像を読み込み"));
    loadhereitem = Item(PopupMenu1, "loadhereitem", QStringLiteral("ここに画像を読み込み"),
                        QStringLiteral("このエリアに画像を読み込み"));
    addafteritem = Item(PopupMenu1, "addafteritem", QStringLiteral("この後に画像を追加"),
                        QStringLiteral("次のエリアに画像を追加"));
    PopupMenu1->addSeparator();
    bufferitem = PopupMenu1->addMenu(QStringLiteral("コピーバッファから貼り付け"));
    bufferitem->setObjectName(QStringLiteral("bufferitem"));
    for (int k = 0; k < 3; ++k) {
        bufferitems[k] = bufferitem->addAction(QString::number(k + 1));
        bufferitems[k]->setObjectName(QStringLiteral("bufferitem%1").arg(k + 1));
    }
    bufferitem->setEnabled(false);
    Paste1 = Item(PopupMenu1, "Paste1", QStringLiteral("クリップボードから貼り付け"));
    PopupMenu1->addSeparator();
    delpicitem = Item(PopupMenu1, "delpicitem", QStringLiteral("削除"));
    PopupMenu1->addSeparator();
    clearitem = Item(PopupMenu1, "clearitem", QStringLiteral("全てクリア"));
    PopupMenu1->addSeparator();
    popswap = Item(PopupMenu1, "popswap", QStringLiteral("画像入れ替え"));

    connect(Copy1, &QAction::triggered, this, &TForm1::copybtnClick);
    connect(clearloaditem, &QAction::triggered, this, &TForm1::clearloaditemClick);
    connect(loadhereitem, &QAction::triggered, this, &TForm1::loadhereitemClick);
    connect(addafteritem, &QAction::triggered, this, &TForm1::addafteritemClick);
    connect(Paste1, &QAction::triggered, this, &TForm1::Paste1Click);
    connect(delpicitem, &QAction::triggered, this, &TForm1::delpicitemClick);
    connect(clearitem, &QAction::triggered, this, &TForm1::clearbtnClick);
    connect(popswap, &QAction::triggered, this, &TForm1::swapbtnClick);
}

void TForm1::BuildHelpMenu()
{
    popuphelp = new QMenu(this);
    popuphelp->setObjectName(QStringLiteral("popuphelp"));
    QMenu* howTo = popuphelp->addMenu(QStringLiteral("画像の読み込み方"));
    Explanation(howTo, QStringLiteral("ボタンによる画像の読み込み"),
                QStringLiteral("最大６個まで追加して読み込む"));
    Explanation(howTo, QStringLiteral("Ｄ＆Ｄによる画像の読み込み"),
                QStringLiteral("最大６個まで追加して読み込む"));
    howTo->addSeparator();
    Explanation(howTo, QStringLiteral("画像を読み込み（全てクリア後）"),
                QStringLiteral("クリアして最大６個まで読み込む"));
    Explanation(howTo, QStringLiteral("ここに画像を読み込み"),
                QStringLiteral("クリックした場所に別の画像を読み込む"));
    Explanation(howTo, QStringLiteral("この後に画像を追加"),
                QStringLiteral("１つの画像を次の位置に挿入（画像数を増やす）"));
    howTo->addSeparator();
    Explanation(howTo, QStringLiteral("貼り付け"), QStringLiteral("クリックした場所に画像を貼り付ける"));

    popuphelp->addSeparator();
    mmxsse = Item(popuphelp, "mmxsse", QStringLiteral("SSE2を無効にする"));
    mmxsse->setCheckable(true);
    popuphelp->addSeparator();
    Susie1 = Item(popuphelp, "Susie1", QStringLiteral("Susie プラグインの設定"));
    N24 = Item(popuphelp, "N24", QStringLiteral("既定の形式用のプラグインも読み込む"));
    N24->setCheckable(true);
    pluginInfoMenu = popuphelp->addMenu(QStringLiteral("Susie プラグイン情報"));
    pluginInfoMenu->setObjectName(QStringLiteral("pluginInfoMenu"));
    pluginInfoMenu->setEnabled(false);
    popuphelp->addSeparator();
    popuphelp->addMenu(QStringLiteral("バージョン情報"))->addAction(QStringLiteral("ver.135"));
    helpbtn->setMenu(popuphelp);
    connect(mmxsse, &QAction::triggered, this, &TForm1::mmxsseClick);
    connect(Susie1, &QAction::triggered, this, &TForm1::Susie1Click);
    connect(N24, &QAction::triggered, this, &TForm1::N24Click);
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
        connect(item, &QAction::triggered, this, [this, module] {
            Guarded([&] {
                const std::optional<std::string> description =
                    ShowPluginInformation(module, nullptr);
                if (description) Form6->ShowDescription(QString::fromStdString(*description));
            });
        });
    }
    pluginInfoMenu->setEnabled(!pluginInfoMenu->isEmpty());
    if (setup.Message.empty()) return;
    const QString message = QString::fromStdString(setup.Message);
    if (setup.Loaded)
        FUi.ShowInformation(this, message);
    else
        FUi.ShowError(this, message);
}

void TForm1::Susie1Click()
{
    const QString folder = FUi.ChooseFolder(this, QStringLiteral("Susieプラグインのある場所を指定"),
                                            QString::fromStdString(FSusieDir));
    if (folder.isEmpty()) return;
    FSusieDir = folder.toStdString();
    Guarded([&] { SetupSusiePlugins(FSusieDir); });
}

void TForm1::N24Click()
{
    Guarded([&] { SetupSusiePlugins(FSusieDir); });
}

}  // namespace quilmo
