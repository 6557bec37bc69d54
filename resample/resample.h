#pragma once
// The resampling engine as its callers see it: the methods, the progress callback and the one
// place that picks the resampler for a method and the SSE2 switch.

#include <cstdint>
#include <functional>
#include <optional>

namespace quilmo {

class TBigBitmap;
class TBitmap;

// In the order of the join-method combo boxes.
enum TResampleMethod : uint8_t { rmOriginal, rmBilinear, rmBicubic, rmLagrange, rmLanczos };

// Selector of the shared cubic resampler.
enum TCubicKernel : uint8_t { ckBicubic = 2, ckLagrange = 4 };

// Progress report of a resampler: always called as (0, 100, step); the result is ignored.
using TProgressProc = std::function<int32_t(int16_t position, int16_t max, int32_t step)>;

// True when the processor reports SSE2 (CPUID leaf 1, EDX bit 26).
bool HasSSE2();

// Enlarge bitmap in place to newWidth x newHeight with method (rmBilinear..rmLanczos), on the
// SSE2 path when useSSE2 is set. count is the number of pictures the caller scales in a row.
void BigEnlarge(TBigBitmap& bitmap, int32_t newWidth, int32_t newHeight, TResampleMethod method,
                bool useSSE2, int32_t count, const TProgressProc& progress);
// Reduce bitmap in place with the box average; amount is handed to every progress call.
void BigReduceBy(TBigBitmap& bitmap, int32_t newWidth, int32_t newHeight, bool useSSE2,
                 int32_t amount, const TProgressProc& progress);
// The same without progress reports.
void BigReduceQuietly(TBigBitmap& bitmap, int32_t newWidth, int32_t newHeight, bool useSSE2);
// reduced becomes source reduced with the box average, the same pixels as reducing a copy in
// place but without making the copy; source is not changed. Progress is reported as by
// BigReduceBy when an amount is given, else not at all.
void BigReduceInto(TBigBitmap& reduced, TBigBitmap& source, int32_t newWidth, int32_t newHeight,
                   bool useSSE2, std::optional<int32_t> amount, const TProgressProc& progress);

// The standard-bitmap twins (24-bit bitmaps).
void Enlarge(TBitmap& bitmap, int32_t newWidth, int32_t newHeight, TResampleMethod method,
             bool useSSE2);
void ReduceBy(TBitmap& bitmap, int32_t newWidth, int32_t newHeight, bool useSSE2);

}  // namespace quilmo
