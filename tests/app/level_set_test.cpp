// SPDX-License-Identifier: MIT
// Level sets through whole games: a set is refused for a damaged set.dat, a missing map, a map or a
// folder outside the pack; Page Down on the title chooses a set, whose first level books its record and
// best time into that set's own files and no other, the choice is kept, its caption shows; an unknown
// --set exits 2 naming the sets there are.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/set_choice.h"
#include "app/settings.h"
#include "level/level_set.h"
#include "level/map_list.h"
#include "platform/headless/headless.h"
#include "scores/high_scores.h"
#include "screen/game_state.h"
#include "screen/set_caption.h"
#include "sim/sim_state.h"
#include "support/game_driver.h"
#include "support/run_command.h"

namespace fs = std::filesystem;
using testsupport::GameDriver;
using testsupport::holdKeys;
using testsupport::runCommand;
using testsupport::writeText;

namespace {

const char* const GoodSetFile = "name Steep Set\ndescription Harder flat levels, for the test.\n";

// sets/NAME/ with one flat map of its own and the "flat" texture beside it.
void writeSet(const fs::path& top, const std::string& name, const std::string& setFile, const std::string& list)
{
    const fs::path folder = top / "sets" / name;
    fs::create_directories(folder);
    writeText(folder / "set.dat", setFile);
    writeText(folder / "maplist.dat", list);
    writeText(folder / "steep.map", testsupport::flatLevelText(0x405060u));
    for (int level = 0; level < 8; ++level) {
        const std::string image = "flat_" + std::to_string(level) + ".bmp";
        fs::copy_file(testsupport::smallDataSet() / image, folder / image);
    }
}

std::vector<std::string> setNames(const std::vector<LevelSet>& sets)
{
    std::vector<std::string> names;
    for (const LevelSet& set : sets)
        names.push_back(set.name);
    return names;
}

} // namespace

TEST(LevelSets, OnlySetsThatLoadAreOfferedAndEachRefusalSaysWhy)
{
    GameDriver game(GameDriver::Data::Small, 1);
    const fs::path top = game.folder();
    writeSet(top, "good", GoodSetFile, "1\nsteep.map");
    writeSet(top, "damaged", "name Steep\ndescription \x01 not printable\n", "1\nsteep.map");
    writeSet(top, "long", "name " + std::string(25, 'x') + "\ndescription d\n", "1\nsteep.map");
    writeSet(top, "missing", GoodSetFile, "1\ngone.map");
    writeSet(top, "climbs", GoodSetFile, "1\n../../level1.map");
    writeSet(top, "nolist", GoodSetFile, "2\nsteep.map");
    fs::create_directories(top / "elsewhere/sets/away");
    writeSet(top / "elsewhere", "away", GoodSetFile, "1\nsteep.map");
    fs::create_directory_symlink(top / "elsewhere/sets/away", top / "sets/away");
    writeSet(top, "bare", GoodSetFile, "1\nsteep.map");
    fs::remove(top / "sets/bare/flat_3.bmp");

    std::vector<std::string> refused;
    std::vector<LevelSet> sets = findLevelSets(top, refused);
    EXPECT_EQ(setNames(sets), (std::vector<std::string>{"main", "good"}));
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].maps, std::vector<std::string>{"level1.map"});
    EXPECT_EQ(sets[1].title, "Steep Set");
    EXPECT_EQ(sets[1].description, "Harder flat levels, for the test.");
    EXPECT_EQ(sets[1].folder, "sets/good/");

    const char* const reasons[] = {"sets/away: the set's folder lies outside the pack",
                                   "sets/bare/steep.map: its texture image flat_3.bmp is not in the set's folder",
                                   "sets/climbs/../../level1.map: a set's maps are files of its own folder",
                                   "sets/damaged/set.dat: line 2: \"description\" must be 0 to 60 printable",
                                   "sets/long/set.dat: line 1: \"name\" must be 1 to 24 printable",
                                   "sets/missing/gone.map: the map is missing",
                                   "sets/nolist/maplist.dat: not a readable level list"};
    ASSERT_EQ(refused.size(), std::size(reasons));
    for (size_t i = 0; i < refused.size(); ++i)
        EXPECT_NE(refused[i].find(reasons[i]), std::string::npos) << refused[i];

    LevelSet parsed;
    std::string error;
    EXPECT_FALSE(parseSetFile("name A\nname B\ndescription c\n", parsed, error));
    EXPECT_EQ(error, "line 2: \"name\" is given twice");
    EXPECT_FALSE(parseSetFile("name A\n", parsed, error));
    EXPECT_FALSE(parseSetFile("name A\ncolour red\ndescription c", parsed, error));
    EXPECT_TRUE(parseSetFile("description \r\nname A B\r\n", parsed, error)) << error;
    EXPECT_EQ(parsed.title, "A B");
}

