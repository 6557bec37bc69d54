#pragma once
// The document of the main window: six picture slots in join order, their names and places in
// the joined picture, the join settings, the joined picture and its preview. Every command
// either succeeds completely or leaves the document as it was and hands the error to the host.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "color/color_profile.h"
#include "document_host.h"
#include "join_settings.h"

namespace quilmo {

inline constexpr int32_t kSlotCount = 6;

// A decoded picture, the name its slot gets and the colours of its numbers.
struct TNamedPicture {
    std::unique_ptr<TGraphic> Picture;
    std::string Name;
    TColorProfile Profile;
};

class TSlotDocument {
public:
    explicit TSlotDocument(TDocumentHost& host);
    ~TSlotDocument();

    TDocumentHost& Host() { return FHost; }

    int32_t Count() const { return FCount; }
    int32_t LastCount() const { return FLastCount; }
    // The picture of slot i; nullptr when the slot is empty.
    const TGraphic* Slot(int32_t i) const { return FSlots[i].get(); }
    const std::string& SlotName(int32_t i) const { return FSlotNames[i]; }
    const TColorProfile& SlotProfile(int32_t i) const { return FSlotProfiles[i]; }
    const TRect& SlotRect(int32_t i) const { return FSlotRects[i]; }
    int32_t SlotEdge(int32_t i) const { return FSlotEdges.Ends[i]; }
    // The joined picture at full size, frame included; empty exactly when the count is 0.
    TBigBitmap& Joined() { return FJoined; }
    // The colours of the joined picture's numbers.
    const TColorProfile& JoinedProfile() const { return FJoinedProfile; }
    // The settings the joined picture was built with. Changes that arrive while a command runs
    // wait in the requested settings until it ends.
    const TJoinSettings& Settings() const { return FSettings; }
    const TJoinSettings& RequestedSettings() const { return FRequested; }
    // The gap spin value the joined picture was built with.
    int32_t LastGap() const { return FSettings.Gap; }
    // A command runs. Slot commands are refused meanwhile (the host disables them, told by
    // BusyChanged); setting changes and view resizes wait for it to end.
    bool Busy() const { return FBusy; }
    // While held (by a window while a command of its own runs), setting changes and view
    // resizes wait as they do while a command of the document runs; releasing carries them out.
    void HoldPendingWork();
    void ReleasePendingWork();

    // Where the pointer last right-clicked, pressed or dropped on the preview, and the slot a
    // drag inside the preview started from.
    TPoint FClickPoint;
    int32_t FDragSlot = 0;
    // The slot under FClickPoint. One line: the first whose edge reaches the point, else slot
    // 0. Wrapped lines: the slot whose area (its picture and half the gap around it) holds the
    // point, else the nearest slot of the nearest line.
    int32_t SlotAtPoint() const;

    // Slot operations. A missing picture (nullptr) leaves the document as it is.
    void SetCount(int32_t value);
    // Fill slots from the count onward (from slot 0 when all six are full) with what read
    // delivers; read gets the first slot index and how many slots are free from there.
    void LoadPictures(
        const std::function<std::vector<TNamedPicture>(int32_t start, int32_t room)>& read);
    void ReplaceAtClick(TNamedPicture picture);
    bool CanInsert() const { return FCount < kSlotCount; }
    void InsertAfterClick(TNamedPicture picture);
    void DeleteAtClick();
    void ClearAll();
    // A press at point starts a drag of that slot when at least two slots are filled.
    bool BeginDrag(TPoint point);
    void DropAt(TPoint point);
    // Swaps two filled slots; anything else is ignored.
    void ExchangeSlots(int32_t a, int32_t b);
    void ReverseOrder();
    void PasteFromClipboard(std::unique_ptr<TGraphic> picture);
    void PasteFromCopyBuffer(std::unique_ptr<TGraphic> picture, const TColorProfile& profile);

    // Setting changes, each followed by what it needs rebuilt. When that fails the setting goes
    // back to what it was and the host is told to show it again (SettingsRestored).
    void SetDirection(TJoinDirection direction);
    void SetMethod(TResampleMethod method);
    void SetFrameOn(bool frameOn);
    void SetFrameRect(const TRect& widths);
    void SetGap(int32_t steps);
    void SetWrap(int32_t perLine);
    void SetAlign(TJoinAlign align);
    void SetJoinColor(TColor color);
    void SetPreviewMode(TPreviewMode mode);
    void SetUseSSE2(bool useSSE2);
    void SetColorSpace(TColorSpaceChoice choice);
    // Every setting at once (the settings file at start): one rebuild at most.
    void SetSettings(const TJoinSettings& settings);

    // Rebuild the joined picture, its preview, placements and edges from the slots.
    void BuildComposite();
    // The view changed size: refit the preview without progress reports.
    void ViewResized();
    // Runs use on the joined picture as a command of its own, so that nothing replaces the
    // picture while use lets input through (saving, printing, handing it on). Errors are shown.
    // False when another command runs or use failed.
    bool UseJoined(const std::function<void(TBigBitmap&)>& use);

