#include "window_fixture.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "app/main/preview_view.h"
#include "bigbitmap/big_bitmap.h"
#include "core/picture_helpers.h"
#include "core/slot_document.h"
#include "input/graphic_registry.h"
#include "output/picture_file.h"
#include "support/scratch_folder.h"

namespace quilmo::test {

void PrepareWindowTests()
{
    // Qt's file dialogs keep their history in $XDG_CONFIG_HOME/QtProject.conf: a folder of this
    // process's own keeps the user's history out of the tests, and theirs out of the user's.
    static const TScratchFolder config;
    qputenv("XDG_CONFIG_HOME", QByteArray(config.Path().c_str()));
    RegisterStandardGraphicFormats();
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (!text.startsWith(QLatin1String("This plugin does not support")))
            std::fprintf(stderr, "%s\n", qPrintable(text));
        if (type == QtFatalMsg) std::abort();
    });
}

QByteArray FileStart(const QString& name)
{
    QFile file(name);
    file.open(QIODevice::ReadOnly);
    return file.read(2);
}

void Drop(QWidget* target, QPoint point, QMimeData& data)
{
    QDragEnterEvent enter(point, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(point), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
}

TWindowFixture::TWindowFixture()
    : Folder(std::make_unique<QTemporaryDir>()), Ui(std::make_unique<TFakeUiServices>())
{
}

TWindowFixture::~TWindowFixture() = default;

QString TWindowFixture::Picture(const QString& name, int width, int height, TColor colour)
{
    TBigBitmap picture;
    SetupBigBitmap(picture, width, height, colour);
    SavePictureFile(picture, Path(name).toStdString(), {});
    return Path(name);
}

void TWindowFixture::WriteIni(const std::string& text)
{
    std::ofstream(Path(QStringLiteral("quilmo.ini")).toStdString()) << text;
}

TForm1& TWindowFixture::Open(const QStringList& arguments)
{
    Window = std::make_unique<TForm1>(*Ui, Folder->path().toStdString(), arguments);
    Window->show();
    Window->Start();
    return *Window;
}

void TWindowFixture::LoadThroughDialog(const QStringList& names)
{
    Ui->OpenAnswers.push_back(names);
    Window->openbtn->click();
}

bool TWindowFixture::PopupAt(int x, QAction* item)
{
    QTest::mouseClick(Window->iview, Qt::RightButton, {}, QPoint(x, 5));
    Window->PopupMenu1->hide();
    if (!item->isEnabled()) return false;
    item->trigger();
    return true;
}

QStringList TWindowFixture::SlotNames() const
{
    QStringList names;
    for (int32_t i = 0; i < Window->Document().Count(); ++i)
        names << QFileInfo(QString::fromStdString(Window->Document().SlotName(i))).fileName();
    return names;
}

QSize TWindowFixture::JoinedSize() const
{
    return {Window->Document().Joined().GetWidth(), Window->Document().Joined().GetHeight()};
}

}  // namespace quilmo::test
