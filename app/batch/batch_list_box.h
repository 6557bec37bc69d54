#pragma once
// A file list of the batch window: one full path a row, the path also being the row's hint.
// A row is dragged with the left button, within the list or over to the other list of the
// window.

#include <QListWidget>
#include <optional>
#include <string>
#include <vector>

class QMimeData;

namespace quilmo {

class TBatchListBox : public QListWidget {
    Q_OBJECT
public:
    TBatchListBox(const char* name, const QString& hint, QWidget* parent);

    // Shows rows and the selected row (-1: none) without taking them for the user's choice.
    void ShowRows(const std::vector<std::string>& rows, int selected);
    // The first row in view.
    int TopRow() const;
    // Scrolls row to the top, as far as the list has rows.
    void SetTopRow(int row);

    // What the drag of a row of list carries.
    static QMimeData* RowDragData(const TBatchListBox& list);

signals:
    // The left button alone went down on row (-1 below the last row).
    void RowPressed(int row);
    void RowDraggedOver();
    // A row dragged from the list named source was dropped on row (-1 below the last row).
    void RowDropped(const QString& source, int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Where a row drag may start; empty when none is pending.
    std::optional<QPoint> FDragStart;
};

}  // namespace quilmo
