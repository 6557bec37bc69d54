// Lossless JPEG joins: every picture's blocks kept in its place, the rest blocks of the fill
// colour, requantisation where tables differ, and every reason a join cannot be lossless.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "bigbitmap/bitmap.h"
#include "bigbitmap/stream.h"
#include "color/profile_building.h"
#include "core/composition.h"
#include "input/codec_fixtures.h"
#include "input/jpeg_image.h"
#include "input/jpeg_reader.h"
#include "output/coded_picture.h"
#include "output/lossless_join.h"
#include "support/picture_checks.h"
#include "support/scratch_folder.h"
#include "support/work_threads_scope.h"

#include <jpeglib.h>

using namespace quilmo;
using namespace quilmo::test;

namespace {

// A JPEG of width x height with detail in every block, different for every seed.
TBytes Photo(int width, int height, int seed, TJpegSpec spec = {})
{
    spec.Width = width;
    spec.Height = height;
    const int channels = spec.Colours == TJpegColours::Grey ? 1 : 3;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c) {
                const unsigned noise = (unsigned(x * 131 + y * 71 + c * 29 + seed * 977) * 2654435761u) >> 27;
                spec.Samples.push_back(uint8_t(40 + (x * (3 + c) + y * (2 + seed)) % 150 + noise));
            }
    return MakeJpeg(spec);
}

TBytes Colour420(int width, int height, int seed)
{
    TJpegSpec spec;
    spec.LumaAcross = spec.LumaDown = 2;
    return Photo(width, height, seed, spec);
}

// The blocks of a JPEG file as libjpeg reads them.
struct TCoefficients {
    struct TComponent {
        int Width = 0;
        int Height = 0;
        int Across = 1;
        int Down = 1;
        std::vector<std::array<JCOEF, DCTSIZE2>> Blocks;
        std::array<int, DCTSIZE2> Steps{};
        const JCOEF* At(int x, int y) const { return Blocks[size_t(y) * Width + x].data(); }
    };
    std::vector<TComponent> Components;
    bool Progressive = false;
    bool Jfif = false;
    bool Exif = false;
    unsigned RestartInterval = 0;
};

TCoefficients ReadCoefficients(const TBytes& bytes)
{
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), bytes.size());
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    jvirt_barray_ptr* arrays = jpeg_read_coefficients(&info);
    TCoefficients result;
    result.Progressive = info.progressive_mode;
    result.Jfif = info.saw_JFIF_marker;
    result.Exif = info.marker_list != nullptr;
    result.RestartInterval = info.restart_interval;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        TCoefficients::TComponent out;
        out.Width = int(component.width_in_blocks);
        out.Height = int(component.height_in_blocks);
        out.Across = component.h_samp_factor;
        out.Down = component.v_samp_factor;
        for (int k = 0; k < DCTSIZE2; ++k) out.Steps[k] = component.quant_table->quantval[k];
        for (int y = 0; y < out.Height; ++y) {
            JBLOCKARRAY row = info.mem->access_virt_barray(reinterpret_cast<j_common_ptr>(&info), arrays[c], JDIMENSION(y), 1, FALSE);
            for (int x = 0; x < out.Width; ++x) {
                std::array<JCOEF, DCTSIZE2> block;
                std::copy(row[0][x], row[0][x] + DCTSIZE2, block.begin());
                out.Blocks.push_back(block);
            }
        }
        result.Components.push_back(out);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return result;
}

TBytes ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), {});
}

class LosslessJoin : public ::testing::Test {
protected:
    TScratchFolder Folder;
    std::vector<std::unique_ptr<TJPEGImage>> Loaded;
    std::vector<TBytes> Files;

    // The pictures as the window holds them, named a.jpg, b.jpg...
    std::vector<TLosslessPicture> Pictures(const std::vector<TBytes>& files)
    {
        Files = files;
        Loaded.clear();
        std::vector<TLosslessPicture> pictures;
        for (size_t i = 0; i < files.size(); ++i) {
            Loaded.push_back(LoadGraphic<TJPEGImage>(files[i]));
            pictures.push_back({std::string(1, char('a' + i)) + ".jpg", Loaded.back().get(), {}});
        }
        return pictures;
    }
    TLosslessJoin Join(const std::vector<TBytes>& files, const TJoinSettings& settings)
    {
        std::vector<TLosslessPicture> pictures = Pictures(files);
        std::vector<TSize> sizes;
        for (const auto& picture : Loaded) sizes.push_back({picture->GetWidth(), picture->GetHeight()});
        return LosslessJoinByRule(std::move(pictures), sizes, settings);
    }
    std::filesystem::path Out() const { return Folder / "out.jpg"; }

