#include "big_bitmap_canvas.h"

#include "big_bitmap.h"
#include "errors.h"

namespace quilmo {

namespace {

// Runs body and then cleanup, also when body throws.
template <typename Body, typename Cleanup>
void WithCleanup(Body&& body, Cleanup&& cleanup)
{
    try {
        body();
    } catch (...) {
        cleanup();
        throw;
    }
    cleanup();
}

}  // namespace

void TBigBitmapCanvas::PrepareBands()
{
    const int count = FBitmap.BandCount();
    if (count == 0) return;
    const int32_t bandHeight = FBitmap.Band(0).GetHeight();
    for (int i = 0; i < count; ++i) {
        TCanvas& band = FBitmap.Band(i).Canvas();
        band.BrushColor = BrushColor;
        band.SetWindowOrg({0, i * bandHeight});
    }
    if (FClipRgn) SetupClipRgn(false);
}

void TBigBitmapCanvas::ResetOrigins()
{
    for (int i = 0; i < FBitmap.BandCount(); ++i) FBitmap.Band(i).Canvas().SetWindowOrg({0, 0});
}

void TBigBitmapCanvas::SetupClipRgn(bool force)
{
    const int count = FBitmap.BandCount();
    if (!FClipRgn) {
        for (int i = 0; i < count; ++i) FBitmap.Band(i).Canvas().SetClipRect(std::nullopt);
        return;
    }
    if (count == 0) return;
    if (!force && FBitmap.Band(0).Canvas().ClipRect()) return;
    // Clip rectangles are in band pixels, which the window origin does not move.
    const int32_t bandHeight = FBitmap.Band(0).GetHeight();
    for (int i = 0; i < count; ++i)
        FBitmap.Band(i).Canvas().SetClipRect(MoveRect(*FClipRgn, 0, -int64_t{i} * bandHeight));
}

void TBigBitmapCanvas::FillRect(const TRect& rect)
{
    PrepareBands();
    for (int i = 0; i < FBitmap.BandCount(); ++i) FBitmap.Band(i).Canvas().FillRect(rect);
    ResetOrigins();
    FBitmap.SetModified(true);
}

void TBigBitmapCanvas::MoveTo(int32_t x, int32_t y)
{
    PrepareBands();
    for (int i = 0; i < FBitmap.BandCount(); ++i) FBitmap.Band(i).Canvas().MoveTo(x, y);
    ResetOrigins();
}

void TBigBitmapCanvas::StretchDraw(const TRect& rect, TGraphic& graphic)
{
    PrepareBands();
    WithCleanup(
        [&] {
            for (int i = 0; i < FBitmap.BandCount(); ++i)
                FBitmap.Band(i).Canvas().StretchDraw(rect, graphic);
        },
        [&] { ResetOrigins(); });
    FBitmap.SetModified(true);
}

void TBigBitmapCanvas::CopyRect(const TRect& dest, TGraphic& graphic, const TRect& source)
{
    TRect s = source;
    if (s.Left == s.Right) s.Right = s.Left + 1;
    if (s.Top == s.Bottom) s.Bottom = s.Top + 1;
    // The whole graphic goes where the linear map from s onto dest sends it, so that its
    // source part lands exactly on dest.
    const auto mapX = [&](int64_t x) {
        return static_cast<int32_t>(dest.Left + (x - s.Left) * (int64_t{dest.Right} - dest.Left) /
                                                    (int64_t{s.Right} - s.Left));
    };
    const auto mapY = [&](int64_t y) {
        return static_cast<int32_t>(dest.Top + (y - s.Top) * (int64_t{dest.Bottom} - dest.Top) /
                                                   (int64_t{s.Bottom} - s.Top));
    };
    const TRect target{mapX(0), mapY(0), mapX(graphic.GetWidth()), mapY(graphic.GetHeight())};

    // A mirrored rectangle covers the same pixels as its normal form.
    TRect d = dest;
    if (d.Right < d.Left) {
        ++d.Left;
        ++d.Right;
    }
    if (d.Bottom < d.Top) {
        ++d.Top;
        ++d.Bottom;
    }
    TRect clip{std::min(d.Left, d.Right), std::min(d.Top, d.Bottom), std::max(d.Left, d.Right),
               std::max(d.Top, d.Bottom)};
    if (FClipRgn) clip = IntersectRects(clip, *FClipRgn);

    auto* sourceBitmap = dynamic_cast<TBigBitmap*>(&graphic);
    const std::optional<TRect> previous = FClipRgn;
    FClipRgn = clip;
    SetupClipRgn(true);
    if (sourceBitmap) sourceBitmap->FCopying = true;
    FBitmap.FCopying = true;
    WithCleanup([&] { StretchDraw(target, graphic); },
                [&] {
                    if (sourceBitmap) sourceBitmap->FCopying = false;
                    FClipRgn = previous;
                    SetupClipRgn(true);
                });
}

void TBigBitmap::Draw(TCanvas& canvas, const TRect& rect)
{
    if (GetEmpty()) return;
    FCanvas->PrepareBands();
    FCanvas->ResetOrigins();
    if (FDrawMode != 0) throw EBigBitmapError("TBigBitmap.Draw: Unknown Mode");
    const int64_t w = int64_t{rect.Right} - rect.Left;
    const int64_t h = int64_t{rect.Bottom} - rect.Top;
    if (w == 0 || h == 0) return;
    // Slice edges come from the running row count, so neighbouring slices meet exactly.
    int64_t top = 0;
    for (auto& band : FBitmaps) {
        const int64_t bottom = top + band->GetHeight();
        const TRect slice{rect.Left, static_cast<int32_t>(rect.Top + top * h / FHeight), rect.Right,
                          static_cast<int32_t>(rect.Top + bottom * h / FHeight)};
        if (FCopying)
            canvas.CopyRect(slice, band->Canvas(), {0, 0, band->GetWidth(), band->GetHeight()});
        else
            canvas.StretchDraw(slice, *band);
        top = bottom;
    }
}

}  // namespace quilmo
