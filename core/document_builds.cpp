// The document's long operations: the full build, the reversal, the gap change and the
// preview that follows each of them, with their progress reports.

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "composition.h"
#include "join_layout.h"
#include "picture_colors.h"
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

std::vector<TSize> SizesOf(std::span<const TRect> rects)
{
    std::vector<TSize> sizes;
    for (const TRect& r : rects) sizes.push_back({r.Width(), r.Height()});
    return sizes;
}

}  // namespace

int32_t ReportProgressTo(TDocumentHost& host, int16_t position, int16_t max, int32_t step)
{
    if (position > max) return 0;
    if (step != 0)
        host.StepProgressBar(step);
    else if (position == 0)
        host.ShowProgressBar();
    else if (position >= 1 && position <= 100)
        host.SetProgressPosition(position);
    else
        return 0;
    host.ProcessMessages();
    return 0;
}

TWhileWaiting AnsweringWhileWaiting(TDocumentHost& host)
{
    if (host.WaitsForInput())
        return TWhileWaiting([&host] { host.WaitForInput(); }, [&host] { host.WakeWaiting(); });
    return TWhileWaiting([&host] { host.ProcessMessages(); });
}

int32_t TSlotDocument::ReportProgress(int16_t position, int16_t max, int32_t step)
{
    return ReportProgressTo(FHost, position, max, step);
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
    Run([&] {
        TSlotTable table = CurrentSlots();
        BuildFrom(table, FSettings);
    });
}

void TSlotDocument::BuildFrom(TSlotTable& table, const TJoinSettings& settings)
{
    const TProgressBarHider hider(FHost);
    JoinAndCommit(table, settings);
}

void TSlotDocument::JoinAndCommit(TSlotTable& table, const TJoinSettings& settings)
{
    const int32_t n = table.Count;
    if (n == 0) return;
    std::vector<TGraphic*> pictures;
    for (int32_t i = 0; i < n; ++i) pictures.push_back(table.Pictures[i].get());
    TPictureList source(pictures, std::span(table.Profiles.data(), static_cast<size_t>(n)));
    TJoinResult result;
    result.Profile = JoinColorSpace(source, settings.ColorSpace);
    const std::vector<TRect> rects =
        ComposeJoined(source, settings, result.Profile, ProgressProc(), result.Joined);
    std::copy(rects.begin(), rects.end(), result.Rects.begin());
    ReportProgress(0, 100, 5);
    result.Preview = MakePreview(result.Joined, result.Profile, result.Rects, settings, n - 1,
                                 kBuildReduceAmount);
    ReportProgress(100, 100, 0);

    CommitSlots(table);
    CommitResult(result, settings, n - 1);
    if (FJoined.GetWidth() > FJoined.GetHeight())
        FHost.SetPrintOrientation(0);
    else if (FJoined.GetWidth() < FJoined.GetHeight())
        FHost.SetPrintOrientation(1);
}

void TSlotDocument::CommitResult(TJoinResult& result, const TJoinSettings& settings, int32_t last)
{
    FSlotRects = result.Rects;
    FJoined.TakeOver(result.Joined);
    FJoinedProfile = result.Profile;
    CommitPreview(result.Preview, settings);
    ShowSlotNames(last);
}

void TSlotDocument::CommitPreview(TPreviewResult& preview, const TJoinSettings& settings)
{
    FSettings = settings;
    FSlotEdges = preview.Edges;
    ShowPreview(std::move(preview.StandIn), settings.PreviewMode);
}

bool TSlotDocument::Rearrange(std::span<const TRect> from, const TJoinSettings& settings,
                              TJoinResult& result)
{
    const std::optional<TJoinLayout> layout = LayOutDrawn(SizesOf(from), settings);
    if (!layout) return false;
    RearrangeJoined(
        FJoined, FJoinedProfile, from, layout->Placements, settings.Frame(), settings.JoinColor,
        layout->Size, [this](size_t k) { ReportProgress(ProgressPosition(k + 1), 100, 0); },
        result.Joined);
    result.Profile = FJoinedProfile;
    std::copy(layout->Placements.begin(), layout->Placements.end(), result.Rects.begin());
    return true;
}

