#include "app/shell/program_options.h"

#include <gtest/gtest.h>

namespace quilmo {
namespace {

TEST(ProgramOptions, DoubleDashArgumentsAreOptionsAndTheRestPictures)
{
    const TProgramOptions options =
        ParseProgramOptions({"a b.jpg", "--quit-after-start", "-x.png", "c.png", "--", "--version"});
    EXPECT_TRUE(options.QuitAfterStart);
    EXPECT_FALSE(options.Version) << "after -- every argument is a picture";
    EXPECT_EQ(options.Pictures, (std::vector<std::string>{"a b.jpg", "-x.png", "c.png", "--version"}));
    EXPECT_TRUE(options.Error.empty());

    EXPECT_TRUE(ParseProgramOptions({"--version"}).Version);
    EXPECT_EQ(ParseProgramOptions({"--versions", "a.png"}).Error, "不明なオプション --versions");
}

}  // namespace
}  // namespace quilmo