    // Every block of every picture in its place, every other block of the picture flat (AC 0);
    // decoded, every pixel more than 2 pixels from a picture's edge inside the joined picture is
    // the picture's own, and the flat blocks are the fill colour.
    void ExpectJoined(const TLosslessJoin& join, TColor fill)
    {
        const TBytes bytes = ReadFile(Out());
        const TCoefficients out = ReadCoefficients(bytes);
        EXPECT_TRUE(out.Jfif);
        EXPECT_FALSE(out.Exif);
        int maxAcross = 1, maxDown = 1;
        for (const auto& c : out.Components) maxAcross = std::max(maxAcross, c.Across), maxDown = std::max(maxDown, c.Down);
        const TSize mcu{8 * maxAcross, 8 * maxDown};
        for (size_t c = 0; c < out.Components.size(); ++c) {
            const auto& component = out.Components[c];
            std::vector<bool> covered(component.Blocks.size());
            for (size_t i = 0; i < join.Pictures.size(); ++i) {
                const TCoefficients picture = ReadCoefficients(Files[i]);
                const auto& own = picture.Components[c];
                const int left = join.Pictures[i].Place.Left / mcu.Width * component.Across;
                const int top = join.Pictures[i].Place.Top / mcu.Height * component.Down;
                for (int y = 0; y < own.Height; ++y)
                    for (int x = 0; x < own.Width; ++x) {
                        covered[size_t(top + y) * component.Width + left + x] = true;
                        ASSERT_TRUE(std::equal(own.At(x, y), own.At(x, y) + DCTSIZE2, component.At(left + x, top + y)))
                            << "picture " << i + 1 << " component " << c << " block " << x << "," << y;
                    }
            }
            for (size_t k = 0; k < covered.size(); ++k) {
                const auto& block = component.Blocks[k];
                if (!covered[k]) {
                    ASSERT_TRUE(std::all_of(block.begin() + 1, block.end(), [](JCOEF v) { return v == 0; }));
                }
            }
        }
        std::unique_ptr<TJPEGImage> joined = LoadGraphic<TJPEGImage>(bytes);
        const std::unique_ptr<TBigBitmap> pixels = Decoded(*joined);
        std::vector<std::unique_ptr<TBigBitmap>> alone;
        for (const auto& picture : Loaded) alone.push_back(Decoded(*picture));
        ASSERT_EQ(pixels->GetWidth(), join.Size.Width);
        ASSERT_EQ(pixels->GetHeight(), join.Size.Height);
        for (int32_t y = 0; y < join.Size.Height; ++y)
            for (int32_t x = 0; x < join.Size.Width; ++x) {
                const TColor got = ColourAt(*pixels, x, y);
                const auto inside = [&](const TRect& r) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; };
                const auto away = [&](const TRect& r) {
                    const auto far = [](int32_t d, int32_t edge, int32_t end) { return edge == end || d > 2; };
                    return far(x - r.Left + 1, r.Left, 0) && far(r.Right - x, r.Right, join.Size.Width) &&
                           far(y - r.Top + 1, r.Top, 0) && far(r.Bottom - y, r.Bottom, join.Size.Height);
                };
                bool onPicture = false;
                for (size_t i = 0; i < join.Pictures.size(); ++i) {
                    const TRect& place = join.Pictures[i].Place;
                    if (!inside(place)) continue;
                    onPicture = true;
                    if (!away(place)) continue;
                    ASSERT_EQ(got, ColourAt(*alone[i], x - place.Left, y - place.Top)) << x << "," << y;
                }
                const TRect wide{-3, -3, 3, 3};
                bool nearPicture = false;
                for (const auto& picture : join.Pictures)
                    nearPicture = nearPicture || inside({picture.Place.Left + wide.Left, picture.Place.Top + wide.Top,
                                                         picture.Place.Right + wide.Right, picture.Place.Bottom + wide.Bottom});
                if (!onPicture && !nearPicture) {
                    ASSERT_TRUE(ColoursNear(got, fill, 2)) << x << "," << y;
                }
            }
    }
};

