#pragma once
// Printing a picture on one page, as large as the printable area allows and centred. The
// printer and the choices made in its setup dialog last as long as the program.

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <functional>

#include "bigbitmap/geometry.h"
#include "core/picture_helpers.h"

namespace quilmo {

// One job of one page on printer. It reaches the printer only when drawing begins, so that a
// job given up before then prints nothing: Qt's printers cannot take back a job once it has
// begun (an aborted PDF or CUPS job still comes out as an empty page).
class TPrintJob {
    Q_DECLARE_TR_FUNCTIONS(TPrintJob)

public:
    TPrintJob(QPrinter& printer, const QString& title, bool landscape);
    // A job let go while it draws is aborted.
    ~TPrintJob();
    TPrintJob(const TPrintJob&) = delete;
    TPrintJob& operator=(const TPrintJob&) = delete;

    // The printable area in device pixels, in the painter's coordinates.
    TRect PrintableRect() const;
    // Begins the job when it has not begun; raises when the printer does not take it.
    QPainter& Painter();
    void Abort();
    // Finishes the page and the job; raises when it did not reach the printer.
    void End();

private:
    QPrinter& FPrinter;
    QPainter FPainter;
};

class TPicturePrinter {
public:
    TPicturePrinter();

    QPrinter& Printer() { return FPrinter; }
    // A job is starting.
    bool Printing() const { return FPrinting; }

    // Prints a picture of size on one page of a job titled title: draw gets the target
    // rectangle in the page's device pixels. started runs once as the job starts; when it
    // answers true, or Abort was called meanwhile, nothing reaches the printer and the answer
    // is false. Raises when the printer does not take the job.
    bool PrintPage(TSize size, const QString& title, bool landscape,
                   const std::function<bool()>& started,
                   const std::function<void(QPainter&, const QRect&)>& draw);
    // Abandons the job that is starting.
    void Abort();

private:
    QPrinter FPrinter;
    bool FPrinting = false;
    bool FAborted = false;
};

}  // namespace quilmo
