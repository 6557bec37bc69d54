#pragma once
// Printing a picture on one page, as large as the printable area allows and centred. The
// printer and the choices made in its setup dialog last as long as the program.

#include <QPrinter>
#include <functional>

#include "core/picture_helpers.h"

class QPainter;

namespace quilmo {

class TPicturePrinter {
public:
    TPicturePrinter();

    QPrinter& Printer() { return FPrinter; }
    // A job has started and not yet ended.
    bool Printing() const { return FPrinting; }

    // Prints a picture of size on one page of a job titled title: draw gets the target
    // rectangle in the page's device pixels. started runs once as the job starts; when it
    // answers true, or Abort was called meanwhile, nothing reaches the printer and the answer
    // is false. Raises when the printer does not take the job.
    bool PrintPage(TSize size, const QString& title, bool landscape, const std::function<bool()>& started,
                   const std::function<void(QPainter&, const QRect&)>& draw);
    // Abandons the job that is starting.
    void Abort();

private:
    QPrinter FPrinter;
    bool FPrinting = false;
    bool FAborted = false;
};

}  // namespace quilmo
