// SPDX-License-Identifier: MIT
// Stored solver output (tests/levels/solutions/<map>.input, one-level replays; the Highlands set's under
// solutions/highlands/) replayed by roliquo-level trace finishes every level cleanly, well inside 45 s, at
// the time written down; and the solver still finds it.
#include <gtest/gtest.h>

#include <filesystem>

#include "level_tool_runner.h"

namespace {

std::string solutionPath(const std::string& mapName)
{
    return levelTestsPath("solutions/" + std::filesystem::path(mapName).stem().string() + ".input");
}

// The time on the solution's closing comment "# finished in T s".
float recordedFinishTime(const std::string& solution)
{
    const std::string marker = "# finished in ";
    for (const std::string& line : splitLines(solution))
        if (line.compare(0, marker.size(), marker) == 0)
            return std::stof(line.substr(marker.size()));
    return -1.0f;
}

// Traces the stored route on the map (textures from dataDir) and expects a clean finish well inside 45 s at
// the time written down.
void expectCleanFinish(const std::string& name, const std::string& map, const std::string& solution,
                       const std::string& dataDir = ROLIQUO_DATA_DIR)
{
    ASSERT_TRUE(std::filesystem::exists(solution)) << "no stored solution for " << name;
    ToolRun run = runLevelTool({"trace", "--data", dataDir, map}, solution);
    ASSERT_EQ(run.status, 0) << name << ": " << run.errors;
    int finishedAt = 0, falls = 0;
    float booked = 0.0f;
    std::vector<std::string> lines = splitLines(run.output);
    for (size_t i = 0; i < lines.size() && finishedAt == 0; ++i) {
        std::vector<std::string> f = splitWords(lines[i]);
        ASSERT_EQ(f.size(), 16u) << name << " line " << i + 1;
        if (f[2] == "1")
            ++falls; // every fall sets the freeze to exactly 1
        if (f[3] == "1") {
            finishedAt = static_cast<int>(i) + 1;
            booked = 45.0f - std::stof(f[1]);
        }
    }
    ASSERT_GT(finishedAt, 0) << name << ": the stored input does not reach the finish";
    // The stored route is a replay: it runs on to the round's end, one second of clock after the finish.
    int runOut = static_cast<int>(lines.size()) - finishedAt;
    EXPECT_TRUE(runOut >= 60 && runOut <= 61) << name << ": " << runOut << " ticks after the finish";
    EXPECT_EQ(falls, 0) << name << ": the stored route should be clean";
    EXPECT_LT(booked, 30.0f) << name << ": a level should be finishable well inside 45 s";
    EXPECT_EQ(booked, recordedFinishTime(readTextFile(solution)))
        << name << ": the replay's time differs from the one the solver wrote down";
}

TEST(LevelSolutions, EveryLevelOfEverySetFinishesWellInsideTheClock)
{
    std::vector<ShippedSet> sets = shippedSets();
    ASSERT_GE(sets.size(), 2u);
    EXPECT_GE(sets[0].maps.size(), 8u);
    EXPECT_GE(sets[1].maps.size(), 12u);
    for (const ShippedSet& set : sets)
        for (const std::string& name : set.maps)
            expectCleanFinish(name, dataPackPath(set.folder + name),
                              levelTestsPath(set.solutions + std::filesystem::path(name).stem().string() + ".input"),
                              dataPackPath(set.folder));
}

TEST(LevelSolutions, SolverRegeneratesTheFirstLevelsSolution)
{
    std::string name = shippedMapNames().at(0);
    ToolRun run = runLevelTool({"solve", dataPackPath(name)});
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.output, readTextFile(solutionPath(name)))
        << "the solver is deterministic, so its output should match the stored solution; if the physics or "
           "the solver changed on purpose, regenerate tests/levels/solutions/";
}

TEST(LevelSolutions, SolverGivesUpWhenTheTimeIsTooShort)
{
    ToolRun run = runLevelTool({"solve", "--max-seconds", "3", dataPackPath(shippedMapNames().at(0))});
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_EQ(run.output.rfind("# not finished within 3 s; the furthest point reached: x ", 0), 0u) << run.output;
    EXPECT_NE(run.output.find(" along the board), with 42.00 s on the clock\n"), std::string::npos) << run.output;
}

} // namespace
