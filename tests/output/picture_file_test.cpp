#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <grp.h>
#include <jpeglib.h>
#include <sys/wait.h>
#include <unistd.h>
#include <webp/decode.h>

#include "bigbitmap/errors.h"
#include "bigbitmap/stream.h"
#include "color/profile_building.h"
#include "core/picture_colors.h"
#include "input/file_extension.h"
#include "input/jpeg_image.h"
#include "input/png_image.h"
#include "output/format_limits.h"
#include "output/jpeg_writer.h"
#include "output/picture_file.h"
#include "output/png_writer.h"
#include "support/picture_checks.h"
#include "support/scratch_folder.h"

using namespace quilmo;
using namespace quilmo::test;
namespace fs = std::filesystem;

namespace {

using TBytes = std::vector<uint8_t>;

class PictureFile : public testing::Test {
protected:
    fs::path File(const std::string& name) const { return FFolder / name; }
    std::vector<std::string> FolderContents() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(FFolder)) names.push_back(entry.path().filename().string());
        return names;
    }

    const TScratchFolder FScratch;
    const fs::path FFolder = FScratch.Path();
};

TBytes ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), {});
}

// A JPEG of picture from libjpeg set up step by step: RGB rows, defaults, float DCT, quality
// with baseline tables, simple progression.
TBytes ReferenceJpeg(TBigBitmap& picture, int quality, bool progressive)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(picture.GetWidth());
    info.image_height = JDIMENSION(picture.GetHeight());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    info.dct_method = JDCT_FLOAT;
    jpeg_set_quality(&info, quality, TRUE);
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    TBytes rgb(size_t(picture.GetWidth()) * 3);
    for (int32_t y = 0; y < picture.GetHeight(); ++y) {
        const uint8_t* bgr = picture.GetScanline(y);
        for (size_t i = 0; i < rgb.size(); i += 3) rgb[i] = bgr[i + 2], rgb[i + 1] = bgr[i + 1], rgb[i + 2] = bgr[i];
        JSAMPROW row = rgb.data();
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    TBytes bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

void ExpectSamePixels(TBigBitmap& a, TBigBitmap& b, int tolerance)
{
    ASSERT_EQ(a.GetWidth(), b.GetWidth());
    ASSERT_EQ(a.GetHeight(), b.GetHeight());
    for (int32_t y = 0; y < a.GetHeight(); y += std::max(1, a.GetHeight() / 37))
        for (int32_t x = 0; x < a.GetWidth(); x += std::max(1, a.GetWidth() / 41)) {
            const TColor p = ColourAt(a, x, y), q = ColourAt(b, x, y);
            for (int shift = 0; shift < 24; shift += 8)
                ASSERT_LE(std::abs(int(p >> shift & 0xFF) - int(q >> shift & 0xFF)), tolerance) << x << "," << y;
        }
}

template <typename T>
std::unique_ptr<TBigBitmap> ReadBack(const fs::path& path)
{
    T graphic;
    graphic.LoadFromFile(path);
    auto bitmap = std::make_unique<TBigBitmap>();
    bitmap->Assign(&graphic);
    return bitmap;
}

// A stream that takes limit bytes and then refuses.
class TFullDisk : public TStream {
public:
    explicit TFullDisk(int64_t limit) : FLimit(limit) {}
    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void*, int64_t count) override
    {
        const int64_t taken = std::min(count, FLimit);
        FLimit -= taken;
        return taken;
    }
    int64_t Seek(int64_t, TSeekOrigin) override { return 0; }

private:
    int64_t FLimit;
};

}  // namespace

TEST(LowerExt, TakesTheLastDotOfTheFileNameLowerCased)
{
    EXPECT_EQ(LowerExt("photo.JPG"), ".jpg");
    EXPECT_EQ(LowerExt("/a/b/archive.tar.Gz"), ".gz");
    EXPECT_EQ(LowerExt("/a/b.c/README"), "");
    EXPECT_EQ(LowerExt("name."), ".");
    EXPECT_EQ(LowerExt(".hidden"), ".hidden");
    EXPECT_EQ(LowerExt(""), "");
}

