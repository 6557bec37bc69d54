#include "batch_print_job.h"

#include <QPainter>
#include <QPrinter>
#include <stdexcept>

#include "big_bitmap_painter.h"

namespace quilmo {

namespace {

class TQtBatchPrintJob : public TBatchPrintJob {
public:
    explicit TQtBatchPrintJob(QPrinter& printer) : FPrinter(printer) {}

    ~TQtBatchPrintJob() override
    {
        if (FPainter.isActive()) Abort();
    }

    TRect PrintableRect() const override { return {0, 0, FPrinter.width(), FPrinter.height()}; }

    void StretchDraw(const TRect& target, const TBitmap& picture) override
    {
        Begin();
        DrawBitmap(FPainter, picture,
                   QRectF(target.Left, target.Top, target.Width(), target.Height()));
    }

    void Abort() override
    {
        if (!FPainter.isActive()) return;
        FPrinter.abort();
        FPainter.end();
    }

    void End() override
    {
        Begin();
        if (!FPainter.end()) throw std::runtime_error("印刷を終了できませんでした");
    }

private:
    void Begin()
    {
        if (FPainter.isActive()) return;
        if (!FPainter.begin(&FPrinter)) throw std::runtime_error("印刷を開始できませんでした");
    }

    QPrinter& FPrinter;
    QPainter FPainter;
};

}  // namespace

std::unique_ptr<TBatchPrintJob> StartBatchPrintJob(QPrinter& printer, const std::string& title,
                                                   bool landscape)
{
    printer.setDocName(QString::fromStdString(title));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setCopyCount(1);
    return std::make_unique<TQtBatchPrintJob>(printer);
}

}  // namespace quilmo
