#pragma once
// A document host that writes down every call, so tests can compare what the window would
// have been told with what it should have been told.

#include <functional>
#include <string>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "core/document_host.h"

namespace quilmo::test {

class TRecordingHost : public TDocumentHost {
public:
    std::vector<std::string> Calls;
    std::string Status;
    TSize View{800, 350};
    const TBigBitmap* Shown = nullptr;
    bool ShownScaled = false;
    std::vector<std::string> Errors;
    std::vector<TJoinSettings> Restored;
    std::vector<bool> BusyStates;
    // Runs inside ProcessMessages, as user input handled during a long operation would.
    std::function<void()> OnMessages;

    std::string StatusText() const override { return Status; }
    void SetStatusText(const std::string& text) override
    {
        Status = text;
        Calls.push_back("status " + text);
    }
    void ShowProgressBar() override { Calls.push_back("bar shown"); }
    void StepProgressBar(int32_t step) override
    {
        Calls.push_back("bar step " + std::to_string(step));
    }
    void SetProgressPosition(int32_t position) override
    {
        Calls.push_back("bar at " + std::to_string(position));
    }
    void HideProgressBar() override { Calls.push_back("bar hidden"); }
    void ProcessMessages() override
    {
        if (OnMessages) OnMessages();
    }
    void EnableImageCommands() override { Calls.push_back("enable"); }
    void DisableImageCommands() override { Calls.push_back("disable"); }
    void CountChanged(int32_t count) override { Calls.push_back("count " + std::to_string(count)); }
    void FrameOnChanged(bool frameOn) override
    {
        Calls.push_back(frameOn ? "frame on" : "frame off");
    }
    void SettingsRestored(const TJoinSettings& settings) override
    {
        Restored.push_back(settings);
        Calls.push_back("settings restored");
    }
    // Busy states are kept apart: nearly every command reports them.
    void BusyChanged(bool busy) override { BusyStates.push_back(busy); }
    TSize ViewSize() const override { return View; }
    void ShowPreview(const TBigBitmap* picture, bool scaled) override
    {
        Shown = picture;
        ShownScaled = scaled;
        Calls.push_back(std::string("preview ") + (picture ? SizeText(*picture) : "none") +
                        (scaled ? " scaled" : ""));
    }
    void SetPrintOrientation(int32_t index) override
    {
        Calls.push_back("orientation " + std::to_string(index));
    }
    void ShowError(const std::string& message) override
    {
        Errors.push_back(message);
        Calls.push_back("error " + message);
    }
    void ShowErrorOkCancel(const std::string& message) override
    {
        Errors.push_back(message);
        Calls.push_back("error box " + message);
    }

    // The calls that start with prefix, in order.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const
    {
        std::vector<std::string> result;
        for (const std::string& call : Calls)
            if (call.rfind(prefix, 0) == 0) result.push_back(call);
        return result;
    }

    static std::string SizeText(const TBigBitmap& picture)
    {
        return std::to_string(picture.GetWidth()) + "x" + std::to_string(picture.GetHeight());
    }
};

}  // namespace quilmo::test
