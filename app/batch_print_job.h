#pragma once
// The batch run's print jobs on the application's printer.

#include <memory>
#include <string>

#include "batch/batch_host.h"

class QPrinter;

namespace quilmo {

// Sets title, orientation and one copy on printer. The job reaches the printer only when the
// page is drawn or ended, so that aborting it before prints nothing: Qt's printers cannot take
// back a job once it has begun.
std::unique_ptr<TBatchPrintJob> StartBatchPrintJob(QPrinter& printer, const std::string& title,
                                                   bool landscape);

}  // namespace quilmo
