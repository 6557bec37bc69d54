#pragma once
// The two file lists of the batch window. Row i of list 1 and row i of list 2 form pair i; the
// lists keep the order the user gives them. Every operation tells the host which list changed
// and what the two previews show: the pair of the selected row.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "batch_host.h"
#include "batch_pair.h"

namespace quilmo {

struct TBatchPicture;

class TBatchLists {
public:
    explicit TBatchLists(TBatchListsHost& host);

    // Full file paths, in order.
    const std::vector<std::string>& Rows(TBatchList list) const { return FRows[list]; }
    int32_t Count(TBatchList list) const { return static_cast<int32_t>(FRows[list].size()); }
    // The selected row; -1 for none.
    int32_t Selected(TBatchList list) const { return FSelected[list]; }
    // The row whose pair was shown last; -1 for none.
    int32_t LastRow(TBatchList list) const { return FLastRow[list]; }
    bool Empty() const { return FRows[blList1].empty() && FRows[blList2].empty(); }
    // What a run does: row i of both lists, then the rows the longer list has beyond the other.
    std::vector<TBatchPair> Pairs() const { return MakePairs(FRows[blList1], FRows[blList2]); }
    // The folder of the files last chosen in the open dialog, with its trailing separator:
    // where "同一フォルダー" saves.
    const std::string& BatchFolder() const { return FBatchFolder; }

    // Files chosen in the open dialog for a batch, in the dialog's order: both lists are emptied
    // and get the files; the batch folder becomes the first file's folder.
    void OpenFiles(const std::vector<std::string>& names);
    // "追加": the same onto the lists as they are.
    void AddFiles(const std::vector<std::string>& names);
    // Files dropped from the shell: the names that are files are added; the batch folder stays.
    void DropFiles(const std::vector<std::string>& names);

    // The user selected row of list (-1: none); ListClick then shows its pair.
    void Select(TBatchList list, int32_t row);
    // Shows the pair of list's selected row. A click of the user (byUser) on the row whose pair
    // is shown does nothing, unless a drag passed over a list since.
    void ListClick(TBatchList list, bool byUser);
    void MoveUp(TBatchList list);    // "上へ"
    void MoveDown(TBatchList list);  // "下へ"
    void Delete(TBatchList list);    // "削除"
    // "ソート": once, by the paths ignoring letter case; the other list stays as it is.
    void Sort(TBatchList list);
    void Clear();  // "クリア"
    void Swap();   // "入れ替え"

    // Row dragging: the left button alone pressed on row of a list (-1 below its last row); a
    // drag passing over a list; a row of source dropped on row of target (-1 below its last
    // row): moved there within a list, moved over between them.
    void MouseDown(int32_t row) { FDragRow = row; }
    void DragOver() { FDragging = true; }
    void DragDrop(TBatchList target, TBatchList source, int32_t row);

    // The window was shown: the hints follow the selections, which count as shown.
    void Shown();
    // The window was hidden: both previews are emptied; the lists stay.
    void Hidden();

private:
    static TBatchList Other(TBatchList list) { return list == blList1 ? blList2 : blList1; }

    // Appends names to the lists by turns, starting with list 1 only when it is the shorter.
    void Distribute(const std::vector<std::string>& names);
    // Row 0 of each list that has rows is selected and previewed.
    void PreviewFirstRows();
    // The selected row of list in its preview with its path as hint. A file that cannot be read
    // is reported and its row deleted (which previews the row after it); false then.
    bool PreviewSelected(TBatchList list);
    // The preview of list shows the picture of its row; a row that cannot be read is reported
    // and removed, and the picture stays empty.
    void ShowPair(TBatchList list, int32_t row);
    // The other list follows list to row: that row is selected and previewed, or the other
    // list shows nothing when it has no such row.
    void FollowInOther(TBatchList list, int32_t row);
    void ClearPreview(TBatchList list);
    // Plug-in failures in their own box; any other names the file.
    void ShowReadError(const std::string& path, const TBatchPicture& picture);
    void SetSelected(TBatchList list, int32_t row);
    // The selection stays on its row, as in a list control; removing the selected row leaves
    // none.
    void EraseRow(TBatchList list, int32_t row);
    void InsertRow(TBatchList list, int32_t row, const std::string& path);

    TBatchListsHost& FHost;
    std::array<std::vector<std::string>, 2> FRows;
    std::array<int32_t, 2> FSelected{-1, -1};
    std::array<int32_t, 2> FLastRow{-1, -1};
    int32_t FDragRow = -1;
    bool FDragging = false;
    std::string FBatchFolder;
};

}  // namespace quilmo
