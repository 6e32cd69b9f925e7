// SPDX-License-Identifier: MIT
// Keeping replays: safe file names, no save overwriting another, and the pruning that keeps the runs of
// the table and each level's best run, with real files in a temporary folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "replay/replay_store.h"
#include "support/data_folder.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

std::tm date(int year, int month, int day)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    return t;
}

Replay oneLevelRun(float total, const std::string& name, const std::string& map, char hash, float booked)
{
    Replay replay;
    ReplayLevel level;
    level.mapName = map;
    level.mapHash = std::string(64, hash);
    level.startClock = 52.0f;
    level.bookedSeconds = booked;
    level.ticks = {{0.02f, SteerUp, 0}};
    replay.levels = {level};
    replay.total = total;
    replay.name = name;
    return replay;
}

std::vector<std::string> filesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ReplayStore, FileNamesHoldDateTotalAndASafeName)
{
    struct Case {
        float total;
        std::string name;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {123.45f, "ABC", "2026-12-08_0123.45_ABC.replay"},
        {83.5f, "---", "2026-12-08_0083.50_---.replay"},
        {1800.0f, "../x y", "2026-12-08_1800.00____x_y.replay"},
        {9.4f, std::string(40, 'Z'), "2026-12-08_0009.40_" + std::string(32, 'Z') + ".replay"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(replayFileName(date(2026, 12, 8), c.total, c.name), c.expected) << c.name;

    // The name a table row stands as: the typing cursor dropped, an empty name as "---".
    EXPECT_EQ(replayNameOf("AB_"), "AB");
    EXPECT_EQ(replayNameOf("_"), "---");
    EXPECT_EQ(replayNameOf("ABC"), "ABC");
}

TEST(ReplayStore, ASecondRunWithTheSameNameIsNotOverwritten)
{
    testsupport::TempFolder folder;
    fs::path replays = folder.path() / "replays"; // made by the first save
    Replay run = oneLevelRun(9.5f, "ABC", "a.map", 'a', 9.5f);
    std::string first = writeReplayFile(replays.string(), run, date(2026, 12, 8));
    std::string second = writeReplayFile(replays.string(), run, date(2026, 12, 8));
    EXPECT_EQ(fs::path(first).filename(), "2026-12-08_0009.50_ABC.replay");
    EXPECT_EQ(fs::path(second).filename(), "2026-12-08_0009.50_ABC-2.replay");
    EXPECT_EQ(filesIn(replays),
              (std::vector<std::string>{"2026-12-08_0009.50_ABC-2.replay", "2026-12-08_0009.50_ABC.replay"}))
        << "no temporary file is left behind";
    Replay read;
    ReplayError error;
    ASSERT_TRUE(readReplayFile(second, read, error)) << error.message;
    EXPECT_EQ(read.name, "ABC");
}

TEST(ReplayStore, PruningKeepsTheTablesRunsAndEachLevelsBest)
{
    testsupport::TempFolder folder;
    struct Stored {
        const char* file;
        Replay run;
        bool kept;
        const char* why;
    };
    const std::vector<Stored> stored = {
        {"2026-01-01_0100.00_AAA.replay", oneLevelRun(100.0f, "AAA", "a.map", 'a', 40.0f), true, "in the table"},
        {"2026-01-02_0200.00_BBB.replay", oneLevelRun(200.0f, "BBB", "a.map", 'a', 30.0f), true,
         "the best time of a.map"},
        {"2026-01-03_0150.00_CCC.replay", oneLevelRun(150.0f, "CCC", "a.map", 'a', 50.0f), false,
         "out of the table and no level's best"},
        {"2026-01-04_0160.00_CCC.replay", oneLevelRun(160.0f, "CCC", "a.map", 'b', 60.0f), true,
         "the only run on the other version of a.map"},
        {"2026-01-05_0120.00_DDD.replay", oneLevelRun(120.00001f, "DDD", "b.map", 'a', 225.0f), true,
         "in the table as read back from its file, six digits, name still being typed"},
        {"2026-01-06_0090.00_EEE.replay", oneLevelRun(90.0f, "EEE", "b.map", 'a', 225.0f), false,
         "no finished level and out of the table"},
    };
    for (const Stored& s : stored)
        testsupport::writeText(folder.path() / s.file, formatReplay(s.run));
    testsupport::writeText(folder.path() / "notes.replay", "not a replay");

    std::vector<TableRow> table = {{100.0f, "AAA"}, {120.0f, "DDD_"}};
    for (int i = 2; i < 10; ++i)
        table.push_back({999.0f, "zzz"});
    pruneReplays(folder.path().string(), table);

    for (const Stored& s : stored)
        EXPECT_EQ(fs::exists(folder.path() / s.file), s.kept) << s.file << ": " << s.why;
    EXPECT_TRUE(fs::exists(folder.path() / "notes.replay")) << "a file that is no replay is not ours to remove";
}

} // namespace
