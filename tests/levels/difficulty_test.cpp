// SPDX-License-Identifier: MIT
// roliquo-level difficulty: the perturbed runs of a shipped level's par route give the same line every
// time, on every compiler; a level without a route is refused; the checker warns about a par route no
// perturbed run of which finishes.
#include <gtest/gtest.h>

#include <filesystem>

#include "level_tool_runner.h"
#include "replay/file_hash.h"
#include "scores/level_records.h"

namespace {

const char* const FlatMap = "fogcolor= 0x8090a0\n"
                            "marblecolor= 0xff2020\n"
                            "holecount= 1\n"
                            ".data\n"
                            "300 0 60 150\n"
                            ".end\n";

TEST(LevelDifficulty, TheParRouteOfAShippedLevelGivesItsStoredFigures)
{
    // The figures depend only on the map, its par route and the fixed seed: this line holds for every
    // build; a change to the physics, the solver's routes or the draws changes it on purpose.
    const std::string expected = "finish 15.0% median +0.07 s over par\n";
    std::string map = dataPackPath("meadow.map");
    ToolRun first = runLevelTool({"difficulty", "--runs", "40", map});
    ASSERT_EQ(first.status, 0) << first.errors;
    EXPECT_EQ(first.output, expected);
    ToolRun again = runLevelTool({"difficulty", "--runs", "40", map});
    EXPECT_EQ(again.output, first.output);
    // The par route found in the pack is the stored solver route.
    ToolRun given =
        runLevelTool({"difficulty", "--runs", "40", "--route", levelTestsPath("solutions/meadow.input"), map});
    EXPECT_EQ(given.output, first.output) << given.errors;
}

TEST(LevelDifficulty, ALevelWithoutARouteIsRefused)
{
    TempFolder folder;
    std::string map = folder.file("plain.map");
    writeTextFile(map, FlatMap);
    ToolRun run = runLevelTool({"difficulty", map});
    EXPECT_EQ(run.status, 2) << run.output;
    EXPECT_EQ(run.output, "");
    EXPECT_NE(run.errors.find("no par route"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("--route FILE"), std::string::npos) << run.errors;
}

TEST(LevelDifficulty, TheCheckerWarnsAboutAParRouteWithNoRoomForError)
{
    TempFolder folder;
    std::string map = folder.file("plain.map");
    writeTextFile(map, FlatMap);
    std::string hash;
    ASSERT_TRUE(hashFile(map, hash));
    std::filesystem::create_directory(folder.file(ParFolder));
    // Ten seconds of no keys: the marble never leaves the start, in any perturbed run.
    std::string route;
    for (int tick = 0; tick < 600; ++tick)
        route += "0.0166666675 -\n";
    writeTextFile(folder.file(std::string(ParFolder) + "/" + levelReplayFileName("plain.map", hash)), route);
    ToolRun run = runLevelTool({"check", map});
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find(map + ": warning: none of 64 runs of the par route par/plain.map-"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("(the route itself does not finish)"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(map + ": sound, 1 hole"), std::string::npos) << run.output;
}

} // namespace
