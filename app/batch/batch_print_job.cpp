#include "batch_print_job.h"

#include "batch/pair_naming.h"
#include "app/shell/big_bitmap_painter.h"
#include "app/output/picture_printer.h"

namespace quilmo {

namespace {

// The batch run's job interface over a print job of the application's printer.
class TQtBatchPrintJob : public TBatchPrintJob {
public:
    TQtBatchPrintJob(QPrinter& printer, const std::string& title, int32_t k, bool landscape)
        : FPrinter(printer),
          FFileName(printer.outputFileName()),
          FJob(printer, QString::fromStdString(title), landscape)
    {
        if (!FFileName.isEmpty())
            FPrinter.setOutputFileName(
                QString::fromStdString(NumberedFileName(FFileName.toStdString(), k)));
    }
    // The printer writes to the file the user chose again.
    ~TQtBatchPrintJob() override
    {
        FJob.Abort();
        if (!FFileName.isEmpty()) FPrinter.setOutputFileName(FFileName);
    }
    TQtBatchPrintJob(const TQtBatchPrintJob&) = delete;
    TQtBatchPrintJob& operator=(const TQtBatchPrintJob&) = delete;

    TRect PrintableRect() const override { return FJob.PrintableRect(); }
    void StretchDraw(const TRect& target, const TBitmap& picture) override
    {
        DrawBitmap(FJob.Painter(), picture,
                   QRectF(target.Left, target.Top, target.Width(), target.Height()));
    }
    void Abort() override { FJob.Abort(); }
    void End() override { FJob.End(); }

private:
    QPrinter& FPrinter;
    const QString FFileName;
    TPrintJob FJob;
};

}  // namespace

std::unique_ptr<TBatchPrintJob> StartBatchPrintJob(QPrinter& printer, const std::string& title,
                                                   int32_t k, bool landscape)
{
    return std::make_unique<TQtBatchPrintJob>(printer, title, k, landscape);
}

}  // namespace quilmo