TEST_F(PictureFile, TheFormatFollowsTheName)
{
    TBigBitmap picture;
    FillPattern(picture, 7, 5);
    const std::pair<const char*, TBytes> cases[] = {
        {"a.jpg", {0xFF, 0xD8}},  {"b.JPG", {0xFF, 0xD8}}, {"c.Jpeg", {0xFF, 0xD8}}, {"d.jpe", {0xFF, 0xD8}},
        {"e.png", {0x89, 'P'}},   {"f.PNG", {0x89, 'P'}},  {"g.bmp", {'B', 'M'}},    {"h.txt", {'B', 'M'}},
        {"no extension", {'B', 'M'}}, {"i.jpg.bmp", {'B', 'M'}}, {"j.webp", {'R', 'I'}}, {"k.WebP", {'R', 'I'}},
    };
    for (const auto& [name, magic] : cases) {
        SavePictureFile(picture, File(name), {});
        const TBytes bytes = ReadAll(File(name));
        ASSERT_GE(bytes.size(), 2u) << name;
        EXPECT_EQ(TBytes(bytes.begin(), bytes.begin() + 2), magic) << name;
    }
}

TEST_F(PictureFile, JpegIsEncodedWithTheGivenQualityAndProgression)
{
    TBigBitmap picture;
    FillPattern(picture, 37, 23);
    // Quality 10 needs quantisers above 255 unless baseline tables are forced.
    for (auto [quality, progressive] : {std::pair{10, false}, {85, true}, {100, false}}) {
        SCOPED_TRACE(std::to_string(quality) + (progressive ? " progressive" : " baseline"));
        SavePictureFile(picture, File("out.jpg"), {quality, progressive});
        EXPECT_EQ(ReadAll(File("out.jpg")), ReferenceJpeg(picture, quality, progressive));
    }
}

TEST_F(PictureFile, PicturesReadBackAsSaved)
{
    // Two bands, so rows are taken from both.
    TBigBitmap picture;
    FillPattern(picture, 3000, 1000);
    ASSERT_EQ(picture.BandCount(), 2);
    SavePictureFile(picture, File("p.png"), {});
    ExpectSamePixels(*ReadBack<TPNGImage>(File("p.png")), picture, 0);
    SavePictureFile(picture, File("p.bmp"), {});
    ExpectSamePixels(*ReadBack<TBigBitmap>(File("p.bmp")), picture, 0);
    SavePictureFile(picture, File("p.jpg"), {95, false});
    auto jpeg = ReadBack<TJPEGImage>(File("p.jpg"));
    EXPECT_EQ(jpeg->GetWidth(), 3000);
    EXPECT_EQ(jpeg->GetHeight(), 1000);
}

TEST_F(PictureFile, APictureInOtherColoursCarriesItsProfileOrIsWrittenInSRGB)
{
    const TColorProfile p3 =
        ProfileFromPrimaries({{0.3127, 0.3290}, {0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}}, kSRGBCurve);
    // An odd width pads the rows; the rows are converted in several groups.
    TBigBitmap picture;
    FillPattern(picture, 333, 150);
    SavePictureFile(picture, File("p3.png"), {}, p3);
    auto png = ReadBack<TPNGImage>(File("p3.png"));
    ExpectSamePixels(*png, picture, 0);
    TPNGImage tagged;
    TMemoryStream stream(ReadAll(File("p3.png")));
    tagged.LoadFromStream(stream);
    EXPECT_EQ(tagged.Profile(), p3);

    SavePictureFile(picture, File("p3.bmp"), {}, p3);
    TBigBitmap expected;
    expected.Assign(&picture);
    ConvertToSRGB(expected, p3);
    ExpectSamePixels(*ReadBack<TBigBitmap>(File("p3.bmp")), expected, 0);
    EXPECT_NE(PixelBytes(expected), PixelBytes(picture));
}

TEST_F(PictureFile, WebpIsLosslessAt100AndLossyBelow)
{
    TBigBitmap picture;
    FillPattern(picture, 300, 200);
    // Lossless gives every pixel back; lossy stays near on average.
    for (auto [quality, meanError] : {std::pair{100, 0.0}, {90, 12.0}}) {
        SCOPED_TRACE(quality);
        SavePictureFile(picture, File("p.webp"), {quality, false});
        const TBytes file = ReadAll(File("p.webp"));
        int width = 0, height = 0;
        uint8_t* bgr = WebPDecodeBGR(file.data(), file.size(), &width, &height);
        ASSERT_NE(bgr, nullptr);
        ASSERT_EQ(width, 300);
        ASSERT_EQ(height, 200);
        double error = 0;
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                const uint8_t* pixel = bgr + (static_cast<size_t>(y) * width + x) * 3;
                const TColor colour = ColourAt(picture, x, y);
                error += std::abs(pixel[2] - ColorRed(colour)) + std::abs(pixel[1] - ColorGreen(colour)) +
                         std::abs(pixel[0] - ColorBlue(colour));
            }
        WebPFree(bgr);
        EXPECT_LE(error / (3.0 * width * height), meanError);
        // Lossless and lossy files differ in their first chunk.
        EXPECT_EQ(std::string(file.begin() + 12, file.begin() + 16), quality == 100 ? "VP8L" : "VP8 ");
    }
}

