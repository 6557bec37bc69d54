// The slot operations and setting changes of the document.

#include "slot_document.h"

#include <algorithm>
#include <new>

#include "picture_helpers.h"
#include "status_texts.h"

namespace quilmo {

namespace {

// Size of the blank page the count arrows add when there is no picture to take it from.
constexpr TSize kFirstBlankSize{640, 480};

}  // namespace

TSlotDocument::TSlotDocument(TDocumentHost& host) : FHost(host) {}

TSlotDocument::~TSlotDocument() = default;

void TSlotDocument::RunCommand(const std::function<void()>& body)
{
    if (FBusy) return;
    FBusy = true;
    const std::string status = FHost.StatusText();
    try {
        body();
    } catch (const std::bad_alloc&) {
        FHost.SetStatusText(status);
        FHost.ShowError("Out of memory");
    } catch (const std::exception& e) {
        FHost.SetStatusText(status);
        FHost.ShowError(e.what());
    }
    FBusy = false;
    RunPendingWork();
}

void TSlotDocument::RunPendingWork()
{
    if (FRebuildPending) {
        FRebuildPending = false;
        FResizePending = false;
        if (FCount >= 1) RebuildForSetting(kStatusRejoining, true);
    }
    if (FResizePending) {
        FResizePending = false;
        ViewResized();
    }
}

TSlotDocument::TSlotTable TSlotDocument::CurrentSlots() const
{
    return {FSlots, FSlotNames, FCount};
}

void TSlotDocument::CommitSlots(TSlotTable& table)
{
    FSlots = std::move(table.Pictures);
    FSlotNames = std::move(table.Names);
    const bool countChanged = table.Count != FCount;
    FLastCount = table.Count;
    FCount = table.Count;
    if (countChanged) FHost.CountChanged(FCount);
}

void TSlotDocument::RebuildFrom(TSlotTable table, const char* status, bool showProgress)
{
    if (status) FHost.SetStatusText(status);
    if (showProgress) ReportProgress(0, 100, 0);
    BuildFrom(table);
}

void TSlotDocument::EmptyDocument(TSlotTable table)
{
    table.Count = 0;
    CommitSlots(table);
    FJoined.Assign(nullptr);
    FPreview.Assign(nullptr);
    FHost.ShowPreview(nullptr, FSettings.PreviewMode == pmFast);
    FHost.SetStatusText("");
    DisableImageCommands();
}

void TSlotDocument::DisableImageCommands()
{
    FHost.DisableImageCommands();
    FSlotRects.fill(EmptyRect);
    FSlotEdges.fill(0);
}

int32_t TSlotDocument::SlotAtPoint() const
{
    const int32_t position = FSettings.Direction == jdHorizontal ? FClickPoint.X : FClickPoint.Y;
    for (int32_t i = 0; i < FCount; ++i)
        if (FSlotEdges[i] >= position) return i;
    return 0;
}

void TSlotDocument::SetCount(int32_t value)
{
    const int32_t v = std::clamp(value, 0, kSlotCount);
    const int32_t p = FLastCount;
    if (v == p) return;
    if (FBusy) {
        // Ignored while another command runs: the count control goes back to the real count.
        FHost.CountChanged(FCount);
        return;
    }
    RunCommand([&] {
        TSlotTable table = CurrentSlots();
        table.Count = v;
        if (v > p) {
            // Each new slot gets a white page the size of the picture before it.
            for (int32_t i = p; i < v; ++i) {
                const TGraphic* previous = i >= 1 ? table.Pictures[i - 1].get() : nullptr;
                const TSize size =
                    previous ? TSize{previous->GetWidth(), previous->GetHeight()} : kFirstBlankSize;
                auto blank = std::make_shared<TBigBitmap>();
                SetupBigBitmapWhite(*blank, size.Width, size.Height);
                table.Pictures[i] = std::move(blank);
                table.Names[i] = kBlankPageName;
            }
            RebuildFrom(std::move(table), p > 0 ? kStatusJoining : kStatusCreating, true);
            EnableImageCommands();
            return;
        }
        for (int32_t i = v; i < p; ++i) {
            table.Pictures[i].reset();
            table.Names[i].clear();
        }
        if (v == 0)
            EmptyDocument(std::move(table));
        else
            RebuildFrom(std::move(table), kStatusJoining, true);
    });
}

void TSlotDocument::LoadPictures(
    const std::function<std::vector<TNamedPicture>(int32_t start, int32_t room)>& read)
{
    RunCommand([&] {
        const std::string kept = FHost.StatusText();
        FHost.SetStatusText(kStatusLoading);
        ReportProgress(0, 100, 0);
        // A full document takes a new batch of pictures from the first slot on.
        const int32_t start = FCount == kSlotCount ? 0 : FCount;
        std::vector<TNamedPicture> pictures;
        try {
            pictures = read(start, kSlotCount - start);
        } catch (...) {
            FHost.HideProgressBar();
            throw;
        }
        TSlotTable table = CurrentSlots();
        int32_t i = start;
        for (TNamedPicture& picture : pictures) {
            if (i >= kSlotCount) break;
            table.Pictures[i] = std::move(picture.Picture);
            table.Names[i] = picture.Name;
            ++i;
        }
        if (i == start) {
            FHost.SetStatusText(kept);
            FHost.HideProgressBar();
        } else {
            table.Count = i;
            BuildFrom(table);
        }
        EnableImageCommands();
    });
}

void TSlotDocument::PlaceAtClick(std::unique_ptr<TGraphic> picture, const std::string& name,
                                 const char* status)
{
    RunCommand([&] {
        TSlotTable table = CurrentSlots();
        const int32_t k = SlotAtPoint();
        table.Pictures[k] = std::move(picture);
        table.Names[k] = name;
        table.Count = std::max(table.Count, 1);
        RebuildFrom(std::move(table), status, true);
        EnableImageCommands();
    });
}

void TSlotDocument::ReplaceAtClick(std::unique_ptr<TGraphic> picture, const std::string& name)
{
    PlaceAtClick(std::move(picture), name, kStatusLoading);
}

void TSlotDocument::PasteFromClipboard(std::unique_ptr<TGraphic> picture)
{
    PlaceAtClick(std::move(picture), kClipboardName, kStatusLoading);
}

void TSlotDocument::PasteFromCopyBuffer(std::unique_ptr<TGraphic> picture)
{
    PlaceAtClick(std::move(picture), kCopyBufferName,
                 FCount == 0 ? kStatusCreating : kStatusRejoining);
}

void TSlotDocument::InsertAfterClick(std::unique_ptr<TGraphic> picture, const std::string& name)
{
    if (!CanInsert()) return;
    RunCommand([&] {
        TSlotTable table = CurrentSlots();
        const int32_t t = table.Count == 0 ? 0 : SlotAtPoint() + 1;
        for (int32_t i = table.Count; i > t; --i) {
            table.Pictures[i] = std::move(table.Pictures[i - 1]);
            table.Names[i] = std::move(table.Names[i - 1]);
        }
        table.Pictures[t] = std::move(picture);
        table.Names[t] = name;
        ++table.Count;
        RebuildFrom(std::move(table), kStatusLoading, true);
        EnableImageCommands();
    });
}

void TSlotDocument::DeleteAtClick()
{
    if (FCount == 0) return;
    RunCommand([&] {
        TSlotTable table = CurrentSlots();
        const int32_t n = table.Count;
        for (int32_t i = SlotAtPoint(); i + 1 < n; ++i) {
            table.Pictures[i] = std::move(table.Pictures[i + 1]);
            table.Names[i] = std::move(table.Names[i + 1]);
        }
        table.Pictures[n - 1].reset();
        table.Names[n - 1].clear();
        table.Count = n - 1;
        if (table.Count >= 1)
            RebuildFrom(std::move(table), kStatusRejoining, true);
        else
            EmptyDocument(std::move(table));
    });
}

void TSlotDocument::ClearAll()
{
    RunCommand([&] { EmptyDocument({}); });
}

bool TSlotDocument::BeginDrag(TPoint point)
{
    if (FCount < 2) return false;
    FClickPoint = point;
    FDragSlot = SlotAtPoint();
    return true;
}

void TSlotDocument::DropAt(TPoint point)
{
    FClickPoint = point;
    const int32_t target = SlotAtPoint();
    if (target != FDragSlot) ExchangeSlots(target, FDragSlot);
}

void TSlotDocument::ExchangeSlots(int32_t a, int32_t b)
{
    RunCommand([&] {
        TSlotTable table = CurrentSlots();
        std::swap(table.Pictures[a], table.Pictures[b]);
        std::swap(table.Names[a], table.Names[b]);
        RebuildFrom(std::move(table), kStatusLoading, true);
        EnableImageCommands();
    });
}

void TSlotDocument::RebuildForSetting(const char* status, bool showProgress)
{
    if (FBusy) {
        FRebuildPending = true;
        return;
    }
    RunCommand([&] { RebuildFrom(CurrentSlots(), status, showProgress); });
}

void TSlotDocument::SetDirection(TJoinDirection direction)
{
    FSettings.Direction = direction;
    if (FCount >= 2) RebuildForSetting(kStatusRejoining, true);
}

void TSlotDocument::SetMethod(TResampleMethod method)
{
    FSettings.Method = method;
    if (FCount >= 2) RebuildForSetting(kStatusRejoining, true);
}

void TSlotDocument::SetFrameOn(bool frameOn)
{
    FSettings.FrameOn = frameOn;
    if (FCount >= 1) RebuildForSetting(kStatusRejoining, true);
}

void TSlotDocument::SetFrameRect(const TRect& widths)
{
    const TRect bounded = BoundFrameRect(widths);
    if (bounded == FSettings.FrameRect) return;
    FSettings.FrameRect = bounded;
    if (!FSettings.FrameOn) {
        FSettings.FrameOn = true;
        FHost.FrameOnChanged(true);
    }
    // The frame dialog rebuilds without showing the progress bar first.
    if (FCount >= 1) RebuildForSetting(kStatusRelayout, false);
}

void TSlotDocument::SetGap(int32_t steps)
{
    FSettings.Gap = BoundGap(steps);
    if (FBusy) {
        FRebuildPending = FRebuildPending || FCount >= 2;
        return;
    }
    ApplyGapChange();
}

void TSlotDocument::SetJoinColor(TColor color)
{
    FSettings.JoinColor = color;
    // The colour shows where pictures leave room (beside smaller ones, in gaps) and in the frame.
    const bool colourVisible =
        FSettings.Method == rmOriginal || FSettings.Gap > 0 || FSettings.FrameOn;
    if (colourVisible && FCount >= 1) RebuildForSetting(nullptr, true);
}

void TSlotDocument::SetPreviewMode(TPreviewMode mode)
{
    FSettings.PreviewMode = mode;
    if (FBusy) {
        FRebuildPending = FRebuildPending || FCount >= 1;
        return;
    }
    RunCommand([&] { SwitchPreviewMode(); });
}

void TSlotDocument::ViewResized()
{
    if (FBusy) {
        FResizePending = true;
        return;
    }
    RunCommand([&] { RedrawForView(); });
}

}  // namespace quilmo
