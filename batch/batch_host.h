#pragma once
// What the batch lists and the batch run need from the windows that show them. The batch window
// and its progress window implement them; the command-line tool and the tests have their own.

#include <cstdint>
#include <memory>
#include <string>

#include "bigbitmap/geometry.h"

namespace quilmo {

class TBitmap;

// The two lists: list 1 holds the left (or bottom) pictures, list 2 the right (or top) ones.
enum TBatchList : uint8_t { blList1, blList2 };

class TBatchListsHost {
public:
    virtual ~TBatchListsHost() = default;

    // The rows or the selected row of list changed; the control shows them again.
    virtual void ListChanged(TBatchList list) = 0;
    // The preview of list shows picture (24-bit), centred and scaled with its proportions, or
    // nothing. The picture is only valid during the call.
    virtual void ShowPreview(TBatchList list, const TBitmap* picture) = 0;
    // The preview's hint: the path of the picture it shows, or empty.
    virtual void SetPreviewHint(TBatchList list, const std::string& hint) = 0;
    // Scroll list so that its first visible row is the other list's, as far as it has rows.
    virtual void AlignTopRow(TBatchList list) = 0;
    // A plug-in could not read a file: an error box with OK and Cancel whose answer does not
    // matter.
    virtual void ShowErrorOkCancel(const std::string& message) = 0;
    // Any other file that could not be read: an error box with OK.
    virtual void ShowError(const std::string& message) = 0;
};

// One print job of one page, started by TBatchRunHost::StartPrintJob. Printer failures raise;
// a job let go without End or Abort is aborted.
class TBatchPrintJob {
public:
    virtual ~TBatchPrintJob() = default;
    // The printable area of the page in device pixels, in the coordinates drawing takes.
    virtual TRect PrintableRect() const = 0;
    virtual void StretchDraw(const TRect& target, const TBitmap& picture) = 0;
    // End the job without printing; nothing else is called afterwards.
    virtual void Abort() = 0;
    // Finish the page and the job.
    virtual void End() = 0;
};

class TBatchRunHost {
public:
    virtual ~TBatchRunHost() = default;

    // A confirmation with the buttons Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& question) = 0;
    // A confirmation with the buttons OK and Cancel; true for OK.
    virtual bool AskOkCancel(const std::string& question) = 0;
    // A picture could not be read: an error box with OK and Cancel whose answer does not matter.
    virtual void ShowErrorOkCancel(const std::string& message) = 0;
    // An information box with OK.
    virtual void ShowInformation(const std::string& message) = 0;

    // The progress window: emptied, placed at the batch window's left + 100 and top + 100 and
    // shown with "中止" visible.
    virtual void ShowProgressWindow() = 0;
    virtual void AddProgressLine(const std::string& text) = 0;
    // text goes on at the end of line index (from 0).
    virtual void AppendToProgressLine(int32_t index, const std::string& text) = 0;
    // Why the pair of line index failed, shown beside the line until the next run.
    virtual void ShowFailureReason(int32_t index, const std::string& reason) = 0;
    // The run is over: "閉じる" is shown; after a complete run "中止" is hidden, after a stop
    // it stays.
    virtual void ProgressEnded(bool completed) = 0;
    // Handle pending input: the progress window's buttons and key presses reach the run here.
    virtual void ProcessMessages() = 0;

    // A print job of pair k titled title with one copy, landscape or portrait. A printer that
    // writes a file writes each pair's job to a file of its own. Raises when no job can be
    // started.
    virtual std::unique_ptr<TBatchPrintJob> StartPrintJob(const std::string& title, int32_t k,
                                                          bool landscape) = 0;
};

}  // namespace quilmo
