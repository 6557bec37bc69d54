#pragma once
// Batch hosts that write down what the windows would have been told.

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch_host.h"
#include "bigbitmap/bitmap.h"

namespace quilmo::test {

class TRecordingListsHost : public TBatchListsHost {
public:
    // The colour of the top left pixel of each preview; nothing while it is empty.
    std::array<std::optional<TColor>, 2> Shown;
    std::array<std::string, 2> Hints;
    std::vector<std::string> Errors;
    std::vector<TBatchList> Changed;
    std::vector<TBatchList> Aligned;

    void ListChanged(TBatchList list) override { Changed.push_back(list); }
    void ShowPreview(TBatchList list, const TBitmap* picture) override
    {
        Shown[list].reset();
        if (picture) {
            const uint8_t* pixel = picture->ScanLine(0);
            Shown[list] = RGBColor(pixel[2], pixel[1], pixel[0]);
        }
    }
    void SetPreviewHint(TBatchList list, const std::string& hint) override { Hints[list] = hint; }
    void AlignTopRow(TBatchList list) override { Aligned.push_back(list); }
    void ShowErrorOkCancel(const std::string& message) override { Errors.push_back(message); }
    // Errors with one button, named apart from the plug-in's boxes.
    void ShowError(const std::string& message) override { Errors.push_back("OK: " + message); }
};

// A page as the recording host's printer saw it.
struct TPrintedJob {
    std::string Title;
    bool Landscape = false;
    TRect Target;
    int32_t PictureWidth = 0;
    int32_t PictureHeight = 0;
    std::string End;  // "ended", "aborted", or empty while the job is open
};

class TRecordingRunHost : public TBatchRunHost {
public:
    std::vector<std::string> Lines;
    std::map<int32_t, std::string> Reasons;  // by line
    std::vector<std::string> Questions;
    std::vector<std::string> Errors;
    std::vector<std::string> Information;
    std::vector<TPrintedJob> Jobs;
    bool WindowShown = false;
    std::optional<bool> Completed;  // how the run ended
    bool Yes = true;
    bool Ok = true;
    TRect Printable{50, 60, 3050, 2060};
    // Runs inside ProcessMessages, as input handled during a run would.
    std::function<void()> OnMessages;

    bool AskYesNo(const std::string& question) override
    {
        Questions.push_back(question);
        return Yes;
    }
    bool AskOkCancel(const std::string& question) override
    {
        Questions.push_back(question);
        return Ok;
    }
    void ShowErrorOkCancel(const std::string& message) override { Errors.push_back(message); }
    void ShowInformation(const std::string& message) override { Information.push_back(message); }
    void ShowProgressWindow() override
    {
        WindowShown = true;
        Lines.clear();
        Reasons.clear();
    }
    void AddProgressLine(const std::string& text) override { Lines.push_back(text); }
    void AppendToProgressLine(int32_t index, const std::string& text) override
    {
        Lines.at(static_cast<size_t>(index)) += text;
    }
    void ShowFailureReason(int32_t index, const std::string& reason) override
    {
        Reasons[index] += reason;
    }
    void ProgressEnded(bool completed) override { Completed = completed; }
    void ProcessMessages() override
    {
        if (OnMessages) OnMessages();
    }
    std::unique_ptr<TBatchPrintJob> StartPrintJob(const std::string& title, int32_t, bool landscape) override
    {
        TPrintedJob job;
        job.Title = title;
        job.Landscape = landscape;
        Jobs.push_back(job);
        return std::make_unique<TJob>(*this, Jobs.size() - 1);
    }

private:
    class TJob : public TBatchPrintJob {
    public:
        TJob(TRecordingRunHost& host, size_t index) : FHost(host), FIndex(index) {}
        ~TJob() override
        {
            if (Job().End.empty()) Job().End = "aborted";
        }
        TRect PrintableRect() const override { return FHost.Printable; }
        void StretchDraw(const TRect& target, const TBitmap& picture) override
        {
            Job().Target = target;
            Job().PictureWidth = picture.GetWidth();
            Job().PictureHeight = picture.GetHeight();
        }
        void Abort() override { Job().End = "aborted"; }
        void End() override { Job().End = "ended"; }

    private:
        TPrintedJob& Job() const { return FHost.Jobs[FIndex]; }
        TRecordingRunHost& FHost;
        size_t FIndex;
    };
};

}  // namespace quilmo::test
