#include "batch_run.h"

#include <exception>

#include "batch_lists.h"
#include "batch_texts.h"
#include "bigbitmap/bitmap.h"
#include "bigbitmap/errors.h"
#include "core/picture_colors.h"
#include "output/page_fit.h"
#include "pair_naming.h"
#include "pair_picture.h"
#include "result_guard.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

// Sets a flag for as long as it lives.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TFlagScope() { FFlag = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
};

// Every pair's result and pictures, for the clashes of a save run.
std::unique_ptr<TRunSurvey> SurveyPairs(const std::vector<TBatchPair>& pairs,
                                        const TBatchRunSettings& settings, const std::string& folder)
{
    auto survey = std::make_unique<TRunSurvey>(settings, folder);
    for (const TBatchPair& pair : pairs) survey->AddResult(pair);
    for (const TBatchPair& pair : pairs) survey->AddPictures(pair);
    return survey;
}

}  // namespace

TBatchRun::TBatchRun(TBatchRunHost& host) : FHost(host) {}

TBatchRun::~TBatchRun() = default;

void TBatchRun::SaveAll(const TBatchLists& lists, const TBatchRunSettings& settings)
{
    if (FRunning || lists.Empty()) return;
    FBatchStop = false;
    RunBatch(lists.Pairs(), lists.BatchFolder(), settings, bmSave);
}

void TBatchRun::PrintAll(const TBatchLists& lists, const TBatchRunSettings& settings)
{
    if (FRunning || lists.Empty()) return;
    if (!FHost.AskOkCancel(kPrintQuestion)) return;
    FBatchStop = false;
    FKeyPressed = false;
    RunBatch(lists.Pairs(), lists.BatchFolder(), settings, bmPrint);
}

void TBatchRun::RunBatch(const std::vector<TBatchPair>& pairs, const std::string& batchFolder,
                         const TBatchRunSettings& settings, TBatchMode mode)
{
    if (FRunning) return;
    const std::string folder = settings.SameFolder ? batchFolder : settings.SaveFolder;
    FSurvey.reset();
    if (mode == bmSave) {
        std::unique_ptr<TRunSurvey> survey = SurveyPairs(pairs, settings, folder);
        const bool clashes = survey->SourceClashes().Count + survey->ResultClashes().Count > 0;
        // Saving under the sources' names beside them asks whatever the files are.
        const bool besideSources = settings.Naming == bnSameName && settings.SameFolder;
        if ((clashes || besideSources) && !FHost.AskYesNo(kOverwriteQuestion)) return;
        FSurvey = std::move(survey);
    }
    const TFlagScope running(FRunning);
    FSettings = settings;
    FFolder = folder;
    FMode = mode;
    FHost.ShowProgressWindow();
    for (size_t i = 0; i < pairs.size(); ++i)
        if (!PairStep(pairs[i], static_cast<int32_t>(i))) return;
    AddProgressLine(kBatchCompletedLine);
    FHost.ProgressEnded(true);
}

void TBatchRun::Stop()
{
    FBatchStop = true;
    FKeyPressed = true;
}

void TBatchRun::KeyDown(bool escape)
{
    FKeyPressed = true;
    if (escape && FPrinting) FHost.ShowInformation(kPrintAborted);
}

bool TBatchRun::PairStep(const TBatchPair& pair, int32_t line)
{
    FHost.ProcessMessages();
    if (FBatchStop) {
        FBatchStop = false;
        AddProgressLine(kBatchStoppedLine);
        FHost.ProgressEnded(false);
        return false;
    }
    AddProgressLine(PairLineText(pair.Number));
    MarkProgressLine(line, FMode == bmSave ? SaveStep(pair) : PrintStep(pair));
    return true;
}

TPairOutcome TBatchRun::SaveStep(const TBatchPair& pair)
{
    // Refused: its result would replace a picture that a later pair reads.
    const std::string refusal = FSurvey->Clear(pair).Refusal;
    if (!refusal.empty()) return {.Error = refusal};
    return JoinAndSavePair(pair, FSettings, FFolder, [this](const std::string&, const std::string& message) {
        ShowLoadError(message);
    });
}

TPairOutcome TBatchRun::PrintStep(const TBatchPair& pair)
{
    try {
        TBitmap result;
        const TColorProfile profile = MakePairPicture(
            pair, FSettings,
            [this](const std::string&, const std::string& message) { ShowLoadError(message); },
            result);
        // Printers take sRGB.
        ConvertToSRGB(result, profile);
        return PrintPair(result, pair.Number);
    } catch (const std::exception& e) {
        return {.Error = e.what()};
    }
}

TPairOutcome TBatchRun::PrintPair(TBitmap& result, int32_t k)
{
    try {
        const std::unique_ptr<TBatchPrintJob> job =
            FHost.StartPrintJob(PrintJobTitle(k), k, FSettings.Landscape);
        const TFlagScope printing(FPrinting);
        // A key pressed while the job starts aborts it, as for the main window's print.
        FHost.ProcessMessages();
        if (FKeyPressed) {
            job->Abort();
            return {};
        }
        const TRect page = job->PrintableRect();
        if (page.IsEmpty()) throw EWriteError(UiText(UI_TEXT("quilmo", "プリンターに印刷できる範囲がありません")));
        job->StretchDraw(FitToPage(page, result.GetWidth(), result.GetHeight()), result);
        job->End();
        return {.Ok = true};
    } catch (const std::exception& e) {
        return {.Error = e.what()};
    }
}

void TBatchRun::ShowLoadError(const std::string& message)
{
    FHost.ShowErrorOkCancel(message);
}

void TBatchRun::AddProgressLine(const std::string& text)
{
    FHost.AddProgressLine(text);
    FHost.ProcessMessages();
}

void TBatchRun::MarkProgressLine(int32_t index, const TPairOutcome& outcome)
{
    FHost.AppendToProgressLine(index, outcome.Ok ? kBatchDoneMark : kBatchErrorMark);
    if (!outcome.Ok && !outcome.Error.empty()) FHost.ShowFailureReason(index, outcome.Error);
    FHost.ProcessMessages();
}

}  // namespace quilmo