TEST_F(PictureFile, WebpWiderOrHigherThanItsLimitIsRefusedBeforeWriting)
{
    std::ofstream(File("keep.webp"), std::ios::binary).write("old", 3);
    for (auto [width, height] : {std::pair{16384, 1}, {1, 16384}}) {
        TBigBitmap tooLarge;
        tooLarge.SetBitmaps(width, height, bbpf1bit);
        ExpectError<EWriteError>([&] { SavePictureFile(tooLarge, File("keep.webp"), {}); },
                                 "WebP 画像を書き出せません: " + std::to_string(width) + " x " + std::to_string(height) +
                                     " ピクセルは WebP の上限 16383 x 16383 を超えています");
    }
    EXPECT_EQ(ReadAll(File("keep.webp")), (TBytes{'o', 'l', 'd'}));
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"keep.webp"});
    TBigBitmap largest;
    largest.SetBitmaps(16383, 2, bbpf1bit);
    SavePictureFile(largest, File("largest.webp"), {100, false});
    EXPECT_EQ(ReadAll(File("largest.webp"))[0], 'R');
}

TEST_F(PictureFile, IndexedPicturesAreWrittenInTheirColours)
{
    TBigBitmap picture;
    picture.SetBitmaps(4, 2, bbpf8bit);
    picture.SetPalette({{10, 20, 30, 0}, {200, 100, 0, 0}});
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 4; ++x) picture.GetScanline(y)[x] = uint8_t((x + y) % 2);
    SavePictureFile(picture, File("i.png"), {});
    auto png = ReadBack<TPNGImage>(File("i.png"));
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 4; ++x)
            EXPECT_EQ(ColourAt(*png, x, y), (x + y) % 2 ? RGBColor(200, 100, 0) : RGBColor(10, 20, 30));
    SavePictureFile(picture, File("i.jpg"), {100, false});
    EXPECT_TRUE(ReadBack<TJPEGImage>(File("i.jpg"))->GetWidth() == 4);
}

TEST_F(PictureFile, AFailedSaveLeavesTheOldFileAndNothingElse)
{
    const TBytes old = {'o', 'l', 'd'};
    std::ofstream(File("keep.jpg"), std::ios::binary).write("old", 3);
    // One pixel wider or higher than any JPEG may be; 1-bit big bitmaps hold them in little memory.
    for (const auto& [width, height] : {std::pair{65501, 1}, std::pair{1, 65501}}) {
        TBigBitmap tooLarge;
        tooLarge.SetBitmaps(width, height, bbpf1bit);
        ExpectError<EWriteError>([&] { SavePictureFile(tooLarge, File("keep.jpg"), {}); },
                                 "JPEG 画像を書き出せません: JPEG 画像の幅と高さは 65500 ピクセルまでですが、この画像は " +
                                     std::to_string(width) + " x " + std::to_string(height) + " です。PNG で保存してください");
        // The format's reason comes before the folder is even looked at.
        ExpectError<EWriteError>([&] { SavePictureFile(tooLarge, File("none") / "x.jpg", {}); },
                                 "JPEG 画像を書き出せません: JPEG 画像の幅と高さは 65500 ピクセルまでですが、この画像は " +
                                     std::to_string(width) + " x " + std::to_string(height) + " です。PNG で保存してください");
    }
    TBigBitmap empty;
    ExpectError<EWriteError>([&] { SavePictureFile(empty, File("keep.jpg"), {}); }, "空の画像は保存できません");
    EXPECT_EQ(ReadAll(File("keep.jpg")), old);
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"keep.jpg"});

    TBigBitmap widest;
    widest.SetBitmaps(65500, 1, bbpf1bit);
    SavePictureFile(widest, File("keep.jpg"), {});
    EXPECT_EQ(ReadBack<TJPEGImage>(File("keep.jpg"))->GetWidth(), 65500);
}