void TSlotDocument::ReverseOrder()
{
    if (FCount < 2) return;
    Run([&] {
        // The joined picture is rearranged as it was built, whatever the controls show now.
        const TJoinSettings settings = FSettings;
        const int32_t n = FCount;
        TSlotTable table = CurrentSlots();
        std::reverse(table.Pictures.begin(), table.Pictures.begin() + n);
        std::reverse(table.Names.begin(), table.Names.begin() + n);
        std::reverse(table.Profiles.begin(), table.Profiles.begin() + n);
        FHost.SetStatusText(kStatusReversing);
        const TProgressBarHider hider(FHost);
        ReportProgress(0, 100, 0);
        const std::span<const TRect> placed(FSlotRects.data(), static_cast<size_t>(n));
        const std::vector<TRect> from(placed.rbegin(), placed.rend());
        TJoinResult result;
        if (!Rearrange(from, settings, result)) {
            JoinAndCommit(table, settings);
            return;
        }
        ReportProgress(30, 100, 0);
        result.Preview = MakePreview(result.Joined, result.Profile, result.Rects, settings, n - 1,
                                     kReverseReduceAmount);
        ReportProgress(100, 100, 0);
        CommitSlots(table);
        CommitResult(result, settings, n - 1);
    });
}

void TSlotDocument::RespaceTo(const TJoinSettings& next)
{
    // Only the gap differs from what the joined picture was built with.
    TJoinSettings respaced = FSettings;
    respaced.Gap = next.Gap;
    const int32_t n = FCount;
    FHost.SetStatusText(kStatusRespacing);
    const TProgressBarHider hider(FHost);
    ReportProgress(0, 100, 0);
    const std::span<const TRect> placed(FSlotRects.data(), static_cast<size_t>(n));
    TJoinResult result;
    if (!Rearrange(placed, respaced, result)) {
        TSlotTable table = CurrentSlots();
        JoinAndCommit(table, next);
        return;
    }
    ReportProgress(30, 100, 0);
    result.Preview =
        MakePreview(result.Joined, result.Profile, result.Rects, next, n - 1, kGapReduceAmount);
    ReportProgress(100, 100, 0);
    CommitResult(result, next, n - 1);
}

TSize TSlotDocument::ViewSize() const
{
    // A view without area (a minimised window) still gets one pixel to fit into.
    const TSize view = FHost.ViewSize();
    return {std::max(view.Width, 1), std::max(view.Height, 1)};
}

TSize TSlotDocument::DisplayedSize(int32_t width, int32_t height, TPreviewMode mode) const
{
    const TSize view = ViewSize();
    const bool fits = width <= view.Width && height <= view.Height;
    if (mode == pmPretty && fits) return {width, height};
    const TSize fitted = FitSize(view.Width, view.Height, width, height);
    // Very long thin pictures round to nothing across; they still show as one pixel.
    return {std::max(fitted.Width, 1), std::max(fitted.Height, 1)};
}

TSlotDocument::TSlotEdges TSlotDocument::SlotEdgesFor(std::span<const TRect> rects, TSize joined,
                                                      TSize shown, const TJoinSettings& settings,
                                                      int32_t last) const
{
    // Scaled by the shown and the joined size along the join itself, not by a scale in 1/128
    // steps, which puts the edges of a picture many times wider (or higher) than the view far
    // from where its pictures are shown. In 64 bits: a long thin picture can have ends far
    // beyond what 32-bit products hold.
    const TSize view = ViewSize();
    const int64_t offsetX = (view.Width - shown.Width) / 2;
    const int64_t offsetY = (view.Height - shown.Height) / 2;
    const auto inView = [](int64_t position) {
        return static_cast<int32_t>(std::clamp<int64_t>(position, INT32_MIN, INT32_MAX));
    };
    const auto toViewX = [&](int64_t x) { return inView(x * shown.Width / joined.Width + offsetX); };
    const auto toViewY = [&](int64_t y) { return inView(y * shown.Height / joined.Height + offsetY); };
    const bool horizontal = settings.Direction == jdHorizontal;
    // The ends leave the frame out, as they always have; the areas are where the pictures show.
    const TRect frame = settings.Frame();
    const int64_t half = settings.GapPixels() / 2;
    TSlotEdges edges;
    for (int32_t i = 0; i <= last; ++i) {
        const TRect& r = rects[i];
        edges.Ends[i] = horizontal ? toViewX(r.Right) : toViewY(r.Bottom);
        edges.Areas[i] = {toViewX(int64_t{frame.Left} + r.Left - half),
                          toViewY(int64_t{frame.Top} + r.Top - half),
                          toViewX(int64_t{frame.Left} + r.Right + half),
                          toViewY(int64_t{frame.Top} + r.Bottom + half)};
    }
    return edges;
}

