#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <vector>

#include <png.h>

#include "bigbitmap/stream.h"
#include "input/png_image.h"
#include "output/png_deflate_bands.h"
#include "output/png_writer.h"
#include "support/picture_checks.h"
#include "support/work_threads_scope.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

using TBytes = std::vector<uint8_t>;

// Blue, green, red of pixel (x, y) of a picture with the make-up of a photograph: smooth
// shading with a little noise.
uint8_t PhotoSample(int32_t x, int32_t y, int channel)
{
    const uint32_t noise = (uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u ^ uint32_t(channel) * 83492791u) * 2654435761u >> 28;
    const double shade = 110 + 70 * std::sin(x / (31.0 + 7 * channel)) * std::cos(y / 47.0) + y % 200 / 5.0;
    return static_cast<uint8_t>(shade + noise);
}

void FillPhotoLike(TBigBitmap& picture, int32_t width, int32_t height)
{
    picture.SetBitmaps(width, height, bbpf24bit);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = picture.GetScanline(y);
        for (int32_t x = 0; x < width; ++x)
            for (int channel = 0; channel < 3; ++channel) row[3 * x + channel] = PhotoSample(x, y, channel);
    }
}

TBytes Png(TBigBitmap& picture, int threads)
{
    const TWorkThreadsScope scope(threads);
    TMemoryStream stream;
    WritePng(picture, stream);
    return stream.TakeBytes();
}

TBytes PixelsOf(const TBytes& png)
{
    TPNGImage image;
    TMemoryStream stream(png);
    image.LoadFromStream(stream);
    TBigBitmap picture;
    picture.Assign(&image);
    return PixelBytes(picture);
}

void AppendBytes(png_structp png, png_bytep data, size_t count)
{
    auto& bytes = *static_cast<TBytes*>(png_get_io_ptr(png));
    bytes.insert(bytes.end(), data, data + count);
}

