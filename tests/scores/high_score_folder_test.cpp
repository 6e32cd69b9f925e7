// SPDX-License-Identifier: MIT
// The best-times file in a folder of its own, as an installed game keeps it: the folder and its
// missing parents are made on the first save, private to the player, and the table reads back from it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "level/file_fixture.h"
#include "scores/high_score_folder.h"
#include "scores/high_scores.h"

namespace {

class HighScoreFolderTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        TheHighScoreFile.folder.clear();
        setDefaultHighScores();
    }
    TempFolder folder;
};

mode_t modeOf(const std::filesystem::path& path)
{
    struct stat info { };
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 0777;
}

TEST_F(HighScoreFolderTest, FirstSaveMakesThePrivateFolderAndTheTableReadsBack)
{
    const std::filesystem::path home = folder.path() / "home";
    const struct {
        const char* what;
        std::string folder;
    } cases[] = {
        {"missing parents", (home / ".local/share/roliquo").string()},
        {"a trailing slash", (home / "other/roliquo/").string()},
        {"a folder that exists", (home / ".local/share/roliquo").string()},
    };
    for (const auto& c : cases) {
        TheHighScoreFile.folder = c.folder;
        setDefaultHighScores();
        HighScores[0].time = 31.5f;
        HighScores[0].name = "abc";
        ASSERT_TRUE(writeHighScores()) << c.what;
        const std::filesystem::path saved = std::filesystem::path(c.folder) / "highScore.dat";
        ASSERT_TRUE(std::filesystem::is_regular_file(saved)) << c.what;
        EXPECT_EQ(modeOf(saved.parent_path()), 0700u) << c.what;
        setDefaultHighScores();
        readHighScores();
        EXPECT_EQ(HighScores[0].time, 31.5f) << c.what << ": the table does not read back";
        EXPECT_EQ(HighScores[0].name, "abc") << c.what;
    }
    EXPECT_EQ(modeOf(home / ".local"), 0700u) << "a parent made for the file is private too";
    EXPECT_FALSE(std::filesystem::exists("highScore.dat")) << "nothing is written to the working folder";
}

TEST_F(HighScoreFolderTest, EmptyFolderMeansTheWorkingFolder)
{
    EXPECT_EQ(highScorePath(), "highScore.dat");
    ASSERT_TRUE(writeHighScores());
    EXPECT_TRUE(std::filesystem::is_regular_file("highScore.dat"));
}

TEST_F(HighScoreFolderTest, AFolderThatCannotBeMadeFailsTheSave)
{
    writeFile("plain", "a file where a folder should go");
    TheHighScoreFile.folder = folder.file("plain/roliquo");
    EXPECT_FALSE(writeHighScores());
    EXPECT_EQ(readFile("plain"), "a file where a folder should go");
}

} // namespace
