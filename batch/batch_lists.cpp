#include "batch_lists.h"

#include <filesystem>
#include <utility>

#include "bigbitmap/bitmap.h"
#include "core/picture_colors.h"
#include "input/skipped_files.h"
#include "input/slot_loading.h"
#include "pair_picture.h"

namespace quilmo {

namespace {

std::string FolderWithSeparator(const std::string& name)
{
    return (std::filesystem::path(name).parent_path() / "").string();
}

bool IsFile(const std::string& name)
{
    std::error_code error;
    return std::filesystem::is_regular_file(name, error);
}

// A list's picture as its preview shows it: in sRGB.
TBatchPicture ReadPreviewPicture(const std::string& path)
{
    TBatchPicture picture = ReadBatchPicture(path);
    if (picture.Bitmap) ConvertToSRGB(*picture.Bitmap, picture.Profile);
    return picture;
}

}  // namespace

TBatchLists::TBatchLists(TBatchListsHost& host) : FHost(host) {}

void TBatchLists::OpenFiles(const std::vector<std::string>& names)
{
    if (names.empty()) return;
    FBatchFolder = FolderWithSeparator(names.front());
    Clear();
    Distribute(names);
    PreviewFirstRows();
}

void TBatchLists::AddFiles(const std::vector<std::string>& names)
{
    if (names.empty()) return;
    FBatchFolder = FolderWithSeparator(names.front());
    Distribute(names);
    PreviewFirstRows();
}

void TBatchLists::DropFiles(const std::vector<std::string>& names)
{
    std::vector<std::string> files;
    for (const std::string& name : names)
        if (IsFile(name)) files.push_back(name);
    if (files.empty()) return;
    Distribute(files);
    PreviewFirstRows();
}

void TBatchLists::Select(TBatchList list, int32_t row)
{
    SetSelected(list, row >= 0 && row < Count(list) ? row : -1);
}

void TBatchLists::ListClick(TBatchList list, bool byUser)
{
    const int32_t row = FSelected[list];
    if (row < 0 || (row == FLastRow[list] && byUser && !FDragging)) return;
    FDragging = false;
    FLastRow[list] = row;
    const TBatchList other = Other(list);
    if (row < Count(other)) {
        ShowPair(list, row);
    } else {
        // The other list first: a row of this list that cannot be read is deleted, and that
        // sets the other list's selection anew.
        FollowInOther(list, row);
        FHost.AlignTopRow(other);
        PreviewSelected(list);
    }
    FHost.AlignTopRow(list);
}

void TBatchLists::MoveUp(TBatchList list)
{
    const int32_t row = FSelected[list];
    if (row <= 0) return;
    std::swap(FRows[list][row], FRows[list][row - 1]);
    FLastRow[list] = row - 1;
    SetSelected(list, row - 1);
    FollowInOther(list, row - 1);
}

void TBatchLists::MoveDown(TBatchList list)
{
    const int32_t row = FSelected[list];
    if (row < 0 || row > Count(list) - 2) return;
    std::swap(FRows[list][row], FRows[list][row + 1]);
    FLastRow[list] = row + 1;
    SetSelected(list, row + 1);
    FollowInOther(list, row + 1);
}

void TBatchLists::Delete(TBatchList list)
{
    const int32_t row = FSelected[list];
    if (row < 0) return;
    EraseRow(list, row);
    if (row < Count(list)) {
        // The next row takes its place and its preview; the other list stays.
        FLastRow[list] = row;
        SetSelected(list, row);
        PreviewSelected(list);
        return;
    }
    FLastRow[list] = row - 1;
    SetSelected(list, row - 1);
    if (row == 0)
        ClearPreview(list);
    else if (!PreviewSelected(list))
        return;  // that row went too, and its deletion has set the other list
    FollowInOther(list, row - 1);
}

void TBatchLists::Sort(TBatchList list)
{
    SortNamesIgnoringCase(FRows[list]);
    FHost.ListChanged(list);
    // The selection stays on its row number, which now holds another file.
    if (FSelected[list] >= 0)
        PreviewSelected(list);
    else
        FHost.SetPreviewHint(list, "");
}

void TBatchLists::Clear()
{
    for (const TBatchList list : {blList1, blList2}) {
        FRows[list].clear();
        FSelected[list] = -1;
        FLastRow[list] = -1;
        FHost.ListChanged(list);
        ClearPreview(list);
    }
}

void TBatchLists::Swap()
{
    const int32_t row1 = FSelected[blList1];
    const int32_t row2 = FSelected[blList2];
    std::swap(FRows[blList1], FRows[blList2]);
    // New contents come without a selection.
    SetSelected(blList1, -1);
    SetSelected(blList2, -1);
    if (row1 >= 0) {
        SetSelected(blList2, row1);
        ListClick(blList2, false);
    } else if (row2 >= 0) {
        SetSelected(blList1, row2);
        ListClick(blList1, false);
    }
}

void TBatchLists::DragDrop(TBatchList target, TBatchList source, int32_t row)
{
    if (FDragRow < 0 || FDragRow >= Count(source)) return;
    if (row < 0 || row >= Count(target)) {
        FDragging = false;
        return;
    }
    if (target == source && row == FDragRow) return;
    if (target == source) {
        std::swap(FRows[target][FDragRow], FRows[target][row]);
        FHost.ListChanged(target);
    } else {
        const std::string path = FRows[source][FDragRow];
        EraseRow(source, FDragRow);
        InsertRow(target, row, path);
    }
    SetSelected(target, row);
    ListClick(target, false);
    FDragging = false;
}

void TBatchLists::Shown()
{
    for (const TBatchList list : {blList1, blList2}) {
        const int32_t row = FSelected[list];
        FHost.SetPreviewHint(list, row >= 0 ? FRows[list][row] : std::string());
        FLastRow[list] = row;
    }
}

void TBatchLists::Hidden()
{
    FHost.ShowPreview(blList1, nullptr);
    FHost.ShowPreview(blList2, nullptr);
}

void TBatchLists::Distribute(const std::vector<std::string>& names)
{
    const bool list1First = Count(blList1) < Count(blList2);
    for (size_t k = 0; k < names.size(); ++k)
        FRows[(k % 2 == 0) == list1First ? blList1 : blList2].push_back(names[k]);
    FHost.ListChanged(blList1);
    FHost.ListChanged(blList2);
}

void TBatchLists::PreviewFirstRows()
{
    for (const TBatchList list : {blList1, blList2}) {
        if (FRows[list].empty()) {
            FHost.SetPreviewHint(list, "");
            continue;
        }
        SetSelected(list, 0);
        PreviewSelected(list);
    }
}

bool TBatchLists::PreviewSelected(TBatchList list)
{
    const std::string path = FRows[list][FSelected[list]];
    const TBatchPicture picture = ReadPreviewPicture(path);
    if (!picture.Bitmap) {
        ShowReadError(path, picture);
        Delete(list);
        return false;
    }
    FHost.ShowPreview(list, picture.Bitmap.get());
    FHost.SetPreviewHint(list, path);
    return true;
}

void TBatchLists::ShowReadError(const std::string& path, const TBatchPicture& picture)
{
    if (picture.PluginFailure)
        FHost.ShowErrorOkCancel(picture.Error);
    else
        FHost.ShowError(SkippedFilesMessage({{path, picture.Error}}));
}

void TBatchLists::ShowPair(TBatchList list, int32_t row)
{
    const TBatchList other = Other(list);
    std::array<TBatchPicture, 2> pictures;
    for (const TBatchList side : {list, other}) {
        pictures[side] = ReadPreviewPicture(FRows[side][row]);
        if (pictures[side].Bitmap) continue;
        ShowReadError(FRows[side][row], pictures[side]);
        EraseRow(side, row);
    }
    SetSelected(other, row < Count(other) ? row : -1);
    FLastRow[other] = FSelected[other];
    FHost.AlignTopRow(other);
    for (const TBatchList side : {list, other}) {
        FHost.ShowPreview(side, pictures[side].Bitmap.get());
        FHost.SetPreviewHint(side, row < Count(side) ? FRows[side][row] : std::string());
    }
}

void TBatchLists::FollowInOther(TBatchList list, int32_t row)
{
    const TBatchList other = Other(list);
    if (row >= 0 && row < Count(other)) {
        FLastRow[other] = row;
        SetSelected(other, row);
        PreviewSelected(other);
        return;
    }
    FLastRow[other] = -1;
    SetSelected(other, -1);
    ClearPreview(other);
}

void TBatchLists::ClearPreview(TBatchList list)
{
    FHost.ShowPreview(list, nullptr);
    FHost.SetPreviewHint(list, "");
}

void TBatchLists::SetSelected(TBatchList list, int32_t row)
{
    FSelected[list] = row;
    FHost.ListChanged(list);
}

void TBatchLists::EraseRow(TBatchList list, int32_t row)
{
    FRows[list].erase(FRows[list].begin() + row);
    int32_t& selected = FSelected[list];
    if (selected == row)
        selected = -1;
    else if (selected > row)
        --selected;
    FHost.ListChanged(list);
}

void TBatchLists::InsertRow(TBatchList list, int32_t row, const std::string& path)
{
    FRows[list].insert(FRows[list].begin() + row, path);
    if (FSelected[list] >= row) ++FSelected[list];
    FHost.ListChanged(list);
}

}  // namespace quilmo
