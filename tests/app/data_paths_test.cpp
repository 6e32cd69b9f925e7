// SPDX-License-Identifier: MIT
// Where the game finds its files: a working folder with maplist.dat is played as is, otherwise the pack
// installed beside the executable, with the best times in the player's XDG data folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/data_paths.h"
#include "level/file_fixture.h"
#include "scores/high_score_folder.h"

namespace {

namespace fs = std::filesystem;

class DataPathsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(root / "games");
        writeFile((root / "games/roliquo").string(), "the game");
        fs::create_directories(pack);
        writeFile((pack / "maplist.dat").string(), "1\nmeadow.map\n");
        fs::create_directories(root / "levels");
        writeFile((root / "levels/maplist.dat").string(), "1\nmine.map\n");
        fs::create_directories(root / "elsewhere");
        fs::create_directories(root / "odd/maplist.dat");
    }
    void TearDown() override { TheHighScoreFile.folder.clear(); }

    TempFolder folder;
    fs::path root = folder.path();
    fs::path pack = (root / "games" / InstalledDataRelative).lexically_normal();
};

TEST_F(DataPathsTest, WorkingFolderOrInstalledPack)
{
    const std::string game = (root / "games/roliquo").string();
    const std::string installed = pack.string();
    const struct {
        const char* what;
        DataPathInputs inputs;
        std::string dataFolder;
        std::string highScoreFolder;
    } cases[] = {
        {"a folder with maplist.dat is played as is", {(root / "levels").string(), game, "/xdg", "/home/p"}, "", ""},
        {"XDG_DATA_HOME", {(root / "elsewhere").string(), game, "/xdg", "/home/p"}, installed, "/xdg/roliquo"},
        {"no XDG_DATA_HOME",
         {(root / "elsewhere").string(), game, "", "/home/p"},
         installed,
         "/home/p/.local/share/roliquo"},
        {"a relative XDG_DATA_HOME is ignored",
         {(root / "elsewhere").string(), game, "data", "/home/p"},
         installed,
         "/home/p/.local/share/roliquo"},
        {"a folder named maplist.dat is no map list",
         {(root / "odd").string(), game, "", "/home/p"},
         installed,
         "/home/p/.local/share/roliquo"},
        {"no pack beside the executable",
         {(root / "elsewhere").string(), (root / "elsewhere/bin/roliquo").string(), "", "/home/p"},
         "",
         ""},
        {"executable unknown", {(root / "elsewhere").string(), "", "", "/home/p"}, "", ""},
    };
    for (const auto& c : cases) {
        DataPaths paths = chooseDataPaths(c.inputs);
        EXPECT_EQ(paths.dataFolder, c.dataFolder) << c.what;
        EXPECT_EQ(paths.highScoreFolder, c.highScoreFolder) << c.what;
    }
}

TEST_F(DataPathsTest, ApplyingEntersThePackAndPointsTheBestTimesHome)
{
    ASSERT_TRUE(applyDataPaths({pack.string(), (root / "home/.local/share/roliquo").string()}));
    EXPECT_TRUE(fs::equivalent(fs::current_path(), pack));
    EXPECT_EQ(highScorePath(), (root / "home/.local/share/roliquo/highScore.dat").string());
    EXPECT_FALSE(applyDataPaths({(root / "missing").string(), ""})) << "a pack that cannot be entered";
}

} // namespace
