#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/errors.h"
#include "bigbitmap/save_target.h"
#include "bigbitmap/stream.h"
#include "bigbitmap/temporary_files.h"
#include "support/picture_checks.h"
#include "support/scratch_folder.h"

using namespace quilmo;
using namespace quilmo::test;
namespace fs = std::filesystem;

namespace {

void WriteText(const fs::path& path, const std::string& text)
{
    WriteFileAtomically(path, [&](TStream& s) { s.WriteBuffer(text.data(), static_cast<int64_t>(text.size())); });
}

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), {}};
}

long EntryCount(const fs::path& folder)
{
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

}  // namespace

TEST(ShiftedMemoryStream, ReadsAndWritesHeadAndDataAsOne)
{
    uint8_t head[3] = {1, 2, 3};
    uint8_t data[4] = {4, 5, 6, 7};
    TShiftedMemoryStream stream(head, 3, data, 4);
    EXPECT_EQ(stream.Size(), 7);
    stream.SetPosition(1);
    uint8_t buffer[10] = {};
    EXPECT_EQ(stream.Read(buffer, 4), 4);
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 4), (std::vector<uint8_t>{2, 3, 4, 5}));
    EXPECT_EQ(stream.Read(buffer, 10), 2);  // only what is left
    EXPECT_EQ(stream.Read(buffer, 10), 0);
    EXPECT_EQ(stream.Seek(-1, TSeekOrigin::soBeginning), -1);
    EXPECT_EQ(stream.Read(buffer, 1), 0);
    // Far past the pieces is not back inside them.
    EXPECT_EQ(stream.Seek(int64_t{1} << 32, TSeekOrigin::soBeginning), int64_t{1} << 32);
    EXPECT_EQ(stream.Read(buffer, 1), 0);

    const uint8_t fresh[] = {9, 9, 9, 9, 9, 9, 9, 9};
    stream.SetPosition(2);
    EXPECT_EQ(stream.Write(fresh, 8), 5);  // never beyond the data block
    EXPECT_EQ(head[1], 2);
    EXPECT_EQ(head[2], 9);
    EXPECT_EQ(data[3], 9);
}

// What a handler of an ending signal does: the save in progress loses its temporary file and
// fails; the old file stays.
TEST(FileWriting, TheTemporaryFileOfASaveInProgressCanBeRemovedFromOutside)
{
    const TScratchFolder temp;
    const fs::path target = temp.Path() / "picture.bmp";
    std::ofstream(target) << "old";
    EXPECT_THROW(WriteFileAtomically(target,
                                     [&](TStream& s) {
                                         s.WriteBuffer("new", 3);
                                         EXPECT_EQ(EntryCount(temp.Path()), 2);
                                         RemoveTemporaryFiles();
                                         EXPECT_EQ(EntryCount(temp.Path()), 1);
                                     }),
                 EWriteError);
    EXPECT_EQ(ReadText(target), "old");
}

TEST(FileWriting, FailedSaveLeavesTheOldFileAndNoLeftovers)
{
    const TScratchFolder temp;
    const fs::path& folder = temp.Path();
    const fs::path target = folder / "picture.bmp";
    std::ofstream(target) << "old";

    EXPECT_THROW(WriteFileAtomically(target,
                                     [](TStream& s) {
                                         s.WriteBuffer("new", 3);
                                         throw EWriteError("disk full");
                                     }),
                 EWriteError);
    EXPECT_EQ(ReadText(target), "old");
    EXPECT_EQ(EntryCount(folder), 1);

    TBigBitmap picture;
    FillPattern(picture, 4, 4);
    picture.SaveToFile(target);
    TBigBitmap back;
    back.LoadFromFile(target);
    EXPECT_EQ(ColourAt(back, 3, 2), Pattern(3, 2));
    EXPECT_THROW(back.LoadFromFile(folder / "missing.bmp"), EReadError);
}

