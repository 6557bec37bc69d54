// Loading and saving a 24-bit BMP of 20000 x 5000 pixels (286 MiB of rows), against a plain
// memcpy of the same bytes: both should run near memory-copy speed.
//
//   build/bench/bench_big_bitmap --benchmark_min_time=2

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/stream.h"

using namespace quilmo;

namespace {

constexpr int32_t kWidth = 20000;
constexpr int32_t kHeight = 5000;

TBigBitmap& Picture()
{
    static TBigBitmap picture;
    if (picture.GetEmpty()) {
        picture.SetBitmaps(kWidth, kHeight, bbpf24bit);
        for (int32_t y = 0; y < kHeight; ++y) std::memset(picture.GetScanline(y), y & 0xFF, 3 * kWidth);
    }
    return picture;
}

const std::vector<uint8_t>& PictureBytes()
{
    static const std::vector<uint8_t> bytes = [] {
        TMemoryStream stream;
        Picture().SaveToStream(stream);
        return stream.TakeBytes();
    }();
    return bytes;
}

void SetBytes(benchmark::State& state) { state.SetBytesProcessed(state.iterations() * int64_t(PictureBytes().size())); }

void BM_MemcpyBaseline(benchmark::State& state)
{
    const auto& bytes = PictureBytes();
    std::vector<uint8_t> copy(bytes.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
    }
    SetBytes(state);
}

// Copying into freshly allocated memory pays for the first touch of every page, as a load does.
void BM_AllocateAndCopyBaseline(benchmark::State& state)
{
    const auto& bytes = PictureBytes();
    for (auto _ : state) {
        auto copy = std::make_unique_for_overwrite<uint8_t[]>(bytes.size());
        std::memcpy(copy.get(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.get());
    }
    SetBytes(state);
}

void BM_LoadFromMemory(benchmark::State& state)
{
    const auto& bytes = PictureBytes();
    for (auto _ : state) {
        TBigBitmap b;
        TReadOnlyMemoryStream stream(bytes.data(), bytes.size());
        b.LoadFromStream(stream);
        benchmark::DoNotOptimize(b.GetScanline(0));
    }
    SetBytes(state);
}

void BM_SaveToMemory(benchmark::State& state)
{
    TMemoryStream stream;
    Picture().SaveToStream(stream);  // grow the buffer once
    for (auto _ : state) {
        stream.SetPosition(0);
        Picture().SaveToStream(stream);
        benchmark::DoNotOptimize(stream.Bytes().data());
    }
    SetBytes(state);
}

void BM_LoadFromFile(benchmark::State& state)
{
    const auto path = std::filesystem::temp_directory_path() / "quilmo-bench-load.bmp";
    Picture().SaveToFile(path);
    for (auto _ : state) {
        TBigBitmap b;
        b.LoadFromFile(path);
        benchmark::DoNotOptimize(b.GetScanline(0));
    }
    std::filesystem::remove(path);
    SetBytes(state);
}

void BM_SaveToFile(benchmark::State& state)
{
    const auto path = std::filesystem::temp_directory_path() / "quilmo-bench-save.bmp";
    for (auto _ : state) Picture().SaveToFile(path);
    std::filesystem::remove(path);
    SetBytes(state);
}

}  // namespace

BENCHMARK(BM_MemcpyBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllocateAndCopyBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);
