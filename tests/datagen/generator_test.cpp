// SPDX-License-Identifier: MIT
// The generator as a program: it writes the complete pack, the same bytes on every run, and fails
// cleanly on a bad command line or an output folder it cannot create.
#include <gtest/gtest.h>

#include <fstream>

#include "pack_fixture.h"
#include "support/data_folder.h"

using namespace packtest;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> expectedFiles()
{
    std::vector<std::string> files = {"font.dat", "title.bmp",  "back.bmp",     "menu.wav",
                                      "go.wav",   "timeup.wav", "allright.wav", "mi_movie.mid"};
    for (int i = 0; i < 9; ++i)
        files.push_back("font_" + std::to_string(i) + ".bmp");
    for (const std::string& name : textureNames()) {
        for (int i = 0; i < 8; ++i)
            files.push_back(name + "_" + std::to_string(i) + ".bmp");
    }
    return files;
}

} // namespace

TEST(GeneratorTest, WritesEveryFileOfThePackIntoANewFolder)
{
    ASSERT_FALSE(freshPack().empty()) << "the generator failed";
    for (const std::string& file : expectedFiles()) {
        EXPECT_TRUE(fs::is_regular_file(freshPack() / file)) << file << " missing";
    }
}

TEST(GeneratorTest, OutputIsTheSameOnEveryRun)
{
    // The build's own pack was written by an earlier run of the same program.
    ASSERT_FALSE(freshPack().empty()) << "the generator failed";
    const fs::path built = ROLIQUO_DATA_DIR;
    if (!fs::exists(built / "font.dat"))
        GTEST_SKIP() << "the build has not generated its data pack";
    for (const std::string& file : expectedFiles()) {
        EXPECT_TRUE(readBytes(freshPack() / file) == readBytes(built / file)) << file << " differs between runs";
    }
}

TEST(GeneratorTest, RefusesABadCommandLineAndAnUnwritableFolder)
{
    EXPECT_EQ(runGenerator(""), 2) << "no folder given";
    EXPECT_EQ(runGenerator("a b"), 2) << "two folders given";
    testsupport::TempFolder folder;
    const fs::path blocker = folder.path() / "file";
    std::ofstream(blocker) << "not a folder";
    EXPECT_EQ(runGenerator("'" + (blocker / "pack").string() + "'"), 1) << "a folder inside a file";
}
