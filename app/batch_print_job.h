#pragma once
// The batch run's print jobs on the application's printer.

#include <memory>
#include <string>

#include "batch/batch_host.h"

class QPrinter;

namespace quilmo {

// A job titled title with one copy in that orientation; it reaches printer only when the page is
// drawn or ended (see TPrintJob).
std::unique_ptr<TBatchPrintJob> StartBatchPrintJob(QPrinter& printer, const std::string& title,
                                                   bool landscape);

}  // namespace quilmo