TEST(FileWriting, LongNamesModesAndLinksSurviveASave)
{
    const TScratchFolder temp;
    // A name near the file system's limit still gets a temporary beside it.
    const fs::path longName = temp.Path() / (std::string(246, 'n') + ".bmp");
    WriteText(longName, "new");
    EXPECT_EQ(ReadText(longName), "new");

    // A read-only file stays read-only.
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read;
    fs::permissions(longName, readOnly);
    WriteText(longName, "newer");
    EXPECT_EQ(ReadText(longName), "newer");
    EXPECT_EQ(fs::status(longName).permissions(), readOnly);

    // A link stays a link; the file it names is replaced from within its own folder.
    const fs::path real = temp.Path() / "real" / "picture.bmp";
    fs::create_directory(real.parent_path());
    WriteText(real, "old");
    const fs::path link = temp.Path() / "link.bmp";
    fs::create_symlink("real/picture.bmp", link);
    WriteFileAtomically(link, [&](TStream& s) {
        EXPECT_EQ(EntryCount(real.parent_path()), 2);
        s.WriteBuffer("linked", 6);
    });
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "real/picture.bmp");
    EXPECT_EQ(ReadText(link), "linked");
    EXPECT_EQ(EntryCount(real.parent_path()), 1);
    EXPECT_EQ(EntryCount(temp.Path()), 3);
}

// Whoever compares names before saving (the batch's guard) sees the file the save writes.
TEST(FileWriting, ASaveWritesTheFileItsTargetIsWhereverLinksLead)
{
    const TScratchFolder temp;
    const fs::path out = temp.Path() / "out";
    fs::create_directories(out / "sub");
    // A link to a file not there yet, a chain whose relative targets are taken from each link's
    // own folder, and a linked folder.
    fs::create_symlink("02.bmp", out / "01.bmp");
    fs::create_symlink("sub/x", out / "chain.bmp");
    fs::create_symlink("../02.bmp", out / "sub" / "x");
    fs::create_directory_symlink(out / "sub", temp.Path() / "linked");
    const fs::path written = fs::canonical(out) / "02.bmp";
    for (const fs::path& name : {out / "01.bmp", out / "chain.bmp", temp.Path() / "linked" / "x",
                                 temp.Path() / "linked" / ".." / "02.bmp"})
        EXPECT_EQ(SaveTarget(name), written) << name;
    WriteText(out / "chain.bmp", "chained");
    EXPECT_EQ(ReadText(written), "chained");
    EXPECT_EQ(fs::read_symlink(out / "01.bmp"), "02.bmp");
    EXPECT_EQ(EntryCount(out), 4);

    // A loop of links is refused, by the save as by the one who asks where it leads.
    fs::create_symlink("b.bmp", out / "a.bmp");
    fs::create_symlink("a.bmp", out / "b.bmp");
    const std::string loop = "ファイル \"" + (out / "a.bmp").string() + "\" を作成できません。Too many levels of symbolic links";
    ExpectError<EWriteError>([&] { SaveTarget(out / "a.bmp"); }, loop);
    ExpectError<EWriteError>([&] { WriteText(out / "a.bmp", "looped"); }, loop);
    EXPECT_EQ(EntryCount(out), 6);
}

TEST(FileReading, OnlyRegularFilesAreOpened)
{
    const TScratchFolder temp;
    const fs::path pipe = temp.Path() / "pipe.bmp";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // With a writer on the pipe, a reader that took it would wait on reading rather than on opening.
    const int writer = ::open(pipe.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    const auto open = [](const fs::path& path) { TFileStream stream(path, TFileMode::fmOpenRead); };
    ExpectError<EReadError>([&] { open(pipe); }, "ファイル \"" + pipe.string() + "\" を開けません。通常のファイルではありません");
    ::close(writer);
    ExpectError<EReadError>([&] { open("/dev/null"); }, "ファイル \"/dev/null\" を開けません。通常のファイルではありません");
    ExpectError<EReadError>([&] { open(temp.Path()); }, "ファイル \"" + temp.Path().string() + "\" を開けません。Is a directory");
}
