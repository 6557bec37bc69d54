#include "batch_list_box.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>

namespace quilmo {

namespace {

const QString kRowDragFormat = QStringLiteral("application/x-quilmo-batch-row");

// The name of the list a row drag came from; empty for other drags, also for row drags of
// another Quilmo.
QString RowDragSource(const QMimeData* data)
{
    if (!data || !data->hasFormat(kRowDragFormat)) return {};
    const QStringList parts = QString::fromUtf8(data->data(kRowDragFormat)).split(QLatin1Char(' '));
    if (parts.size() != 2 || parts[0] != QString::number(QApplication::applicationPid())) return {};
    return parts[1];
}

}  // namespace

TBatchListBox::TBatchListBox(const char* name, const QString& hint, QWidget* parent)
    : QListWidget(parent)
{
    setObjectName(QString::fromLatin1(name));
    setToolTip(hint);
    setAccessibleName(hint);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

void TBatchListBox::ShowRows(const std::vector<std::string>& rows, int selected)
{
    const QSignalBlocker blocker(this);
    const int rowCount = static_cast<int>(rows.size());
    while (count() > rowCount) delete takeItem(count() - 1);
    for (int i = 0; i < rowCount; ++i) {
        const QString path = QString::fromStdString(rows[i]);
        QListWidgetItem* row = i < count() ? item(i) : new QListWidgetItem(this);
        if (row->text() == path) continue;
        row->setText(path);
        row->setToolTip(path);
    }
    setCurrentRow(selected);
    if (selected < 0) clearSelection();
}

int TBatchListBox::TopRow() const
{
    return verticalScrollBar()->value();
}

void TBatchListBox::SetTopRow(int row)
{
    verticalScrollBar()->setValue(row);
}

QMimeData* TBatchListBox::RowDragData(const TBatchListBox& list)
{
    auto* data = new QMimeData;
    data->setData(kRowDragFormat, QStringLiteral("%1 %2")
                                      .arg(QApplication::applicationPid())
                                      .arg(list.objectName())
                                      .toUtf8());
    return data;
}

void TBatchListBox::mousePressEvent(QMouseEvent* event)
{
    const int row = indexAt(event->position().toPoint()).row();
    if (event->buttons() == Qt::LeftButton && event->modifiers() == Qt::NoModifier) {
        emit RowPressed(row);
        if (row >= 0) FDragStart = event->position().toPoint();
    }
    // A click below the last row keeps the selection.
    if (row >= 0) QListWidget::mousePressEvent(event);
}

void TBatchListBox::mouseMoveEvent(QMouseEvent* event)
{
    if (!FDragStart || event->buttons() != Qt::LeftButton) {
        QListWidget::mouseMoveEvent(event);
        return;
    }
    // The selection stays on the pressed row while the pointer moves.
    if ((event->position().toPoint() - *FDragStart).manhattanLength() <
        QApplication::startDragDistance())
        return;
    FDragStart.reset();
    auto* drag = new QDrag(this);
    drag->setMimeData(RowDragData(*this));
    drag->exec(Qt::MoveAction);
}

void TBatchListBox::mouseReleaseEvent(QMouseEvent* event)
{
    FDragStart.reset();
    QListWidget::mouseReleaseEvent(event);
}

void TBatchListBox::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void TBatchListBox::dragMoveEvent(QDragMoveEvent* event)
{
    // Other drags, files from the desktop among them, are left to the window.
    if (RowDragSource(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    emit RowDraggedOver();
    event->acceptProposedAction();
}

void TBatchListBox::dropEvent(QDropEvent* event)
{
    const QString source = RowDragSource(event->mimeData());
    if (source.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit RowDropped(source, indexAt(event->position().toPoint()).row());
}

}  // namespace quilmo