TSlotDocument::TPreviewResult TSlotDocument::PreviewPlaces(TSize size, std::span<const TRect> rects,
                                                           const TJoinSettings& settings,
                                                           int32_t last) const
{
    TPreviewResult result;
    result.Shown = DisplayedSize(size.Width, size.Height, settings.PreviewMode);
    result.Edges = SlotEdgesFor(rects, size, result.Shown, settings, last);
    return result;
}

TSlotDocument::TPreviewResult TSlotDocument::MakePreview(TBigBitmap& joined,
                                                         const TColorProfile& profile,
                                                         std::span<const TRect> rects,
                                                         const TJoinSettings& settings,
                                                         int32_t last,
                                                         std::optional<int32_t> amount)
{
    const TSize size{joined.GetWidth(), joined.GetHeight()};
    TPreviewResult result = PreviewPlaces(size, rects, settings, last);
    const bool reduces = settings.PreviewMode == pmPretty && !(result.Shown == size);
    if (!reduces && profile.IsSRGB()) return result;
    result.StandIn = std::make_unique<TBigBitmap>();
    if (reduces) {
        BigReduceInto(*result.StandIn, joined, result.Shown.Width, result.Shown.Height,
                      settings.FUseSSE2, amount, ProgressProc());
        ConvertToSRGB(*result.StandIn, profile);
    } else {
        CopyInSRGB(*result.StandIn, joined, profile);
    }
    return result;
}

void TSlotDocument::ShowPreview(std::unique_ptr<TBigBitmap> standIn, TPreviewMode mode)
{
    if (standIn) {
        FPreview.TakeOver(*standIn);
        FHost.ShowPreview(&FPreview, mode == pmFast);
        return;
    }
    FPreview.Assign(nullptr);
    FHost.ShowPreview(&FJoined, mode == pmFast);
}

void TSlotDocument::SwitchPreviewMode(const TJoinSettings& next)
{
    if (FCount == 0) {
        FSettings = next;
        FHost.ShowPreview(nullptr, next.PreviewMode == pmFast);
        return;
    }
    const std::span<const TRect> rects(FSlotRects);
    if (next.PreviewMode == pmFast) {
        TPreviewResult preview =
            MakePreview(FJoined, FJoinedProfile, rects, next, FCount - 1, std::nullopt);
        CommitPreview(preview, next);
        return;
    }
    const TProgressBarHider hider(FHost);
    ReportProgress(0, 100, 0);
    TPreviewResult preview =
        MakePreview(FJoined, FJoinedProfile, rects, next, FCount - 1, kBuildReduceAmount);
    ReportProgress(100, 100, 0);
    CommitPreview(preview, next);
}

void TSlotDocument::RedrawForView()
{
    if (FJoined.GetEmpty()) return;
    // The fast view scales by itself; only the pretty one needs a new reduction.
    if (FSettings.PreviewMode == pmFast) {
        FSlotEdges = PreviewPlaces({FJoined.GetWidth(), FJoined.GetHeight()}, FSlotRects, FSettings,
                                   FCount - 1)
                         .Edges;
        return;
    }
    TPreviewResult preview =
        MakePreview(FJoined, FJoinedProfile, FSlotRects, FSettings, FCount - 1, std::nullopt);
    FSlotEdges = preview.Edges;
    ShowPreview(std::move(preview.StandIn), pmPretty);
}

}  // namespace quilmo
