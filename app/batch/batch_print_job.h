#pragma once
// The batch run's print jobs on the application's printer.

#include <cstdint>
#include <memory>
#include <string>

#include "batch/batch_host.h"

class QPrinter;

namespace quilmo {

// Pair k's job titled title with one copy in that orientation; it reaches printer only when the
// page is drawn or ended (see TPrintJob). A printer that writes a file writes this job to the
// file numbered k (NumberedFileName), so that no job replaces another's.
std::unique_ptr<TBatchPrintJob> StartBatchPrintJob(QPrinter& printer, const std::string& title,
                                                   int32_t k, bool landscape);

}  // namespace quilmo
