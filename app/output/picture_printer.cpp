#include "picture_printer.h"

#include <stdexcept>

#include "output/page_fit.h"

namespace quilmo {

TPrintJob::TPrintJob(QPrinter& printer, const QString& title, bool landscape) : FPrinter(printer)
{
    FPrinter.setDocName(title);
    FPrinter.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    FPrinter.setCopyCount(1);
}

TPrintJob::~TPrintJob()
{
    Abort();
}

TRect TPrintJob::PrintableRect() const
{
    return {0, 0, FPrinter.width(), FPrinter.height()};
}

QPainter& TPrintJob::Painter()
{
    if (!FPainter.isActive() && !FPainter.begin(&FPrinter))
        throw std::runtime_error(tr("印刷を開始できませんでした").toStdString());
    return FPainter;
}

void TPrintJob::Abort()
{
    if (!FPainter.isActive()) return;
    FPrinter.abort();
    FPainter.end();
}

void TPrintJob::End()
{
    Painter();
    if (!FPainter.end()) throw std::runtime_error(tr("印刷を終了できませんでした").toStdString());
}

TPicturePrinter::TPicturePrinter() : FPrinter(QPrinter::HighResolution) {}

bool TPicturePrinter::PrintPage(TSize size, const QString& title, bool landscape,
                                const std::function<bool()>& started,
                                const std::function<void(QPainter&, const QRect&)>& draw)
{
    TPrintJob job(FPrinter, title, landscape);
    FPrinting = true;
    FAborted = false;
    const bool stop = started() || FAborted;
    FPrinting = false;
    if (stop) return false;
    const TRect target = FitToPage(job.PrintableRect(), size.Width, size.Height);
    draw(job.Painter(), QRect(target.Left, target.Top, target.Width(), target.Height()));
    job.End();
    return true;
}

void TPicturePrinter::Abort()
{
    if (FPrinting) FAborted = true;
}

}  // namespace quilmo
