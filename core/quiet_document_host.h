#pragma once
// A document host for work without a window (the command-line tool, benchmarks): nothing is
// shown, and the first error is kept for the caller.

#include <string>

#include "document_host.h"

namespace quilmo {

class TQuietDocumentHost : public TDocumentHost {
public:
    // The first error the document reported; empty when there was none.
    std::string Error;

    std::string StatusText() const override { return FStatus; }
    void SetStatusText(const std::string& text) override { FStatus = text; }
    void ShowProgressBar() override {}
    void StepProgressBar(int32_t) override {}
    void SetProgressPosition(int32_t) override {}
    void HideProgressBar() override {}
    void ProcessMessages() override {}
    void EnableImageCommands() override {}
    void DisableImageCommands() override {}
    void CountChanged(int32_t) override {}
    void FrameOnChanged(bool) override {}
    void SettingsRestored(const TJoinSettings&) override {}
    void BusyChanged(bool) override {}
    // The size the preview is made for; a small one keeps its reduction cheap.
    TSize ViewSize() const override { return {800, 600}; }
    void ShowPreview(const TBigBitmap*, bool) override {}
    void SetPrintOrientation(int32_t) override {}
    void ShowError(const std::string& message) override
    {
        if (Error.empty()) Error = message;
    }
    void ShowErrorOkCancel(const std::string& message) override { ShowError(message); }

private:
    std::string FStatus;
};

}  // namespace quilmo
