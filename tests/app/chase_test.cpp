// SPDX-License-Identifier: MIT
// Records, ghosts and the records page through whole games on a flat level: a record is booked at the
// finish with a replay the level tool verifies, kept against slower runs and replaced by faster ones,
// never carried to a changed map, and a damaged records file is kept aside; the ghost of a run is drawn
// where that run was at the same round time, the gap to it has the sign and size of a known delay, and
// Tab and --records list the records.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "chase/ghost.h"
#include "platform/headless/headless.h"
#include "platform/touch.h"
#include "render/projection.h"
#include "replay/file_hash.h"
#include "scores/level_records.h"
#include "screen/chase_view.h"
#include "screen/game_state.h"
#include "screen/records_page.h"
#include "sim/sim_state.h"
#include "support/game_driver.h"
#include "support/run_command.h"

namespace fs = std::filesystem;
using testsupport::GameDriver;
using testsupport::holdKeys;
using testsupport::runCommand;

namespace {

// 60 counts a second: the countdown goes in ticks of 30 counts (0.5 s, 52 to 45 exactly), the run in
// ticks of 2 (1/30 s), the same in every game, so round times line up from game to game.
constexpr uint64_t CountsPerSecond = 60;
constexpr uint64_t CountdownCounts = 30;
constexpr uint64_t RunCounts = 2;
constexpr int TicksPerSecond = 30;

struct Played {
    float seconds = 0.0f;          // the time booked
    std::vector<Vec3> positions;   // the marble after each run tick from the start signal on
    std::vector<float> roundTimes; // 45 - RoundClock after each of them
};

// A new game of the one flat level: the countdown, `waitTicks` ticks without keys, then Up and Shift
// until the run is over. `during` runs after every run tick.
Played playLevel(GameDriver& game, int waitTicks, const std::function<void(int tick)>& during = {},
                 int lastTick = 60 * TicksPerSecond)
{
    Played played;
    game.startNewGame();
    holdKeys("");
    while (GameState == Playing && RoundClock > PlayingSeconds)
        game.tickCounts(CountdownCounts);
    for (int tick = 0; GameState == Playing && LevelNumber == 1 && tick <= lastTick; ++tick) {
        holdKeys(tick < waitTicks ? "" : "US");
        game.tickCounts(RunCounts);
        played.positions.push_back(TheMarble.position);
        played.roundTimes.push_back(PlayingSeconds - RoundClock);
        if (during)
            during(tick);
    }
    holdKeys("");
    played.seconds = LevelTimes.empty() ? 0.0f : LevelTimes[0];
    return played;
}

std::vector<LevelTime> recordsOnDisk(const GameDriver& game)
{
    std::vector<LevelTime> times;
    std::string error;
    EXPECT_TRUE(parseLevelTimes(game.readFile("records/records.dat"), LevelRecordsHeader, times, error)) << error;
    return times;
}

std::string hashOf(const GameDriver& game, const std::string& name)
{
    return sha256Hex(game.readFile(name));
}

std::string recordReplay(const GameDriver& game)
{
    return "records/" + levelReplayFileName("level1.map", hashOf(game, "level1.map"));
}

std::string real(float value)
{
    char text[32];
    snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

GameDriver& freshGame(std::optional<GameDriver>& slot)
{
    slot.emplace(GameDriver::Data::Small, 1);
    headless::setCounterFrequency(CountsPerSecond);
    return *slot;
}

TEST(LevelRecords, ABetterTimeReplacesTheRecordWithAReplayThatVerifies)
{
    std::optional<GameDriver> slot;
    GameDriver& game = freshGame(slot);
    ASSERT_TRUE(game.start());
    const std::string hash = hashOf(game, "level1.map");

    const struct {
        const char* run;
        int waitTicks;
        bool replaces;
    } runs[] = {{"first run", 15, true}, {"slower run", 30, false}, {"faster run", 0, true}};
    float record = 0.0f;
    for (const auto& run : runs) {
        SCOPED_TRACE(run.run);
        Played played = playLevel(game, run.waitTicks);
        ASSERT_GT(played.seconds, 0.0f);
        ASSERT_LE(played.seconds, PlayingSeconds) << "the flat level was not finished";
        if (run.replaces) {
            EXPECT_TRUE(record == 0.0f || played.seconds < record);
            record = played.seconds;
        } else {
            EXPECT_GT(played.seconds, record);
        }
        std::vector<LevelTime> disk = recordsOnDisk(game);
        ASSERT_EQ(disk.size(), 1u);
        EXPECT_EQ(disk[0].mapName, "level1.map");
        EXPECT_EQ(disk[0].mapHash, hash);
        EXPECT_EQ(disk[0].seconds, record);
        EXPECT_TRUE(game.fileExists(recordReplay(game)));
    }

    int status = -1;
    std::string out =
        runCommand(std::string("'") + ROLIQUO_BINARY_DIR + "/roliquo-level' verify --data '" + game.folder().string() +
                       "' '" + (game.folder() / recordReplay(game)).string() + "' 2>&1",
                   status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("level 1 level1.map: " + real(record) + " s"), std::string::npos) << out;
}

TEST(LevelRecords, AChangedMapStartsWithoutARecord)
{
    std::optional<GameDriver> slot;
    GameDriver& game = freshGame(slot);
    ASSERT_TRUE(game.start());
    Played fast = playLevel(game, 0);
    game.writeFile("level1.map", testsupport::flatLevelText(0x102030u));
    Played slow = playLevel(game, 30);
    ASSERT_GT(slow.seconds, fast.seconds);
    EXPECT_FALSE(TheChaseView.lastFinish.hadRecord) << "the old map's record was held against the changed map";
    std::vector<LevelTime> disk = recordsOnDisk(game);
    ASSERT_EQ(disk.size(), 2u) << "the changed map books a record of its own beside the old one";
    EXPECT_EQ(disk[1].mapHash, hashOf(game, "level1.map"));
    EXPECT_EQ(disk[1].seconds, slow.seconds);
    EXPECT_EQ(disk[0].seconds, fast.seconds);
}

TEST(LevelRecords, ADamagedRecordsFileIsKeptAsideAndANewOneStarted)
{
    std::optional<GameDriver> slot;
    GameDriver& game = freshGame(slot);
    fs::create_directory(game.folder() / "records");
    const std::string damaged = "roliquo-records 1\nlevel1.map not-a-hash 3.5\n";
    game.writeFile("records/records.dat", damaged);
    ASSERT_TRUE(game.start());
    EXPECT_TRUE(TheRecordBook.records.empty());
    Played played = playLevel(game, 0);
    EXPECT_EQ(game.readFile("records/records.dat.damaged"), damaged);
    std::vector<LevelTime> disk = recordsOnDisk(game);
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_EQ(disk[0].seconds, played.seconds);
}

TEST(LevelRecords, TabTurnsToTheRecordsPageAndRecordsPrintsTheSame)
{
    std::optional<GameDriver> slot;
    GameDriver& game = freshGame(slot);
    ASSERT_TRUE(game.start());
    Played played = playLevel(game, 0);
    for (char letter : std::string("ABC")) {
        game.press(letter);
        game.tick(0.1);
    }
    ASSERT_EQ(GameState, BestTimes);
    game.tick(0.1);
    const headless::Frame bestTimes = headless::lastSwapped();
    game.press(VkTab);
    game.tick(0.1);
    ASSERT_TRUE(TheRecordsPage.shown);
    ASSERT_EQ(TheRecordsPage.rows.size(), 1u);
    EXPECT_TRUE(TheRecordsPage.rows[0].hasRecord);
    EXPECT_EQ(TheRecordsPage.rows[0].record, played.seconds);
    EXPECT_FALSE(TheRecordsPage.rows[0].hasPar) << "a player's own map has no par";
    EXPECT_NE(headless::lastSwapped().rgba, bestTimes.rgba) << "the records page looks like the table";
    game.press(VkTab);
    game.tick(0.1);
    EXPECT_FALSE(TheRecordsPage.shown);
    EXPECT_EQ(headless::lastSwapped().rgba, bestTimes.rgba) << "Tab again does not bring the table back";

    char shown[32];
    snprintf(shown, sizeof shown, "%.2f", static_cast<double>(played.seconds));
    int status = -1;
    std::string out = runCommand(
        "cd '" + game.folder().string() + "' && '" + ROLIQUO_BINARY_DIR + "/roliquo' --records 2>&1", status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("level1.map"), std::string::npos) << out;
    EXPECT_NE(out.find(shown), std::string::npos) << out;
    EXPECT_NE(out.find(std::string("sum of best ") + shown), std::string::npos) << out;
}

// Where the frame shows a ball at `position` on flat ground: its centre 20 above, projected as the
// board is (x' = 1.25 cx / cz, y' = 1.666667 cy / cz) onto 640 x 480, y from the top.
void screenPoint(Vec3 position, int& x, int& y, float& radius)
{
    Vec3 c = toCameraSpace(TheCamera.transform, {position.x, position.y, position.z - 20.0f});
    x = static_cast<int>((1.25 * c.x / c.z + 1.0) * 320.0);
    y = static_cast<int>((1.0 - 1.666667 * c.y / c.z) * 240.0);
    radius = static_cast<float>(6400.0 / c.z);
}

TEST(Ghost, TheRecordRollsWhereItsRunWasAtTheSameRoundTimeAndGoesWithTheGhostOff)
{
    std::optional<GameDriver> slot;
    GameDriver& game = freshGame(slot);
    ASSERT_TRUE(game.start());
    Played recorded = playLevel(game, 0);
    game.press(VkF7);
    ASSERT_EQ(TheChase.ghost, GhostChoice::Record);

    constexpr int At = TicksPerSecond; // one second after the start signal
    bool checked = false;
    playLevel(
        game, 1000,
        [&](int tick) {
            if (tick != At)
                return;
            checked = true;
            ASSERT_FALSE(TheChaseView.ghost.empty());
            ASSERT_FLOAT_EQ(PlayingSeconds - RoundClock, recorded.roundTimes[At]);
            int x = 0, y = 0;
            float radius = 0.0f;
            screenPoint(recorded.positions[At], x, y, radius);
            ASSERT_GT(radius, 3.0f);
            ASSERT_TRUE(x >= 0 && x < 640 && y >= 0 && y < 480) << x << ", " << y;
            const headless::Frame on = headless::lastSwapped();
            game.press({VkF7, VkF7});
            ASSERT_EQ(TheChase.ghost, GhostChoice::Off);
            game.tickCounts(0);
            const headless::Frame& off = headless::lastSwapped();
            auto difference = [&](int px, int py) {
                int sum = 0;
                for (int i = 0; i < 3; ++i)
                    sum += std::abs(on.at(px, py)[i] - off.at(px, py)[i]);
                return sum;
            };
            // Fogged at that distance, the disc shows as a lighter patch over the board.
            EXPECT_GT(difference(x, y), 30) << "no ghost at " << x << ", " << y << " (or it stays with the ghost off)";
            const int beside = static_cast<int>(3.0f * radius) + 2;
            EXPECT_EQ(difference(x - beside, y), 0) << "the frames differ away from the ghost";
            EXPECT_EQ(difference(x + beside, y), 0) << "the frames differ away from the ghost";
        },
        At);
    EXPECT_TRUE(checked);
}

// The share of the figure's box (under the clock) in the given colour.
int pixelsOf(bool green)
{
    const headless::Frame& frame = headless::lastSwapped();
    int count = 0;
    for (int y = 40; y < 52; ++y) {
        for (int x = 285; x < 345; ++x) {
            const uint8_t* p = frame.at(x, y);
            bool isGreen = p[1] > 200 && p[0] < 60;
            bool isRed = p[0] > 200 && p[1] < 60;
            count += green ? isGreen : isRed;
        }
    }
    return count;
}

TEST(Ghost, TheGapIsTheDelayBetweenARunAndItsCopy)
{
    std::optional<GameDriver> slot;
    GameDriver& game = freshGame(slot);
    ASSERT_TRUE(game.start());
    constexpr int Delay = TicksPerSecond; // one second
    constexpr int At = 5 * TicksPerSecond;
    playLevel(game, Delay); // the record: the run a second late
    game.press(VkF7);
    ASSERT_EQ(TheChase.ghost, GhostChoice::Record);

    const struct {
        const char* run;
        int waitTicks;
        float gap;
        bool green;
    } runs[] = {{"on time against the late record", 0, -1.0f, true},
                {"late against the record on time", Delay, 1.0f, false}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.run);
        bool checked = false;
        playLevel(game, run.waitTicks, [&](int tick) {
            if (tick != At)
                return;
            checked = true;
            float gap = 0.0f;
            ASSERT_TRUE(ghostGap(TheChaseView.ghost, PlayingSeconds - RoundClock, TheMarble.position.y, gap));
            EXPECT_NEAR(gap, run.gap, 1e-3);
            EXPECT_GT(pixelsOf(run.green), 10) << "the figure is not drawn in its colour";
            EXPECT_EQ(pixelsOf(!run.green), 0) << "the figure is drawn in the other colour";
        });
        EXPECT_TRUE(checked);
    }
}

TEST(Ghost, AReplayOfAnotherMapOrSimulationShowsNoGhost)
{
    std::optional<GameDriver> slot;
    GameDriver& game = freshGame(slot);
    ASSERT_TRUE(game.start());
    playLevel(game, 0);
    const fs::path copy = game.folder() / "ghost.replay";
    fs::copy_file(game.folder() / recordReplay(game), copy);
    std::string error;
    // Recorded by another simulation, the same keys may roll elsewhere: refused, saying why.
    std::string text = game.readFile("ghost.replay");
    const std::string ours = "#@ simulation 1\n";
    ASSERT_NE(text.find(ours), std::string::npos);
    game.writeFile("other.replay", text.replace(text.find(ours), ours.size(), "#@ simulation 7\n"));
    EXPECT_FALSE(loadGhostFile((game.folder() / "other.replay").string(), error));
    EXPECT_NE(error.find("recorded with simulation 7; this is simulation 1"), std::string::npos) << error;
    ASSERT_TRUE(loadGhostFile(copy.string(), error)) << error;
    ASSERT_EQ(TheChase.ghost, GhostChoice::File);
    playLevel(
        game, 1000,
        [&](int tick) {
            if (tick == 0) {
                EXPECT_FALSE(TheChaseView.ghost.empty()) << "the matching replay gives no ghost";
            }
        },
        0);
    game.writeFile("level1.map", testsupport::flatLevelText(0x102030u));
    playLevel(
        game, 1000,
        [&](int tick) {
            if (tick == 0) {
                EXPECT_TRUE(TheChaseView.ghost.empty()) << "a replay of the map as it was is shown on the changed map";
            }
        },
        0);
}

TEST(Settings, TheGhostChoiceAndTheWindowAreKeptAndReadLeniently)
{
    std::optional<GameDriver> slot;
    GameDriver& game = freshGame(slot);
    TheSettings.path = (game.folder() / "config/roliquo/settings").string();
    ASSERT_TRUE(game.start());
    game.press(VkF7);
    EXPECT_NE(game.readFile("config/roliquo/settings").find("ghost record\n"), std::string::npos);
    game.press(VkF7);
    EXPECT_NE(game.readFile("config/roliquo/settings").find("ghost par\n"), std::string::npos);

    const struct {
        const char* text;
        GhostChoice expected;
    } cases[] = {
        {"ghost record\n", GhostChoice::Record},
        {"# a comment\n\nghost   par", GhostChoice::Par},
        {"ghost sideways\n", GhostChoice::Off},
        {"ghost file\n", GhostChoice::Off},
        {"# ghost par\n", GhostChoice::Off},
        {"ghost\nwindow 640 480\nghost par extra\n", GhostChoice::Off},
        {"\x01\xff ghost record\nghost record", GhostChoice::Record},
    };
    for (const auto& c : cases) {
        TheChase.ghost = GhostChoice::Off;
        applySettingsText(c.text);
        EXPECT_EQ(TheChase.ghost, c.expected) << c.text;
    }
    const struct {
        const char* text;
        platform::WindowPlacement expected;
    } windows[] = {
        {"window 800 600\nfullscreen yes\n", {800, 600, true}},
        {"window 1024 768 2\nfullscreen maybe\n", {}},
        {"window 0 600\nwindow -5 5\nwindow 99999 480\nwindow 8x0 6\nwindow 800\n", {}},
        {"fullscreen no\nwindow 1280 960\n", {1280, 960, false}},
    };
    for (const auto& c : windows) {
        TheSettings.window = {};
        applySettingsText(c.text);
        EXPECT_EQ(TheSettings.window, c.expected) << c.text;
    }
    // A window the player resized is kept at exit; one left as it started writes nothing.
    TheSettings.window = {};
    TheChase.ghost = GhostChoice::Par;
    std::filesystem::remove(TheSettings.path);
    platform::WindowPlacement atStart = platform::windowPlacement();
    keepWindowPlacement(atStart);
    EXPECT_FALSE(std::filesystem::exists(TheSettings.path));
    ASSERT_TRUE(headless::setFrameSize(1000, 750));
    keepWindowPlacement(atStart);
    EXPECT_NE(game.readFile("config/roliquo/settings").find("window 1000 750\nfullscreen no\n"), std::string::npos);
    EXPECT_NE(game.readFile("config/roliquo/settings").find("ghost par\n"), std::string::npos);
    TheSettings.window = {};
    applySettingsText(game.readFile("config/roliquo/settings"));
    EXPECT_EQ(TheSettings.window, (platform::WindowPlacement{1000, 750, false}));
    TheSettings.window = {};

    // The touch controls' lines: each bad one reported by its number, the good ones kept and written
    // back only where they differ from the defaults.
    TheTouchSettings = {};
    EXPECT_EQ(applySettingsText("touch stick right\ntilt sensitivity 0\ntilt on\ntilt sensitivity 11\n"
                                "touch stick up\ntilt sensitivity 8\ntilt maybe\n"),
              (std::vector<std::string>{
                  "line 2: \"tilt sensitivity 0\" means nothing", "line 4: \"tilt sensitivity 11\" means nothing",
                  "line 5: \"touch stick up\" means nothing", "line 7: \"tilt maybe\" means nothing"}));
    EXPECT_EQ(TheTouchSettings, (TouchSettings{true, true, 8}));
    EXPECT_NE(formatSettings().find("touch stick right\ntilt on\ntilt sensitivity 8\n"), std::string::npos);
    TheTouchSettings = {};
    EXPECT_EQ(formatSettings().find("touch"), std::string::npos);
    EXPECT_EQ(formatSettings().find("tilt"), std::string::npos);

    EXPECT_EQ(chooseSettingsPath("/cfg", "/home/p"), "/cfg/roliquo/settings");
    EXPECT_EQ(chooseSettingsPath("relative", "/home/p"), "/home/p/.config/roliquo/settings");
    EXPECT_EQ(chooseSettingsPath("", ""), "");
}

} // namespace