TEST(LevelSets, ASetChosenOnTheTitleKeepsItsOwnRecordsAndBestTimes)
{
    GameDriver game(GameDriver::Data::Small, 1);
    headless::setCounterFrequency(60);
    writeSet(game.folder(), "steep", GoodSetFile, "1\nsteep.map");
    TheSettings.path = (game.folder() / "config/settings").string();
    ASSERT_TRUE(game.start());
    readLevelSets();
    ASSERT_EQ(TheLevelSets.sets.size(), 2u);
    EXPECT_FALSE(setCaptionShown(platform::counterValue())) << "the first set's title is the picture alone";

    game.press(VkPageDown);
    EXPECT_EQ(chosenLevelSet().name, "steep");
    EXPECT_EQ(MapNames, std::vector<std::string>{"steep.map"});
    EXPECT_NE(game.readFile("config/settings").find("set steep\n"), std::string::npos);
    headless::advanceCounter(600);
    EXPECT_TRUE(setCaptionShown(platform::counterValue())) << "another set's caption stays";

    game.startNewGame();
    holdKeys("US");
    int ticks = game.runTicksUntil([] { return GameState != Playing; }, 60 * 60, 1.0 / 30.0);
    holdKeys("");
    ASSERT_GT(ticks, 0);
    ASSERT_EQ(GameState, NameEntry);
    for (int letter : {'S', 'E', 'T'}) {
        game.press(letter);
        game.tickCounts(1);
    }
    EXPECT_TRUE(game.fileExists("sets/steep/records/records.dat"));
    EXPECT_NE(game.readFile("sets/steep/records/records.dat").find("steep.map "), std::string::npos);
    EXPECT_NE(game.readFile("sets/steep/highScore.dat").find("SET"), std::string::npos);
    EXPECT_FALSE(game.fileExists("records/records.dat")) << "the first set's records stay untouched";
    EXPECT_FALSE(game.fileExists("highScore.dat"));

    game.press(VkSpace);
    game.press(VkPageUp);
    EXPECT_EQ(chosenLevelSet().name, "main");
    EXPECT_NE(HighScores[0].name, "SET") << "the first set shows its own table again";
    EXPECT_TRUE(setCaptionShown(platform::counterValue())) << "a change shows the caption for two seconds";
    headless::advanceCounter(121);
    EXPECT_FALSE(setCaptionShown(platform::counterValue()));
    EXPECT_EQ(game.readFile("config/settings").find("set "), std::string::npos);
}

TEST(LevelSets, AnUnknownSetOnTheCommandLineExitsTwoNamingTheSets)
{
    GameDriver game(GameDriver::Data::Small, 1);
    writeSet(game.folder(), "steep", GoodSetFile, "1\nsteep.map");
    int status = -1;
    const std::string run = "cd '" + game.folder().string() + "' && HOME='" + game.folder().string() +
        "' XDG_CONFIG_HOME= '" + ROLIQUO_BINARY_DIR + "/roliquo' ";
    std::string out = runCommand(run + "--set nowhere --records 2>&1", status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(out.find("no level set 'nowhere'; the sets are: main, steep"), std::string::npos) << out;
    out = runCommand(run + "--set steep --records 2>&1", status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("set steep: Steep Set\n"), std::string::npos) << out;
    EXPECT_NE(out.find("1     steep.map"), std::string::npos) << out;
}
