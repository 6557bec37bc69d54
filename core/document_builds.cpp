// The document's long operations: the full build, the reversal, the gap change and the
// preview that follows each of them, with their progress reports.

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "checked_math.h"
#include "composition.h"
#include "picture_helpers.h"
#include "slot_document.h"
#include "status_texts.h"

namespace quilmo {

namespace {

// The amounts the reducers get; they only shape the progress display.
constexpr int32_t kBuildReduceAmount = 10;
constexpr int32_t kReverseReduceAmount = 20;
constexpr int32_t kGapReduceAmount = 8;

// Hides the progress bar when an operation ends, also by an error.
class TProgressBarHider {
public:
    explicit TProgressBarHider(TDocumentHost& host) : FHost(host) {}
    ~TProgressBarHider() { FHost.HideProgressBar(); }
    TProgressBarHider(const TProgressBarHider&) = delete;
    TProgressBarHider& operator=(const TProgressBarHider&) = delete;

private:
    TDocumentHost& FHost;
};

int16_t ProgressPosition(size_t partsDone)
{
    return static_cast<int16_t>(partsDone * 4);
}

}  // namespace

int32_t TSlotDocument::ReportProgress(int16_t position, int16_t max, int32_t step)
{
    if (position > max) return 0;
    if (step != 0)
        FHost.StepProgressBar(step);
    else if (position == 0)
        FHost.ShowProgressBar();
    else if (position >= 1 && position <= 100)
        FHost.SetProgressPosition(position);
    else
        return 0;
    FHost.ProcessMessages();
    return 0;
}

TProgressProc TSlotDocument::ProgressProc()
{
    return [this](int16_t position, int16_t max, int32_t step) {
        return ReportProgress(position, max, step);
    };
}

void TSlotDocument::ShowSlotNames(int32_t last)
{
    std::string text;
    for (int32_t i = 0; i <= last; ++i)
        text += "  [" + std::to_string(i + 1) + "]" +
                std::filesystem::path(FSlotNames[i]).filename().string();
    FHost.SetStatusText(text);
}

void TSlotDocument::BuildComposite()
{
    RunCommand([&] {
        TSlotTable table = CurrentSlots();
        BuildFrom(table);
    });
}

void TSlotDocument::BuildFrom(TSlotTable& table)
{
    const TProgressBarHider hider(FHost);
    const int32_t n = table.Count;
    if (n == 0) return;
    // Progress reports let the host change settings meanwhile; this build keeps its own.
    const TJoinSettings settings = FSettings;
    std::vector<TGraphic*> pictures;
    for (int32_t i = 0; i < n; ++i) pictures.push_back(table.Pictures[i].get());
    std::array<TRect, kSlotCount> rects{};
    TBigBitmap joined;
    ComposeJoined(pictures, settings, ProgressProc(), joined, rects);
    ReportProgress(0, 100, 5);
    TPreviewResult preview = MakePreview(joined, kBuildReduceAmount);

    CommitSlots(table);
    FSlotRects = rects;
    FJoined.TakeOver(joined);
    // The picture now has the gap it was built with, whatever gap changes came before.
    FLastGap = settings.Gap;
    ShowPreviewResult(preview);
    ComputeSlotEdges(preview.Shown, ScaleOf(preview.Shown), n - 1);
    ShowSlotNames(n - 1);
    ReportProgress(100, 100, 0);
    if (FJoined.GetWidth() > FJoined.GetHeight())
        FHost.SetPrintOrientation(0);
    else if (FJoined.GetWidth() < FJoined.GetHeight())
        FHost.SetPrintOrientation(1);
}

void TSlotDocument::Rearrange(std::span<const TRect> from, std::span<const TRect> to, TSize size,
                              TBigBitmap& output)
{
    RearrangeJoined(
        FJoined, from, to, FSettings.Frame(), FSettings.JoinColor, size,
        [this](size_t k) { ReportProgress(ProgressPosition(k + 1), 100, 0); }, output);
}

void TSlotDocument::ReverseOrder()
{
    if (FCount < 2) return;
    RunCommand([&] {
        const int32_t n = FCount;
        FHost.SetStatusText(kStatusReversing);
        const TProgressBarHider hider(FHost);
        ReportProgress(0, 100, 0);
        const std::span<const TRect> placed(FSlotRects.data(), static_cast<size_t>(n));
        std::vector<TRect> from(placed.rbegin(), placed.rend());
        const std::vector<TRect> to =
            ReversedPlacements(placed, FSettings.Direction, FSettings.GapPixels());
        TBigBitmap output;
        Rearrange(from, to, {FJoined.GetWidth(), FJoined.GetHeight()}, output);
        ReportProgress(30, 100, 0);
        TPreviewResult preview = MakePreview(output, kReverseReduceAmount);

        TSlotTable table = CurrentSlots();
        std::reverse(table.Pictures.begin(), table.Pictures.begin() + n);
        std::reverse(table.Names.begin(), table.Names.begin() + n);
        CommitSlots(table);
        std::copy(to.begin(), to.end(), FSlotRects.begin());
        FJoined.TakeOver(output);
        ShowPreviewResult(preview);
        ComputeSlotEdges(preview.Shown, ScaleOf(preview.Shown), n - 1);
        ShowSlotNames(n - 1);
        ReportProgress(100, 100, 0);
    });
}

void TSlotDocument::ApplyGapChange()
{
    RunCommand([&] {
        const int32_t v = FSettings.Gap;
        const int32_t n = FCount;
        if (n <= 1) {
            FLastGap = v;
            return;
        }
        const int32_t delta = (v - FLastGap) * kGapStepPixels;
        if (delta == 0) return;
        FHost.SetStatusText(kStatusRespacing);
        const TProgressBarHider hider(FHost);
        ReportProgress(0, 100, 0);
        const int32_t growth = CheckedMul(n - 1, delta);
        TSize size{FJoined.GetWidth(), FJoined.GetHeight()};
        if (FSettings.Direction == jdHorizontal)
            size.Width = CheckedAdd(size.Width, growth);
        else
            size.Height = CheckedAdd(size.Height, growth);
        const std::span<const TRect> placed(FSlotRects.data(), static_cast<size_t>(n));
        const std::vector<TRect> to = RespacedPlacements(placed, FSettings.Direction, delta);
        TBigBitmap output;
        Rearrange(placed, to, size, output);
        ReportProgress(30, 100, 0);
        TPreviewResult preview = MakePreview(output, kGapReduceAmount);

        std::copy(to.begin(), to.end(), FSlotRects.begin());
        FJoined.TakeOver(output);
        ShowPreviewResult(preview);
        ReportProgress(100, 100, 0);
        ComputeSlotEdges(preview.Shown, ScaleOf(preview.Shown), n - 1);
        ShowSlotNames(n - 1);
        FLastGap = v;
    });
}

TSize TSlotDocument::ViewSize() const
{
    // A view without area (a minimised window) still gets one pixel to fit into.
    const TSize view = FHost.ViewSize();
    return {std::max(view.Width, 1), std::max(view.Height, 1)};
}

TSize TSlotDocument::DisplayedSize(int32_t width, int32_t height) const
{
    const TSize view = ViewSize();
    const bool fits = width <= view.Width && height <= view.Height;
    if (FSettings.PreviewMode == pmPretty && fits) return {width, height};
    const TSize fitted = FitSize(view.Width, view.Height, width, height);
    // Very long thin pictures round to nothing across; they still show as one pixel.
    return {std::max(fitted.Width, 1), std::max(fitted.Height, 1)};
}

int32_t TSlotDocument::ScaleOf(TSize shown) const
{
    return CheckedDiv(CheckedMul(shown.Width, 128), FJoined.GetWidth());
}

TSlotDocument::TPreviewResult TSlotDocument::MakePreview(TBigBitmap& joined,
                                                         std::optional<int32_t> amount)
{
    TPreviewResult result{DisplayedSize(joined.GetWidth(), joined.GetHeight()), nullptr};
    if (FSettings.PreviewMode == pmFast) return result;
    if (result.Shown.Width == joined.GetWidth() && result.Shown.Height == joined.GetHeight())
        return result;
    result.Reduced = std::make_unique<TBigBitmap>();
    result.Reduced->Assign(&joined);
    if (amount)
        BigReduceBy(*result.Reduced, result.Shown.Width, result.Shown.Height, FSettings.FUseSSE2,
                    *amount, ProgressProc());
    else
        BigReduceQuietly(*result.Reduced, result.Shown.Width, result.Shown.Height,
                         FSettings.FUseSSE2);
    return result;
}

void TSlotDocument::ShowPreviewResult(TPreviewResult& preview)
{
    if (preview.Reduced) {
        FPreview.TakeOver(*preview.Reduced);
        FHost.ShowPreview(&FPreview, false);
        return;
    }
    FPreview.Assign(nullptr);
    FHost.ShowPreview(&FJoined, FSettings.PreviewMode == pmFast);
}

void TSlotDocument::ComputeSlotEdges(TSize shown, int32_t scale, int32_t last)
{
    const TSize view = ViewSize();
    FSlotEdges.fill(0);
    const bool horizontal = FSettings.Direction == jdHorizontal;
    const int32_t offset =
        horizontal ? (view.Width - shown.Width) / 2 : (view.Height - shown.Height) / 2;
    for (int32_t i = 0; i <= last; ++i) {
        const int32_t end = horizontal ? FSlotRects[i].Right : FSlotRects[i].Bottom;
        FSlotEdges[i] = CheckedAdd(CheckedMul(end, scale) / 128, offset);
    }
}

void TSlotDocument::RefreshEdges()
{
    const TSize shown = DisplayedSize(FJoined.GetWidth(), FJoined.GetHeight());
    ComputeSlotEdges(shown, ScaleOf(shown), FCount - 1);
}

void TSlotDocument::SwitchPreviewMode()
{
    if (FSettings.PreviewMode == pmFast) {
        FPreview.Assign(nullptr);
        FHost.ShowPreview(FCount > 0 ? &FJoined : nullptr, true);
    } else if (FCount == 0) {
        FHost.ShowPreview(nullptr, false);
    } else {
        const TProgressBarHider hider(FHost);
        ReportProgress(0, 100, 0);
        TPreviewResult preview = MakePreview(FJoined, kBuildReduceAmount);
        ShowPreviewResult(preview);
        ReportProgress(100, 100, 0);
    }
    if (FCount > 0) RefreshEdges();
}

void TSlotDocument::RedrawForView()
{
    if (FJoined.GetEmpty()) return;
    // The fast view scales by itself; only the pretty one needs a new reduction.
    if (FSettings.PreviewMode == pmPretty) {
        TPreviewResult preview = MakePreview(FJoined, std::nullopt);
        ShowPreviewResult(preview);
    }
    RefreshEdges();
}

}  // namespace quilmo
