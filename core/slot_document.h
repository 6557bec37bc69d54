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
#include "document_host.h"
#include "join_settings.h"

namespace quilmo {

inline constexpr int32_t kSlotCount = 6;

// A decoded picture and the name its slot gets.
struct TNamedPicture {
    std::unique_ptr<TGraphic> Picture;
    std::string Name;
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
    const TRect& SlotRect(int32_t i) const { return FSlotRects[i]; }
    int32_t SlotEdge(int32_t i) const { return FSlotEdges[i]; }
    // The joined picture at full size, frame included; empty exactly when the count is 0.
    TBigBitmap& Joined() { return FJoined; }
    const TJoinSettings& Settings() const { return FSettings; }
    // The gap spin value the joined picture was built with.
    int32_t LastGap() const { return FLastGap; }

    // Where the pointer last right-clicked, pressed or dropped on the preview, and the slot a
    // drag inside the preview started from.
    TPoint FClickPoint;
    int32_t FDragSlot = 0;
    // The slot under FClickPoint: the first whose edge reaches the point, else slot 0.
    int32_t SlotAtPoint() const;

    // Slot operations.
    void SetCount(int32_t value);
    // Fill slots from the count onward (from slot 0 when all six are full) with what read
    // delivers; read gets the first slot index and how many slots are free from there.
    void LoadPictures(
        const std::function<std::vector<TNamedPicture>(int32_t start, int32_t room)>& read);
    void ReplaceAtClick(std::unique_ptr<TGraphic> picture, const std::string& name);
    bool CanInsert() const { return FCount < kSlotCount; }
    void InsertAfterClick(std::unique_ptr<TGraphic> picture, const std::string& name);
    void DeleteAtClick();
    void ClearAll();
    // A press at point starts a drag of that slot when at least two slots are filled.
    bool BeginDrag(TPoint point);
    void DropAt(TPoint point);
    void ExchangeSlots(int32_t a, int32_t b);
    void ReverseOrder();
    void PasteFromClipboard(std::unique_ptr<TGraphic> picture);
    void PasteFromCopyBuffer(std::unique_ptr<TGraphic> picture);

    // Setting changes, each followed by what it needs rebuilt.
    void SetDirection(TJoinDirection direction);
    void SetMethod(TResampleMethod method);
    void SetFrameOn(bool frameOn);
    void SetFrameRect(const TRect& widths);
    void SetGap(int32_t steps);
    void SetJoinColor(TColor color);
    void SetPreviewMode(TPreviewMode mode);
    void SetUseSSE2(bool useSSE2) { FSettings.FUseSSE2 = useSSE2; }

    // Rebuild the joined picture, its preview, placements and edges from the slots.
    void BuildComposite();
    // Re-space the joined picture after the gap changed.
    void ApplyGapChange();
    // The view changed size: refit the preview without progress reports.
    void ViewResized();

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
        int32_t Count = 0;
    };
    // What the preview shows: the joined picture itself, or a reduced copy of it.
    struct TPreviewResult {
        TSize Shown;
        std::unique_ptr<TBigBitmap> Reduced;
    };

    // Runs body as one command. The host handles input during progress reports, so a command
    // may arrive while another runs: it is ignored then (setting changes are still stored and
    // rebuilt afterwards). On failure the status text is restored and the error shown.
    void RunCommand(const std::function<void()>& body);
    void RebuildForSetting(const char* status, bool showProgress);
    void RunPendingWork();

    TSlotTable CurrentSlots() const;
    // Build from table; only when everything succeeded do the table and the results become
    // the document's.
    void RebuildFrom(TSlotTable table, const char* status, bool showProgress);
    void BuildFrom(TSlotTable& table);
    void CommitSlots(TSlotTable& table);
    void EmptyDocument(TSlotTable table);
    // Put picture into the slot under the click point (slot 0 of an empty document).
    void PlaceAtClick(std::unique_ptr<TGraphic> picture, const std::string& name,
                      const char* status);
    // Rearrange the joined picture: parts at from go to to, in a picture of size.
    void Rearrange(std::span<const TRect> from, std::span<const TRect> to, TSize size,
                   TBigBitmap& output);
    void SwitchPreviewMode();
    void RedrawForView();

    TSize ViewSize() const;
    TSize DisplayedSize(int32_t width, int32_t height) const;
    // The preview of joined for the view; reduced with progress reports given amount, else
    // quietly.
    TPreviewResult MakePreview(TBigBitmap& joined, std::optional<int32_t> amount);
    void ShowPreviewResult(TPreviewResult& preview);
    void ComputeSlotEdges(TSize shown, int32_t scale, int32_t last);
    void RefreshEdges();
    int32_t ScaleOf(TSize shown) const;
    TProgressProc ProgressProc();

    TDocumentHost& FHost;
    TJoinSettings FSettings;
    std::array<std::shared_ptr<TGraphic>, kSlotCount> FSlots;
    std::array<std::string, kSlotCount> FSlotNames;
    std::array<TRect, kSlotCount> FSlotRects{};
    std::array<int32_t, kSlotCount> FSlotEdges{};
    int32_t FCount = 0;
    int32_t FLastCount = 0;
    int32_t FLastGap = 0;
    TBigBitmap FJoined;
    // The reduced picture the pretty preview shows when the joined one does not fit the view.
    TBigBitmap FPreview;
    bool FBusy = false;
    bool FRebuildPending = false;
    bool FResizePending = false;
};

}  // namespace quilmo
