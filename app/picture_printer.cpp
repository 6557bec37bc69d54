#include "picture_printer.h"

#include <QPainter>
#include <stdexcept>

#include "output/page_fit.h"

namespace quilmo {

TPicturePrinter::TPicturePrinter() : FPrinter(QPrinter::HighResolution) {}

bool TPicturePrinter::PrintPage(TSize size, const QString& title, bool landscape,
                                const std::function<bool()>& started,
                                const std::function<void(QPainter&, const QRect&)>& draw)
{
    FPrinter.setDocName(title);
    FPrinter.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    FPrinter.setCopyCount(1);
    // Qt's printers cannot take back a job once it has begun (an abandoned PDF or CUPS job
    // still comes out as an empty page), so the keys that stop a starting job are let through
    // just before the job is handed to the printer.
    FPrinting = true;
    FAborted = false;
    const bool stop = started() || FAborted;
    if (stop) {
        FPrinting = false;
        return false;
    }
    QPainter painter;
    if (!painter.begin(&FPrinter)) {
        FPrinting = false;
        throw std::runtime_error("印刷を開始できませんでした");
    }
    // The painter's origin is the corner of the printable area.
    const TRect target = FitToPage({0, 0, FPrinter.width(), FPrinter.height()}, size.Width, size.Height);
    draw(painter, QRect(target.Left, target.Top, target.Width(), target.Height()));
    const bool ended = painter.end();
    FPrinting = false;
    if (!ended) throw std::runtime_error("印刷を終了できませんでした");
    return true;
}

void TPicturePrinter::Abort()
{
    if (FPrinting) FAborted = true;
}

}  // namespace quilmo
