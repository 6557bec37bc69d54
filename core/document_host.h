#pragma once
// What the slot document needs from the window that shows it. The main window implements it;
// the command-line tool and the tests have their own.

#include <cstdint>
#include <string>

#include "join_settings.h"
#include "picture_helpers.h"
#include "resample/work_threads.h"

namespace quilmo {

class TBigBitmap;

class TDocumentHost {
public:
    virtual ~TDocumentHost() = default;

    // Panel 0 of the status line.
    virtual std::string StatusText() const = 0;
    virtual void SetStatusText(const std::string& text) = 0;

    // The progress bar (0..100): placed and shown at 0, advanced, set, hidden.
    virtual void ShowProgressBar() = 0;
    virtual void StepProgressBar(int32_t step) = 0;
    virtual void SetProgressPosition(int32_t position) = 0;
    virtual void HideProgressBar() = 0;
    // Repaint the bar and handle pending input; the host may call back into the document.
    virtual void ProcessMessages() = 0;
    // While work threads run, a host that WaitsForInput waits in WaitForInput for input to
    // handle, until WakeWaiting is called from any thread (one that came first ends the next wait
    // at once); other hosts handle pending input every few milliseconds through ProcessMessages.
    virtual bool WaitsForInput() const { return false; }
    virtual void WaitForInput() {}
    virtual void WakeWaiting() {}

    // The ten commands that need a joined picture (save, copy, print, ...).
    virtual void EnableImageCommands() = 0;
    virtual void DisableImageCommands() = 0;

    // The document changed a setting the host shows: the count, the frame switch.
    virtual void CountChanged(int32_t count) = 0;
    virtual void FrameOnChanged(bool frameOn) = 0;
    // A setting change could not be carried out: the controls show settings again.
    virtual void SettingsRestored(const TJoinSettings& settings) = 0;
    // A command started or ended. While busy, commands that change slots are refused, so the
    // host disables them; setting changes are kept and carried out afterwards.
    virtual void BusyChanged(bool busy) = 0;

    // The preview area's client size.
    virtual TSize ViewSize() const = 0;
    // Show picture (none: an empty view) centred at 1:1, or scaled to fit the view with its
    // proportions kept. It stays valid and unchanged until the next call.
    virtual void ShowPreview(const TBigBitmap* picture, bool scaled) = 0;
    // Index of the print orientation combo box: 0 "水平", 1 "垂直".
    virtual void SetPrintOrientation(int32_t index) = 0;

    // A command failed; the document is as it was before it.
    virtual void ShowError(const std::string& message) = 0;
    // An error box with OK and Cancel whose answer does not matter.
    virtual void ShowErrorOkCancel(const std::string& message) = 0;
};

// The progress callback of every long operation, shown through host: (0, 100, 0) places and
// shows the bar, a step advances it, a position of 1 to 100 sets it, and each of these lets
// pending input run. Always 0.
int32_t ReportProgressTo(TDocumentHost& host, int16_t position, int16_t max, int32_t step);

// The calling thread keeps answering host for as long as the scope lives (see TWhileWaiting).
TWhileWaiting AnsweringWhileWaiting(TDocumentHost& host);

}  // namespace quilmo
