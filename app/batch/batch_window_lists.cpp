// The batch window's two lists: files coming in, the buttons that arrange the rows, row drags,
// and what the lists show.

#include <QFileInfo>
#include <QLineEdit>

#include "batch/batch_lists.h"
#include "batch_list_box.h"
#include "batch_preview.h"
#include "batch_window.h"
#include "input/slot_loading.h"
#include "app/main/main_window.h"
#include "app/shell/ui_language.h"

namespace quilmo {

namespace {

std::vector<std::string> StdStrings(const QStringList& names)
{
    std::vector<std::string> strings;
    for (const QString& name : names) strings.push_back(name.toStdString());
    return strings;
}

}  // namespace

QStringList TForm2::ChooseFiles()
{
    // While the window shows, the dialog must come up in front of it.
    QWidget* parent = isVisible() ? static_cast<QWidget*>(this) : &FMain;
    const QStringList names = FMain.Ui().GetOpenFileNames(
        parent, tr("一括処理用にファイルを開く"),
        QString::fromStdString(FMain.Loader().FLastDir.string()), FMain.OpenFilter(), true);
    if (!names.isEmpty())
        FMain.Loader().FLastDir = QFileInfo(names.front()).absolutePath().toStdString();
    return names;
}

void TForm2::OpenForBatch()
{
    const QStringList names = ChooseFiles();
    if (names.isEmpty()) return;
    FLists->OpenFiles(StdStrings(names));
    Edit2->setText(QString::fromStdString(FLists->BatchFolder()));
    show();
    raise();
    activateWindow();
}

void TForm2::Button12Click()
{
    FLists->AddFiles(StdStrings(ChooseFiles()));
}

void TForm2::Button6Click()
{
    FLists->Sort(blList1);
}

void TForm2::Button8Click()
{
    FLists->Sort(blList2);
}

void TForm2::Button3Click()
{
    FLists->MoveUp(blList1);
}

void TForm2::Button9Click()
{
    FLists->MoveUp(blList2);
}

void TForm2::Button4Click()
{
    FLists->MoveDown(blList1);
}

void TForm2::Button7Click()
{
    FLists->MoveDown(blList2);
}

void TForm2::Button5Click()
{
    FLists->Delete(blList1);
}

void TForm2::Button10Click()
{
    FLists->Delete(blList2);
}

void TForm2::Button11Click()
{
    FLists->Clear();
}

void TForm2::Button13Click()
{
    FLists->Swap();
}

void TForm2::ListBox1Click()
{
    FLists->Select(blList1, ListBox1->currentRow());
    FLists->ListClick(blList1, true);
}

void TForm2::ListBox2Click()
{
    FLists->Select(blList2, ListBox2->currentRow());
    FLists->ListClick(blList2, true);
}

void TForm2::ListBox1MouseDown(int row)
{
    FLists->MouseDown(row);
}

void TForm2::ListBox2MouseDown(int row)
{
    FLists->MouseDown(row);
}

void TForm2::ListBox1DragOver()
{
    FLists->DragOver();
}

void TForm2::ListBox2DragOver()
{
    FLists->DragOver();
}

void TForm2::ListBox1DragDrop(const QString& source, int row)
{
    FLists->DragDrop(blList1, ListNamed(source), row);
}

void TForm2::ListBox2DragDrop(const QString& source, int row)
{
    FLists->DragDrop(blList2, ListNamed(source), row);
}

TBatchList TForm2::ListNamed(const QString& name) const
{
    return name == ListBox2->objectName() ? blList2 : blList1;
}

// --- what the lists ask of the window

void TForm2::ListChanged(TBatchList list)
{
    ListBox(list)->ShowRows(FLists->Rows(list), FLists->Selected(list));
}

void TForm2::ShowPreview(TBatchList list, const TBitmap* picture)
{
    Image(list)->SetPicture(picture);
}

void TForm2::SetPreviewHint(TBatchList list, const std::string& hint)
{
    Image(list)->setToolTip(QString::fromStdString(hint));
    Image(list)->setAccessibleDescription(QString::fromStdString(hint));
}

void TForm2::AlignTopRow(TBatchList list)
{
    ListBox(list)->SetTopRow(ListBox(list == blList1 ? blList2 : blList1)->TopRow());
}

void TForm2::ShowErrorOkCancel(const std::string& message)
{
    FMain.Ui().ShowErrorOkCancel(this, ShownText(message));
}

void TForm2::ShowError(const std::string& message)
{
    FMain.Ui().ShowError(this, ShownText(message));
}

}  // namespace quilmo