TEST_F(LosslessJoin, KeepsEveryBlockOfColourAndGreyPictures)
{
    const TColor fill = RGBColor(30, 160, 220);
    TJoinSettings settings;
    settings.JoinColor = fill;
    for (int kind = 0; kind < 3; ++kind) {
        SCOPED_TRACE(kind);
        TJpegSpec spec;
        if (kind == 0) spec.LumaAcross = spec.LumaDown = 2;
        if (kind == 2) spec.Colours = TJpegColours::Grey;
        // The last picture may end inside its MCU: it is the joined picture's right edge.
        const TLosslessJoin join = Join({Photo(48, 32, 1, spec), Photo(32, 16, 2, spec), Photo(40, 32, 3, spec)}, settings);
        EXPECT_TRUE(SaveLosslessJpeg(join, Out(), false).empty());
        // A grey picture's fill is the colour's luma.
        ExpectJoined(join, kind == 2 ? RGBColor(128, 128, 128) : fill);
    }
}

TEST_F(LosslessJoin, PlacesWrappedAlignedAndFramedPicturesAsTheJoinDoes)
{
    TJoinSettings settings;
    settings.Wrap = 2;
    settings.Gap = 8;  // 80 pixels
    settings.Align = jaCenter;
    settings.FrameOn = true;
    settings.FrameRect = {16, 32, 16, 8};
    settings.JoinColor = RGBColor(200, 40, 90);
    TLosslessJoin join = Join({Colour420(32, 16, 1), Colour420(48, 48, 2), Colour420(32, 32, 3)}, settings);
    // Where the ordinary join puts them, frame added.
    std::vector<TGraphic*> graphics;
    for (const auto& picture : Loaded) graphics.push_back(picture.get());
    TPictureList list(graphics);
    TBigBitmap ordinary;
    const std::vector<TRect> places = ComposeJoined(list, settings, {}, {}, ordinary);
    for (size_t i = 0; i < places.size(); ++i) EXPECT_EQ(join.Pictures[i].Place, OffsetRectBy(places[i], settings.FrameRect));
    EXPECT_EQ(join.Size, (TSize{ordinary.GetWidth(), ordinary.GetHeight()}));
    SaveLosslessJpeg(join, Out(), false);
    ExpectJoined(join, settings.JoinColor);
}

TEST_F(LosslessJoin, CodesTallPicturesInBandsTheSameOnAnyNumberOfThreads)
{
    const TLosslessJoin join = Join({Photo(24, 300, 1), Photo(16, 280, 2)}, {});
    TBytes bytes[2];
    for (const int threads : {1, 4}) {
        const TWorkThreadsScope scope(threads);
        SaveLosslessJpeg(join, Out(), false);
        bytes[threads == 4] = ReadFile(Out());
    }
    EXPECT_EQ(bytes[0], bytes[1]);
    // A band of 16 rows of five MCUs is a restart interval.
    EXPECT_EQ(ReadCoefficients(bytes[0]).RestartInterval, 16u * 5);
    ExpectJoined(join, clWhite);
}

TEST_F(LosslessJoin, RequantisesPicturesOfOtherTablesToTheFirstOnes)
{
    TJpegSpec coarse;
    coarse.Quality = 40;
    const TLosslessJoin join = Join({Photo(16, 16, 1), Photo(16, 16, 2, coarse), Photo(16, 16, 3)}, {});
    const std::vector<size_t> requantised = SaveLosslessJpeg(join, Out(), false);
    EXPECT_EQ(requantised, std::vector<size_t>{1});
    EXPECT_EQ(RequantisedNote(join, requantised), "画像 1 (a.jpg) の量子化テーブルで量子化し直しました: 画像 2 (b.jpg)");
    const TCoefficients out = ReadCoefficients(ReadFile(Out()));
    const TCoefficients first = ReadCoefficients(Files[0]);
    const TCoefficients second = ReadCoefficients(Files[1]);
    for (size_t c = 0; c < out.Components.size(); ++c) {
        EXPECT_EQ(out.Components[c].Steps, first.Components[c].Steps);
        const auto& own = second.Components[c];
        for (int y = 0; y < own.Height; ++y)
            for (int x = 0; x < own.Width; ++x)
                for (int k = 0; k < DCTSIZE2; ++k) {
                    const long expected = std::lround(double(own.At(x, y)[k]) * own.Steps[k] / out.Components[c].Steps[k]);
                    ASSERT_EQ(out.Components[c].At(2 + x, y)[k], expected) << c << " " << x << "," << y << " " << k;
                }
    }
}