    // The progress callback of every long operation; always 0.
    int32_t ReportProgress(int16_t position, int16_t max, int32_t step);
    // The status line lists slots 0..last as "  [1]a.jpg  [2]白紙".
    void ShowSlotNames(int32_t last);
    void EnableImageCommands() { FHost.EnableImageCommands(); }
    void DisableImageCommands();

private:
    // A slot arrangement a command works on before it becomes the document's. Pictures are
    // shared only between the document and such a pending arrangement, never between slots.
    struct TSlotTable {
        std::array<std::shared_ptr<TGraphic>, kSlotCount> Pictures;
        std::array<std::string, kSlotCount> Names;
        std::array<TColorProfile, kSlotCount> Profiles;
        int32_t Count = 0;

        void Put(int32_t i, TNamedPicture picture);
        // Slot to takes slot from's picture, name and profile; slot from is left empty.
        void Move(int32_t from, int32_t to);
        void Swap(int32_t a, int32_t b);
        void Clear(int32_t i);
    };
    // Where the slots lie in the view: the far end of each along the line, and each one's
    // picture with half the gap around it.
    struct TSlotEdges {
        std::array<int32_t, kSlotCount> Ends{};
        std::array<TRect, kSlotCount> Areas{};
    };
    // What the view shows of a joined picture, and where its slots end there.
    struct TPreviewResult {
        TSize Shown;
        // What the view shows in place of the joined picture: its reduction when the pretty
        // preview does not fit the view, or its sRGB copy; none when the joined one is shown.
        std::unique_ptr<TBigBitmap> StandIn;
        TSlotEdges Edges{};
    };
    // A new joined picture with everything that goes with it, made before any of it replaces
    // the document's, so that a failure on the way leaves the document untouched.
    struct TJoinResult {
        TBigBitmap Joined;
        TColorProfile Profile;
        std::array<TRect, kSlotCount> Rects{};
        TPreviewResult Preview;
    };

    // Runs body as one command unless another one runs; false when it failed (the status text
    // is then restored and the error shown) or did not run.
    bool RunCommand(const std::function<void()>& body);
    // A command, then whatever arrived while it ran.
    void Run(const std::function<void()>& body);
    void SetBusy(bool busy);
    void RunPendingWork();
    // Bring the joined picture in line with the requested settings: a rebuild, a re-spacing,
    // a new preview or nothing, as the changed settings need.
    void ApplySettings(const TJoinSettings& next);

    TSlotTable CurrentSlots() const;
    // Build from table with settings; only when everything succeeded do the table, the
    // settings and the results become the document's.
    void RebuildFrom(TSlotTable table, const TJoinSettings& settings, const char* status,
                     bool showProgress);
    void BuildFrom(TSlotTable& table, const TJoinSettings& settings);
    // BuildFrom while the caller keeps the progress bar.
    void JoinAndCommit(TSlotTable& table, const TJoinSettings& settings);
    void CommitSlots(TSlotTable& table);
    void CommitResult(TJoinResult& result, const TJoinSettings& settings, int32_t last);
    void CommitPreview(TPreviewResult& preview, const TJoinSettings& settings);
    void EmptyDocument(TSlotTable table);
    // Put picture into the slot under the click point (slot 0 of an empty document).
    void PlaceAtClick(TNamedPicture picture, const char* status);
    void RespaceTo(const TJoinSettings& next);
    // The joined picture with the pictures at from moved, in that order, to where settings
    // lays them out: into result, or false when they would change size and need a full build.
    bool Rearrange(std::span<const TRect> from, const TJoinSettings& settings,
                   TJoinResult& result);
    void SwitchPreviewMode(const TJoinSettings& next);
    void RedrawForView();

    TSize ViewSize() const;
    TSize DisplayedSize(int32_t width, int32_t height, TPreviewMode mode) const;
    // Where the view shows a joined picture of size and its slots 0..last, which lie at rects.
    TPreviewResult PreviewPlaces(TSize size, std::span<const TRect> rects,
                                 const TJoinSettings& settings, int32_t last) const;
    // The preview of joined (in the colours of profile), whose slots 0..last lie at rects, for
    // the view; reduced with progress reports given amount, else quietly. The preview is in
    // sRGB: a joined picture in other colours is shown through a converted copy.
    TPreviewResult MakePreview(TBigBitmap& joined, const TColorProfile& profile,
                               std::span<const TRect> rects, const TJoinSettings& settings,
                               int32_t last, std::optional<int32_t> amount);
    void ShowPreview(std::unique_ptr<TBigBitmap> standIn, TPreviewMode mode);
    // The preview coordinates of each slot's far end, for the picture shown at shown.
    TSlotEdges SlotEdgesFor(std::span<const TRect> rects, TSize joined, TSize shown,
                            const TJoinSettings& settings, int32_t last) const;
    TProgressProc ProgressProc();

    TDocumentHost& FHost;
    TJoinSettings FSettings;
    TJoinSettings FRequested;
    std::array<std::shared_ptr<TGraphic>, kSlotCount> FSlots;
    std::array<std::string, kSlotCount> FSlotNames;
    std::array<TColorProfile, kSlotCount> FSlotProfiles;
    std::array<TRect, kSlotCount> FSlotRects{};
    TSlotEdges FSlotEdges{};
    int32_t FCount = 0;
    int32_t FLastCount = 0;
    TBigBitmap FJoined;
    TColorProfile FJoinedProfile;
    // What the view shows instead of the joined picture: its reduction when the pretty preview
    // does not fit the view, or its sRGB copy.
    TBigBitmap FPreview;
    bool FBusy = false;
    bool FHeld = false;
    bool FResizePending = false;
};

}  // namespace quilmo
