#include "batch_print_job.h"

#include "big_bitmap_painter.h"
#include "picture_printer.h"

namespace quilmo {

namespace {

// The batch run's job interface over a print job of the application's printer.
class TQtBatchPrintJob : public TBatchPrintJob {
public:
    TQtBatchPrintJob(QPrinter& printer, const std::string& title, bool landscape)
        : FJob(printer, QString::fromStdString(title), landscape)
    {
    }

    TRect PrintableRect() const override { return FJob.PrintableRect(); }
    void StretchDraw(const TRect& target, const TBitmap& picture) override
    {
        DrawBitmap(FJob.Painter(), picture,
                   QRectF(target.Left, target.Top, target.Width(), target.Height()));
    }
    void Abort() override { FJob.Abort(); }
    void End() override { FJob.End(); }

private:
    TPrintJob FJob;
};

}  // namespace

std::unique_ptr<TBatchPrintJob> StartBatchPrintJob(QPrinter& printer, const std::string& title,
                                                   bool landscape)
{
    return std::make_unique<TQtBatchPrintJob>(printer, title, landscape);
}

}  // namespace quilmo
