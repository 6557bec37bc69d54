#pragma once
// The batch run: every pair of the two lists joined, resized when asked, and saved under a
// name of its own or printed on a page of its own, one progress line a pair.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "batch_host.h"
#include "batch_pair.h"
#include "pair_saving.h"
#include "run_settings.h"

namespace quilmo {

class TBatchLists;
class TBitmap;
class TRunSurvey;

class TBatchRun {
public:
    explicit TBatchRun(TBatchRunHost& host);
    ~TBatchRun();

    // "一括保存": a save run of the lists' pairs; nothing when both lists are empty.
    void SaveAll(const TBatchLists& lists, const TBatchRunSettings& settings);
    // "一括印刷": after "一括印刷を行いますか？" is answered with OK, a print run of the lists'
    // pairs; nothing when both lists are empty.
    void PrintAll(const TBatchLists& lists, const TBatchRunSettings& settings);

    // Does every pair in order, with the settings as they are now: lists and settings changed
    // while it runs do not reach it. Results are saved into batchFolder, or the settings' own
    // folder when they do not save into the same folder. A save whose results would replace
    // pictures of the run or each other, or that saves under the sources' names beside them,
    // asks first, and "No" ends the run before it starts; after "Yes", a pair whose result
    // would replace a picture that a later pair reads fails. Nothing happens while another run
    // is in progress.
    void RunBatch(const std::vector<TBatchPair>& pairs, const std::string& batchFolder,
                  const TBatchRunSettings& settings, TBatchMode mode);

    // "中止": the run stops before its next pair; a print job in progress is aborted.
    void Stop();
    // A key was pressed in the batch or progress window: a print job in progress is aborted,
    // and so are the jobs of the pairs that follow. Escape also says the job was aborted.
    void KeyDown(bool escape);
    // The batch window was shown or hidden: a stop asked for earlier is forgotten.
    void ClearStopRequest() { FBatchStop = false; }

    bool Running() const { return FRunning; }
    bool Printing() const { return FPrinting; }
    bool StopRequested() const { return FBatchStop; }

private:
    // One pair, numbered by line (from 0) in the progress window; false when the run stopped
    // before it.
    bool PairStep(const TBatchPair& pair, int32_t line);
    // Each says why a pair failed (empty when no reason is known) in the outcome's Error.
    TPairOutcome SaveStep(const TBatchPair& pair);
    TPairOutcome PrintStep(const TBatchPair& pair);
    // One job and one page for result; not Ok when it was aborted or the printer failed.
    TPairOutcome PrintPair(TBitmap& result, int32_t k);
    void ShowLoadError(const std::string& message);
    // Each lets pending input run after it.
    void AddProgressLine(const std::string& text);
    void MarkProgressLine(int32_t index, const TPairOutcome& outcome);

    TBatchRunHost& FHost;
    TBatchRunSettings FSettings;
    std::unique_ptr<TRunSurvey> FSurvey;  // of a save run
    std::string FFolder;
    TBatchMode FMode = bmSave;
    bool FBatchStop = false;
    bool FKeyPressed = false;
    bool FRunning = false;
    bool FPrinting = false;
};

}  // namespace quilmo
