// The slot operations and setting changes of the document.

#include "slot_document.h"

#include <algorithm>
#include <new>

#include "picture_helpers.h"
#include "resample/work_threads.h"
#include "slot_hit_test.h"
#include "status_texts.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

// Size of the blank page the count arrows add when there is no picture to take it from.
constexpr TSize kFirstBlankSize{640, 480};

}  // namespace

TSlotDocument::TSlotDocument(TDocumentHost& host) : FHost(host) {}

TSlotDocument::~TSlotDocument() = default;

bool TSlotDocument::RunCommand(const std::function<void()>& body)
{
    if (FBusy) return false;
    SetBusy(true);
    // The work goes to other threads; meanwhile this one keeps handling the host's input.
    const TWhileWaiting answering = AnsweringWhileWaiting(FHost);
    const std::string status = FHost.StatusText();
    bool done = false;
    try {
        body();
        done = true;
    } catch (const std::bad_alloc&) {
        FHost.SetStatusText(status);
        FHost.ShowError(UI_TEXT("quilmo", "メモリーが足りません"));
    } catch (const std::exception& e) {
        FHost.SetStatusText(status);
        FHost.ShowError(e.what());
    }
    SetBusy(false);
    return done;
}

void TSlotDocument::Run(const std::function<void()>& body)
{
    RunCommand(body);
    RunPendingWork();
}

void TSlotDocument::SetBusy(bool busy)
{
    FBusy = busy;
    FHost.BusyChanged(busy);
}

void TSlotDocument::HoldPendingWork()
{
    FHeld = true;
}

void TSlotDocument::ReleasePendingWork()
{
    FHeld = false;
    RunPendingWork();
}

void TSlotDocument::RunPendingWork()
{
    if (FHeld) return;
    // Each round carries out what was requested up to its start; changes made meanwhile
    // are taken by the next round.
    while (!FBusy && !(FRequested == FSettings)) {
        const TJoinSettings next = FRequested;
        if (!RunCommand([&] { ApplySettings(next); })) {
            FRequested = FSettings;
            FHost.SettingsRestored(FSettings);
        }
    }
    if (FResizePending && !FBusy) {
        FResizePending = false;
        RunCommand([&] { RedrawForView(); });
    }
}

void TSlotDocument::ApplySettings(const TJoinSettings& next)
{
    const TJoinSettings& built = FSettings;
    // The alignment moves pictures kept at their own size only.
    const bool joinChanged =
        FCount >= 2 && (next.Direction != built.Direction || next.Method != built.Method ||
                        next.Wrap != built.Wrap ||
                        (next.Align != built.Align && next.Method == rmOriginal));
    const bool frameChanged =
        FCount >= 1 && (next.FrameOn != built.FrameOn || next.Frame() != built.Frame());
    const bool frameResized = frameChanged && next.FrameRect != built.FrameRect;
    // The colour shows where pictures leave room (beside smaller ones, in gaps) and in the frame.
    const bool colourShows = next.Method == rmOriginal || next.Gap > 0 || next.FrameOn;
    const bool colourChanged = FCount >= 1 && next.JoinColor != built.JoinColor && colourShows;
    const bool gapChanged = FCount >= 2 && next.Gap != built.Gap;
    const bool previewChanged = next.PreviewMode != built.PreviewMode;
    // The choice matters only to slots with profiles of their own.
    const bool spaceChanged =
        next.ColorSpace != built.ColorSpace &&
        std::any_of(FSlotProfiles.begin(), FSlotProfiles.begin() + FCount,
                    [](const TColorProfile& profile) { return !profile.IsSRGB(); });

    if (joinChanged || frameChanged || colourChanged || spaceChanged) {
        // The frame dialog rebuilds without showing the progress bar first; a new colour
        // keeps the status line as it is.
        if (frameResized)
            RebuildFrom(CurrentSlots(), next, kStatusRelayout, false);
        else
            RebuildFrom(CurrentSlots(), next,
                        joinChanged || frameChanged ? kStatusRejoining : nullptr, true);
    } else if (gapChanged) {
        RespaceTo(next);
    } else if (previewChanged) {
        SwitchPreviewMode(next);
    } else {
        FSettings = next;
    }
}

void TSlotDocument::TSlotTable::Put(int32_t i, TNamedPicture picture)
{
    Pictures[i] = std::move(picture.Picture);
    Names[i] = std::move(picture.Name);
    Profiles[i] = std::move(picture.Profile);
}