// The PNG libpng makes by itself of a 24-bit picture: one stream, its default filters and level.
TBytes LibpngPng(TBigBitmap& picture)
{
    TBytes bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &bytes, AppendBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(picture.GetWidth()), png_uint_32(picture.GetHeight()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    for (int32_t y = 0; y < picture.GetHeight(); ++y) png_write_row(png, picture.GetScanline(y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

// The rows of a photo-like picture of that size, read straight from its samples.
TPngPixels PhotoPixels(int32_t width, int32_t height)
{
    return {width, height, [width] {
                return [width](int32_t y, uint8_t* row) {
                    for (int32_t x = 0; x < width; ++x)
                        for (int channel = 0; channel < 3; ++channel) row[3 * x + channel] = PhotoSample(x, y, 2 - channel);
                };
            }};
}

TBytes Deflated(const TPngPixels& pixels, size_t bandBytes)
{
    TBytes stream;
    DeflatePngPixels(pixels, [&](std::span<const uint8_t> piece) { stream.insert(stream.end(), piece.begin(), piece.end()); },
                     bandBytes);
    return stream;
}

// The data of one whole zlib stream; its checksum is checked on the way.
TBytes Inflated(const TBytes& stream)
{
    TBytes data;
    z_stream z{};
    EXPECT_EQ(inflateInit(&z), Z_OK);
    z.next_in = const_cast<Bytef*>(stream.data());
    z.avail_in = uInt(stream.size());
    int status = Z_OK;
    while (status == Z_OK) {
        uint8_t chunk[65536];
        z.next_out = chunk;
        z.avail_out = sizeof chunk;
        status = inflate(&z, Z_NO_FLUSH);
        data.insert(data.end(), chunk, chunk + (sizeof chunk - z.avail_out));
    }
    EXPECT_EQ(status, Z_STREAM_END) << (z.msg ? z.msg : "");
    EXPECT_EQ(z.avail_in, 0u) << "bytes after the end of the stream";
    inflateEnd(&z);
    return data;
}

}  // namespace

TEST(PngWriter, EveryPixelReadsBackAndTheBytesAreTheSameOnOneTwoAndFourThreads)
{
    struct TShape {
        int32_t Width, Height;
    };
    // Bands end where a row ends: rows of 1000 pixels fill a band with rowsPerBand rows.
    const auto rowsPerBand = int32_t(kPngBandBytes / (1 + 3 * 1000));
    const int32_t widerThanABand = int32_t(kPngBandBytes / 3) + 1;
    for (const TShape shape : {TShape{1, 1}, {300, 1}, {1, 300}, {1000, rowsPerBand}, {1000, rowsPerBand + 1},
                               {1000, 2 * rowsPerBand}, {widerThanABand, 3}}) {
        SCOPED_TRACE(testing::Message() << shape.Width << " x " << shape.Height);
        TBigBitmap picture;
        FillPattern(picture, shape.Width, shape.Height);
        const TBytes png = Png(picture, 1);
        EXPECT_EQ(PixelsOf(png), PixelBytes(picture));
        EXPECT_EQ(Png(picture, 2), png);
        EXPECT_EQ(Png(picture, 4), png);
    }
}

TEST(PngWriter, APhotographIsWithinTwoPercentOfOneStreamOfLibpng)
{
    TBigBitmap picture;
    FillPhotoLike(picture, 800, 1400);  // four bands
    const TBytes png = Png(picture, 4);
    const TBytes libpng = LibpngPng(picture);
    EXPECT_LE(double(png.size()), 1.02 * double(libpng.size())) << "libpng: " << libpng.size();
}

TEST(PngDeflate, BandsOfAnySizeJoinIntoOneStreamOfTheSameData)
{
    for (const int32_t width : {1, 7, 12000}) {  // rows of 12,000 pixels are longer than a dictionary
        const TPngPixels pixels = PhotoPixels(width, 40);
        const TBytes whole = Deflated(pixels, SIZE_MAX);
        const TBytes data = Inflated(whole);
        const size_t rowBytes = 1 + 3 * size_t(width);
        ASSERT_EQ(data.size(), 40 * rowBytes);
        for (const size_t bandBytes : {size_t{1}, 3 * rowBytes, 3 * rowBytes + 1, 39 * rowBytes}) {
            SCOPED_TRACE(testing::Message() << width << " pixels wide, bands of " << bandBytes << " bytes");
            const TBytes banded = Deflated(pixels, bandBytes);
            EXPECT_EQ(Inflated(banded), data);
            const TWorkThreadsScope four(4);
            EXPECT_EQ(Deflated(pixels, bandBytes), banded);
        }
    }
}

// The writing of the first band is held up until the readers have gone far ahead or, as they
// should, have stopped to wait for it.
TEST(PngDeflate, OnlyAFewBandsAreDeflatedAheadOfTheWriting)
{
    const TWorkThreadsScope scope(4);
    std::mutex mutex;
    std::condition_variable rowRead;
    int written = 0, furthestBand = 0, mostAhead = 0;
    const TPngPixels photo = PhotoPixels(100, 200);
    const TPngPixels pixels{100, 200, [&] {
                                TPngRowReader read = photo.NewReader();
                                return [&, read](int32_t y, uint8_t* row) {
                                    read(y, row);
                                    const std::lock_guard lock(mutex);
                                    furthestBand = std::max(furthestBand, y / 2);
                                    mostAhead = std::max(mostAhead, y / 2 - written);
                                    rowRead.notify_all();
                                };
                            }};
    DeflatePngPixels(
        pixels,
        [&](std::span<const uint8_t>) {
            std::unique_lock lock(mutex);
            if (written == 0) rowRead.wait_for(lock, std::chrono::milliseconds(200), [&] { return furthestBand >= 50; });
            ++written;
        },
        2 * 301);  // bands of two rows
    EXPECT_EQ(written, 100);
    EXPECT_LE(mostAhead, 16);
}

TEST(PngDeflate, AReaderFailureEndsTheWorkAndIsRaised)
{
    for (const int threads : {1, 4}) {
        const TWorkThreadsScope scope(threads);
        std::atomic<int> pieces{0};
        const TPngPixels pixels{100, 200, [] {
                                    return [](int32_t y, uint8_t*) {
                                        if (y == 150) throw std::runtime_error("The join failed");
                                    };
                                }};
        try {
            DeflatePngPixels(pixels, [&](std::span<const uint8_t>) { ++pieces; }, 2 * 301);
            ADD_FAILURE() << "no error";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "The join failed");
        }
        EXPECT_LE(pieces, 75) << threads << " threads";
    }
}