TEST_F(LosslessJoin, ReadsProgressivePicturesAndRestartMarkersAndWritesEitherKind)
{
    TJpegSpec progressive, restarts;
    progressive.Progressive = true;
    restarts.RestartRows = 1;
    progressive.LumaAcross = progressive.LumaDown = restarts.LumaAcross = restarts.LumaDown = 2;
    TJoinSettings settings;
    settings.Direction = jdVertical;
    const TLosslessJoin join = Join({Photo(32, 32, 1, progressive), Photo(32, 48, 2, restarts)}, settings);
    for (const bool asProgressive : {false, true}) {
        SaveLosslessJpeg(join, Out(), asProgressive);
        EXPECT_EQ(ReadCoefficients(ReadFile(Out())).Progressive, asProgressive);
        ExpectJoined(join, clWhite);
    }
}

// Whether the picture's blocks can be taken from its Huffman symbols alone.
bool ReadAsSymbols(const TBytes& file)
{
    TJpegReader reader(file);
    reader.ReadHeader();
    return ReadCodedPicture(reader, file).has_value();
}

TEST_F(LosslessJoin, CodesPlainPicturesFromTheirSymbolsIntoTheSameFileAsFromTheirBlocks)
{
    TJpegSpec own, restarts, grey;
    own.OwnTables = true;
    own.LumaAcross = own.LumaDown = 2;
    restarts.RestartRows = 1;
    restarts.LumaAcross = 2;
    grey.Colours = TJpegColours::Grey;
    grey.OwnTables = true;
    TJoinSettings stacked, wrapped;
    stacked.Direction = jdVertical;
    wrapped.Wrap = 2;
    wrapped.Gap = 8;
    wrapped.FrameOn = true;
    wrapped.FrameRect = {16, 8, 24, 16};
    wrapped.JoinColor = RGBColor(10, 200, 60);
    const std::pair<std::vector<TBytes>, TJoinSettings> cases[] = {
        // Tables of their own; the last picture ends inside its MCUs, at the file's edges.
        {{Photo(48, 29, 1, own), Photo(32, 29, 2, own), Photo(37, 29, 3, own)}, {}},
        // Restart markers, 4:2:2, in several bands.
        {{Photo(40, 304, 4, restarts), Photo(40, 100, 5, restarts)}, stacked},
        {{Photo(32, 16, 6, grey), Photo(48, 48, 7, grey), Photo(32, 32, 8, grey)}, wrapped},
    };
    for (const auto& [files, settings] : cases) {
        for (const TBytes& file : files) ASSERT_TRUE(ReadAsSymbols(file));
        const TLosslessJoin join = Join(files, settings);
        TMemoryStream symbols, blocks;
        WriteLosslessJpeg(join, symbols, false);
        WriteLosslessJpeg(join, blocks, false, TLosslessCoding::Blocks);
        EXPECT_EQ(symbols.TakeBytes(), blocks.TakeBytes());
    }
    // Damaged or progressive pictures are read as blocks.
    TBytes cut = Photo(32, 32, 9);
    cut.resize(cut.size() - 40);
    TJpegSpec progressive;
    progressive.Progressive = true;
    EXPECT_FALSE(ReadAsSymbols(cut));
    EXPECT_FALSE(ReadAsSymbols(Photo(32, 32, 10, progressive)));
}

TEST_F(LosslessJoin, TurnsAPictureUprightByMovingItsBlocks)
{
    // Stored 32 x 48, shown turned a quarter to the right: 48 x 32. At quality 100 (the
    // pictures' quality here) every table is its own transposition, so nothing is requantised.
    TJpegSpec turned;
    turned.LumaAcross = turned.LumaDown = 2;
    turned.App1 = ExifWithOrientation(6, false);
    TJpegSpec upright = turned;
    upright.App1.clear();
    const TLosslessJoin join = Join({Photo(32, 32, 1, upright), Photo(32, 48, 2, turned)}, {});
    EXPECT_EQ(join.Pictures[1].Place, (TRect{32, 0, 80, 32}));
    EXPECT_TRUE(SaveLosslessJpeg(join, Out(), false).empty());
    std::unique_ptr<TJPEGImage> joined = LoadGraphic<TJPEGImage>(ReadFile(Out()));
    const std::unique_ptr<TBigBitmap> pixels = Decoded(*joined);
    const std::unique_ptr<TBigBitmap> alone = Decoded(*Loaded[1]);
    // The decoder rounds its upsampled colours a little differently in the other direction.
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 3; x < 48; ++x) ASSERT_TRUE(ColoursNear(ColourAt(*pixels, 32 + x, y), ColourAt(*alone, x, y), 2)) << x << "," << y;
}