void TSlotDocument::TSlotTable::Move(int32_t from, int32_t to)
{
    Pictures[to] = std::move(Pictures[from]);
    Names[to] = std::move(Names[from]);
    Profiles[to] = std::move(Profiles[from]);
    Clear(from);
}

void TSlotDocument::TSlotTable::Swap(int32_t a, int32_t b)
{
    std::swap(Pictures[a], Pictures[b]);
    std::swap(Names[a], Names[b]);
    std::swap(Profiles[a], Profiles[b]);
}

void TSlotDocument::TSlotTable::Clear(int32_t i)
{
    Pictures[i].reset();
    Names[i].clear();
    Profiles[i] = {};
}

TSlotDocument::TSlotTable TSlotDocument::CurrentSlots() const
{
    return {FSlots, FSlotNames, FSlotProfiles, FCount};
}

void TSlotDocument::CommitSlots(TSlotTable& table)
{
    FSlots = std::move(table.Pictures);
    FSlotNames = std::move(table.Names);
    FSlotProfiles = std::move(table.Profiles);
    const bool countChanged = table.Count != FCount;
    FLastCount = table.Count;
    FCount = table.Count;
    if (countChanged) FHost.CountChanged(FCount);
}

void TSlotDocument::RebuildFrom(TSlotTable table, const TJoinSettings& settings,
                                const char* status, bool showProgress)
{
    if (status) FHost.SetStatusText(status);
    if (showProgress) ReportProgress(0, 100, 0);
    BuildFrom(table, settings);
}

void TSlotDocument::EmptyDocument(TSlotTable table)
{
    table.Count = 0;
    CommitSlots(table);
    FJoined.Assign(nullptr);
    FJoinedProfile = {};
    FPreview.Assign(nullptr);
    FHost.ShowPreview(nullptr, FSettings.PreviewMode == pmFast);
    FHost.SetStatusText("");
    DisableImageCommands();
}

void TSlotDocument::DisableImageCommands()
{
    FHost.DisableImageCommands();
    FSlotRects.fill(EmptyRect);
    FSlotEdges = {};
}

int32_t TSlotDocument::SlotAtPoint() const
{
    if (FSettings.Wrap > 0)
        return SlotInAreas(std::span(FSlotEdges.Areas.data(), static_cast<size_t>(FCount)),
                           FSettings.Wrap, FSettings.Direction, FClickPoint);
    const int32_t position = FSettings.Direction == jdHorizontal ? FClickPoint.X : FClickPoint.Y;
    for (int32_t i = 0; i < FCount; ++i)
        if (FSlotEdges.Ends[i] >= position) return i;
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
    Run([&] {
        TSlotTable table = CurrentSlots();
        table.Count = v;
        if (v > p) {
            // Each new slot gets a white page the size of the picture before it.
            for (int32_t i = p; i < v; ++i) {
                const TGraphic* previous = i >= 1 ? table.Pictures[i - 1].get() : nullptr;
                const TSize size =
                    previous ? TSize{previous->GetWidth(), previous->GetHeight()} : kFirstBlankSize;
                auto blank = std::make_unique<TBigBitmap>();
                SetupBigBitmapWhite(*blank, size.Width, size.Height);
                table.Put(i, {std::move(blank), UiText(kBlankPageName), {}});
            }
            RebuildFrom(std::move(table), FSettings, p > 0 ? kStatusJoining : kStatusCreating,
                        true);
            EnableImageCommands();
            return;
        }
        for (int32_t i = v; i < p; ++i) table.Clear(i);
        if (v == 0)
            EmptyDocument(std::move(table));
        else
            RebuildFrom(std::move(table), FSettings, kStatusJoining, true);
    });
}

void TSlotDocument::LoadPictures(
    const std::function<std::vector<TNamedPicture>(int32_t start, int32_t room)>& read)
{
    Run([&] {
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
            table.Put(i, std::move(picture));
            ++i;
        }
        if (i == start) {
            FHost.SetStatusText(kept);
            FHost.HideProgressBar();
        } else {
            table.Count = i;
            BuildFrom(table, FSettings);
        }
        EnableImageCommands();
    });
}

void TSlotDocument::PlaceAtClick(TNamedPicture picture, const char* status)
{
    if (!picture.Picture) return;
    Run([&] {
        TSlotTable table = CurrentSlots();
        const int32_t k = SlotAtPoint();
        table.Put(k, std::move(picture));
        table.Count = std::max(table.Count, 1);
        RebuildFrom(std::move(table), FSettings, status, true);
        EnableImageCommands();
    });
}

void TSlotDocument::ReplaceAtClick(TNamedPicture picture)
{
    PlaceAtClick(std::move(picture), kStatusLoading);
}

