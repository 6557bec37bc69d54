#include "picture_drag.h"

#include <QDrag>
#include <QMimeData>
#include <QWidget>

namespace quilmo {

void StartPictureDrag(QWidget* source, const QString& name)
{
    auto* data = new QMimeData;
    data->setData(kPictureDragFormat, name.toUtf8());
    auto* drag = new QDrag(source);
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
}

QString PictureDragSource(const QMimeData* data)
{
    if (!data || !data->hasFormat(kPictureDragFormat)) return {};
    return QString::fromUtf8(data->data(kPictureDragFormat));
}

}  // namespace quilmo