TEST(FormatLimits, BmpFilesEndWhereTheirThirtyTwoBitSizeFieldDoes)
{
    // Rows of 4 bytes behind 54 header bytes: 1073741810 rows make 4294967294 bytes, one more
    // row passes 4 GiB.
    const TDIBLayout largest{1, 1073741810, 24, nullptr, false};
    const TDIBLayout tooLarge{1, 1073741811, 24, nullptr, false};
    EXPECT_EQ(BmpFileSize(largest), 4294967294);
    EXPECT_NO_THROW(CheckFormatHolds(TPictureFileFormat::BMP, largest));
    const std::string refusal = "BMP 画像を書き出せません: BMP ファイルは 4 GiB までですが、この画像は 4294967298 バイトになります。"
                                "PNG で保存してください";
    ExpectError<EWriteError>([&] { CheckFormatHolds(TPictureFileFormat::BMP, tooLarge); }, refusal);
    // The headers of such a file are not written either.
    TMemoryStream stream;
    ExpectError<EWriteError>([&] { WriteDIBHeaders(stream, tooLarge); }, refusal);
    EXPECT_EQ(stream.Size(), 0);
    // The same picture is too high for JPEG and fine for PNG.
    EXPECT_THROW(CheckFormatHolds(TPictureFileFormat::JPEG, tooLarge), EWriteError);
    EXPECT_NO_THROW(CheckFormatHolds(TPictureFileFormat::PNG, tooLarge));
}

TEST_F(PictureFile, PngTakesPicturesWiderThanLibpngsDefaultLimit)
{
    TBigBitmap picture;
    FillPattern(picture, 1000001, 2);
    SavePictureFile(picture, File("wide.png"), {});
    ExpectSamePixels(*ReadBack<TPNGImage>(File("wide.png")), picture, 0);
}

// Root may replace any file, so the refusal is looked for in a child process that has become
// the unprivileged user "nobody"; it answers through its exit status.
TEST_F(PictureFile, AFileTheUserMayNotWriteIsNotReplaced)
{
    constexpr uid_t kNobody = 65534;
    fs::permissions(FFolder, fs::perms::all);
    for (const char* name : {"locked.bmp", "open.bmp"}) std::ofstream(File(name)) << "old";
    fs::permissions(File("locked.bmp"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(File("open.bmp"), fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec));
    TBigBitmap picture;
    FillPattern(picture, 5, 4);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setresgid(kNobody, kNobody, kNobody) != 0 ||
            setresuid(kNobody, kNobody, kNobody) != 0)
            _exit(10);
        int status = 0;
        try {
            SavePictureFile(picture, File("locked.bmp"), {});
            status = 1;
        } catch (const EWriteError& e) {
            if (e.what() != "ファイル \"" + File("locked.bmp").string() + "\" を作成できません。Permission denied") status = 2;
        }
        try {
            SavePictureFile(picture, File("open.bmp"), {});
        } catch (...) {
            status = 3;
        }
        _exit(status);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10: no unprivileged user, 1: replaced, 2: other message, 3: not saved";
    EXPECT_EQ(ReadAll(File("locked.bmp")), (TBytes{'o', 'l', 'd'}));
    EXPECT_EQ(ReadAll(File("open.bmp"))[0], 'B');
    EXPECT_EQ(FolderContents().size(), 2u);
}

TEST(PictureWriters, AStreamFailureReachesTheCallerAsItself)
{
    TBigBitmap picture;
    FillPattern(picture, 600, 400);
    TMemoryStream jpeg, png;
    WriteJpeg(picture, jpeg, {100, false});
    WritePng(picture, png);
    ASSERT_GT(jpeg.Size(), 2 * 65536);  // so that half of it fills the encoder's buffer
    // Refused at once, and half way.
    for (double share : {0.0, 0.5}) {
        TFullDisk jpegDisk(int64_t(jpeg.Size() * share));
        ExpectError<EWriteError>([&] { WriteJpeg(picture, jpegDisk, {100, false}); }, "Stream write error");
        TFullDisk pngDisk(int64_t(png.Size() * share));
        ExpectError<EWriteError>([&] { WritePng(picture, pngDisk); }, "Stream write error");
    }
}