void TSlotDocument::PasteFromClipboard(std::unique_ptr<TGraphic> picture)
{
    PlaceAtClick({std::move(picture), UiText(kClipboardName), {}}, kStatusLoading);
}

void TSlotDocument::PasteFromCopyBuffer(std::unique_ptr<TGraphic> picture, const TColorProfile& profile)
{
    PlaceAtClick({std::move(picture), UiText(kCopyBufferName), profile},
                 FCount == 0 ? kStatusCreating : kStatusRejoining);
}

void TSlotDocument::InsertAfterClick(TNamedPicture picture)
{
    if (!picture.Picture || !CanInsert()) return;
    Run([&] {
        TSlotTable table = CurrentSlots();
        const int32_t t = table.Count == 0 ? 0 : SlotAtPoint() + 1;
        for (int32_t i = table.Count; i > t; --i) table.Move(i - 1, i);
        table.Put(t, std::move(picture));
        ++table.Count;
        RebuildFrom(std::move(table), FSettings, kStatusLoading, true);
        EnableImageCommands();
    });
}

void TSlotDocument::DeleteAtClick()
{
    if (FCount == 0) return;
    Run([&] {
        TSlotTable table = CurrentSlots();
        const int32_t n = table.Count;
        for (int32_t i = SlotAtPoint(); i + 1 < n; ++i) table.Move(i + 1, i);
        table.Clear(n - 1);
        table.Count = n - 1;
        if (table.Count >= 1)
            RebuildFrom(std::move(table), FSettings, kStatusRejoining, true);
        else
            EmptyDocument(std::move(table));
    });
}

void TSlotDocument::ClearAll()
{
    Run([&] { EmptyDocument({}); });
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
    const auto filled = [this](int32_t i) { return i >= 0 && i < FCount && FSlots[i]; };
    if (a == b || !filled(a) || !filled(b)) return;
    Run([&] {
        TSlotTable table = CurrentSlots();
        table.Swap(a, b);
        RebuildFrom(std::move(table), FSettings, kStatusLoading, true);
        EnableImageCommands();
    });
}

void TSlotDocument::SetDirection(TJoinDirection direction)
{
    FRequested.Direction = direction;
    RunPendingWork();
}

void TSlotDocument::SetMethod(TResampleMethod method)
{
    FRequested.Method = method;
    RunPendingWork();
}

void TSlotDocument::SetFrameOn(bool frameOn)
{
    FRequested.FrameOn = frameOn;
    RunPendingWork();
}

void TSlotDocument::SetFrameRect(const TRect& widths)
{
    const TRect bounded = BoundFrameRect(widths);
    if (bounded == FRequested.FrameRect) return;
    FRequested.FrameRect = bounded;
    if (!FRequested.FrameOn) {
        FRequested.FrameOn = true;
        FHost.FrameOnChanged(true);
    }
    RunPendingWork();
}

void TSlotDocument::SetGap(int32_t steps)
{
    FRequested.Gap = BoundGap(steps);
    RunPendingWork();
}

void TSlotDocument::SetWrap(int32_t perLine)
{
    FRequested.Wrap = std::max(perLine, 0);
    RunPendingWork();
}

void TSlotDocument::SetAlign(TJoinAlign align)
{
    FRequested.Align = align;
    RunPendingWork();
}

void TSlotDocument::SetJoinColor(TColor color)
{
    FRequested.JoinColor = color;
    RunPendingWork();
}

void TSlotDocument::SetPreviewMode(TPreviewMode mode)
{
    FRequested.PreviewMode = mode;
    RunPendingWork();
}

void TSlotDocument::SetUseSSE2(bool useSSE2)
{
    FRequested.FUseSSE2 = useSSE2;
    RunPendingWork();
}

void TSlotDocument::SetColorSpace(TColorSpaceChoice choice)
{
    FRequested.ColorSpace = choice;
    RunPendingWork();
}

void TSlotDocument::SetSettings(const TJoinSettings& settings)
{
    FRequested = settings;
    FRequested.Gap = BoundGap(settings.Gap);
    FRequested.FrameRect = BoundFrameRect(settings.FrameRect);
    FRequested.Wrap = std::max(settings.Wrap, 0);
    RunPendingWork();
}

bool TSlotDocument::UseJoined(const std::function<void(TBigBitmap&)>& use)
{
    const bool done = RunCommand([&] { use(FJoined); });
    RunPendingWork();
    return done;
}

void TSlotDocument::ViewResized()
{
    FResizePending = true;
    RunPendingWork();
}

}  // namespace quilmo