TEST_F(LosslessJoin, KeepsTheProfileThePicturesShare)
{
    const TColorProfile p3 =
        ProfileFromPrimaries({{0.3127, 0.3290}, {0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}}, kSRGBCurve);
    TJpegSpec tagged;
    tagged.Icc.assign(p3.Bytes().begin(), p3.Bytes().end());
    const TLosslessJoin join = Join({Photo(16, 16, 1, tagged), Photo(16, 16, 2, tagged)}, {});
    SaveLosslessJpeg(join, Out(), false);
    EXPECT_TRUE(LoadGraphic<TJPEGImage>(ReadFile(Out()))->Profile() == p3);
}

TEST_F(LosslessJoin, RefusesWithEveryReasonAndWritesNothing)
{
    const TColorProfile p3 =
        ProfileFromPrimaries({{0.3127, 0.3290}, {0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}}, kSRGBCurve);
    TJpegSpec tagged, sampled, grey, turned;
    tagged.Icc.assign(p3.Bytes().begin(), p3.Bytes().end());
    sampled.LumaAcross = sampled.LumaDown = 2;
    grey.Colours = TJpegColours::Grey;
    turned.LumaAcross = turned.LumaDown = 2;
    turned.App1 = ExifWithOrientation(6, true);
    TJoinSettings gapped;
    gapped.Gap = 1;
    TJoinSettings bicubic;
    bicubic.Method = rmBicubic;
    TJoinSettings framed;
    framed.FrameOn = true;
    framed.FrameRect = {4, 0, 0, 0};
    TJoinSettings centred;
    centred.Direction = jdVertical;
    centred.Align = jaCenter;
    struct TCase {
        std::vector<TBytes> Files;
        TJoinSettings Settings;
        std::string Reasons;
    };
    const std::vector<TCase> cases = {
        {{Photo(16, 8, 1), Photo(20, 8, 2), Photo(16, 8, 3)}, {},
         "画像 2 (b.jpg) は幅 20 ピクセルで、MCU の 8 の倍数ではありません; 画像 3 (c.jpg) は x = 36 から始まり、"
         "MCU の 8 の倍数ではありません"},
        {{Photo(16, 8, 1), Photo(16, 8, 2)}, gapped, "間隔の 10 ピクセルが MCU (8 x 8) の倍数ではありません"},
        {{Photo(16, 8, 1), Photo(16, 8, 2)}, framed,
         "枠の左と上の幅 (4, 0) が MCU (8 x 8) の倍数ではありません"},
        {{Photo(16, 8, 1), Photo(24, 8, 2)}, centred, "画像 1 (a.jpg) は x = 4 から始まり、MCU の 8 の倍数ではありません"},
        {{Photo(16, 16, 1), Photo(16, 16, 2, sampled)}, {},
         "画像 2 (b.jpg) のサンプリングは 2x2,1x1,1x1、画像 1 (a.jpg) は 1x1,1x1,1x1 です"},
        {{Photo(16, 16, 1), Photo(16, 16, 2, grey)}, {},
         "画像 2 (b.jpg) は グレースケール、画像 1 (a.jpg) は カラー (YCbCr) です"},
        {{Photo(16, 16, 1, sampled), Photo(16, 24, 2, turned)}, {},
         "画像 2 (b.jpg) は無劣化では正立にできません (EXIF の向き 6): 正立では幅 24 ピクセルで、"
         "MCU の 16 の倍数ではありません"},
        {{Photo(16, 16, 1), Photo(16, 16, 2)}, bicubic, "画像が拡大縮小されます (無劣化は原寸のときだけです)"},
        {{Photo(16, 16, 1, tagged), Photo(16, 16, 2)}, {}, "画像 2 (b.jpg) はほかの画像のプロファイルに変換されます"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Reasons);
        const TLosslessJoin join = Join(c.Files, c.Settings);
        ExpectError<ELosslessRefused>([&] { SaveLosslessJpeg(join, Out(), false); }, "無劣化では連結できません: " + c.Reasons);
        EXPECT_FALSE(std::filesystem::exists(Out()));
        EXPECT_TRUE(std::filesystem::is_empty(Folder.Path()));
    }
    // A picture that is not a JPEG one.
    TBitmap bitmap;
    std::vector<TLosslessPicture> pictures = Pictures({Photo(16, 16, 1)});
    pictures.push_back({"d.bmp", &bitmap, {}});
    const std::vector<TSize> sizes{{16, 16}, {16, 16}};
    ExpectError<ELosslessRefused>([&] { SaveLosslessJpeg(LosslessJoinByRule(pictures, sizes, {}), Out(), false); },
                                  "無劣化では連結できません: 画像 2 (d.bmp) は JPEG 画像ではありません");
}

}  // namespace
