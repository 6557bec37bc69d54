#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/errors.h"
#include "bigbitmap/stream.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;
namespace fs = std::filesystem;

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

    const uint8_t fresh[] = {9, 9, 9, 9, 9, 9, 9, 9};
    stream.SetPosition(2);
    EXPECT_EQ(stream.Write(fresh, 8), 5);  // never beyond the data block
    EXPECT_EQ(head[1], 2);
    EXPECT_EQ(head[2], 9);
    EXPECT_EQ(data[3], 9);
}

TEST(FileWriting, FailedSaveLeavesTheOldFileAndNoLeftovers)
{
    const fs::path folder = fs::temp_directory_path() / ("quilmo-stream-test-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path target = folder / "picture.bmp";
    std::ofstream(target) << "old";

    EXPECT_THROW(WriteFileAtomically(target,
                                     [](TStream& s) {
                                         s.WriteBuffer("new", 3);
                                         throw EWriteError("disk full");
                                     }),
                 EWriteError);
    std::string content;
    std::ifstream(target) >> content;
    EXPECT_EQ(content, "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    TBigBitmap picture;
    FillPattern(picture, 4, 4);
    picture.SaveToFile(target);
    TBigBitmap back;
    back.LoadFromFile(target);
    EXPECT_EQ(ColourAt(back, 3, 2), Pattern(3, 2));
    EXPECT_THROW(back.LoadFromFile(folder / "missing.bmp"), EReadError);
    fs::remove_all(folder);
}
