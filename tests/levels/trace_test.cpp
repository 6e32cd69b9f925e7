// SPDX-License-Identifier: MIT
// roliquo-level trace: recorded inputs on a fixed board give the recorded state lines exactly (a guard
// on physics, rules and camera), the start is placed as a level start does, bad input is refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "level_tool_runner.h"

namespace {

// The options of a golden input are on its first line: "# roliquo-level trace golden.map OPTIONS".
std::vector<std::string> traceOptions(const std::string& inputPath)
{
    std::vector<std::string> words = splitWords(splitLines(readTextFile(inputPath)).at(0));
    return std::vector<std::string>(words.begin() + 4, words.end());
}

TEST(LevelTrace, ReplaysGoldenInputsExactly)
{
    // run: falls into a hole, leaves the board at both sides and behind the start, takes a tick of no
    // time and ticks longer than the camera's cap, finishes and keeps ticking.
    // countdown: keys held while the clock is above 45, lag 0, varied tick lengths.
    for (const char* name : {"run", "countdown"}) {
        std::string input = levelTestsPath(std::string("golden/") + name + ".in");
        std::vector<std::string> args = {"trace"};
        for (const std::string& option : traceOptions(input))
            args.push_back(option);
        args.push_back(levelTestsPath("golden/golden.map"));
        ToolRun run = runLevelTool(args, input);
        ASSERT_EQ(run.status, 0) << name << ": " << run.errors;
        std::vector<std::string> got = splitLines(run.output);
        std::vector<std::string> want =
            splitLines(readTextFile(levelTestsPath(std::string("golden/") + name + ".out")));
        ASSERT_EQ(got.size(), want.size()) << name << ": one state line per input tick";
        for (size_t i = 0; i < want.size(); ++i)
            ASSERT_EQ(got[i], want[i]) << name << ": tick " << i + 1
                                       << " differs from the recording; if the physics changed on purpose, "
                                          "re-record tests/levels/golden/"
                                       << name << ".out";
    }
}

TEST(LevelTrace, GoldenRunCoversTheRules)
{
    // The recording is only a good guard if it exercises every rule; check what it holds.
    std::vector<std::string> lines = splitLines(readTextFile(levelTestsPath("golden/run.out")));
    int penalties = 0, finishedAt = 0, zeroTickAt = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::vector<std::string> f = splitWords(lines[i]);
        ASSERT_EQ(f.size(), 16u) << "line " << i + 1 << " should have 16 fields";
        if (f[2] == "1")
            ++penalties;
        if (f[3] == "1" && finishedAt == 0)
            finishedAt = static_cast<int>(i) + 1;
        if (i > 0 && f[1] == splitWords(lines[i - 1])[1] && zeroTickAt == 0)
            zeroTickAt = static_cast<int>(i) + 1;
    }
    EXPECT_EQ(penalties, 5) << "one hole, three sides and one back exit";
    EXPECT_GT(finishedAt, 0) << "the run should finish";
    EXPECT_LT(finishedAt, static_cast<int>(lines.size())) << "and go on ticking after the finish";
    EXPECT_GT(zeroTickAt, 0) << "a tick of no time leaves the clock as it was";
}

TEST(LevelTrace, StartsAsALevelStartDoes)
{
    TempFolder folder;
    writeTextFile(folder.file("flat.map"), "holecount= 0\n.data\n.end\n");
    writeTextFile(folder.file("in"), "0.25 -\n");
    ToolRun run = runLevelTool({"trace", "--clock", "50", folder.file("flat.map")}, folder.file("in"));
    ASSERT_EQ(run.status, 0) << run.errors;
    // Flat board, marble held by the countdown at (0, -5800, 0); the eye starts 3000 behind and 6000
    // above it and, at lag 6, a 0.25 s tick counts as 0.1 s: it moves 40 % of the way to its target
    // 400 behind and 350 above, and the pitch 40 % of the way to -atan(3000 / 6000).
    std::vector<std::string> f = splitWords(run.output);
    ASSERT_EQ(f.size(), 16u) << run.output;
    EXPECT_EQ(f[0], "1");
    EXPECT_FLOAT_EQ(std::stof(f[1]), 49.75f);
    EXPECT_FLOAT_EQ(std::stof(f[2]), -0.25f);
    EXPECT_EQ(f[3], "0");
    EXPECT_FLOAT_EQ(std::stof(f[4]), 0.0f);
    EXPECT_FLOAT_EQ(std::stof(f[5]), -5800.0f);
    EXPECT_FLOAT_EQ(std::stof(f[6]), 0.0f);
    EXPECT_FLOAT_EQ(std::stof(f[10]), 0.0f);
    EXPECT_FLOAT_EQ(std::stof(f[11]), -8800.0f + 0.4f * 2600.0f);
    EXPECT_FLOAT_EQ(std::stof(f[12]), -6000.0f + 0.4f * 5650.0f);
    EXPECT_NEAR(std::stof(f[13]), 0.4f * -0.463647609f, 1e-6f);
}

TEST(LevelTrace, RefusesBadInputWithItsLine)
{
    struct Case {
        const char* input;
        const char* reason;
    };
    const Case cases[] = {
        {"0.0166666675 U\n# a comment\n\n0.02 UX\n", "input line 4: keys \"UX\""},
        {"0.0166666675 U\nfast U\n", "input line 2: tick duration \"fast\""},
        {"-0.01 U\n", "input line 1: tick duration \"-0.01\""},
        {"0.0166666675\n", "input line 1: expected \"DT KEYS\""},
    };
    TempFolder folder;
    writeTextFile(folder.file("flat.map"), "holecount= 0\n.data\n.end\n");
    for (const Case& c : cases) {
        writeTextFile(folder.file("in"), c.input);
        ToolRun run = runLevelTool({"trace", folder.file("flat.map")}, folder.file("in"));
        EXPECT_EQ(run.status, 2) << c.input;
        EXPECT_NE(run.errors.find(c.reason), std::string::npos) << "for input " << c.input << " got: " << run.errors;
    }
}

TEST(LevelTrace, StopsWhenTheStateIsNoLongerFinite)
{
    // depth x radius overflows the float range: the surface, and so the marble's z, is infinite.
    TempFolder folder;
    writeTextFile(folder.file("broken.map"), "holecount= 1\n.data\n0 0 300 -3e38\n.end\n");
    writeTextFile(folder.file("in"), "# two ticks\n0.0166666675 U\n0.0166666675 U\n");
    ToolRun run = runLevelTool({"trace", folder.file("broken.map")}, folder.file("in"));
    EXPECT_EQ(run.status, 3) << run.output << run.errors;
    EXPECT_EQ(splitLines(run.output).size(), 1u) << "the first state line is printed, then it stops:\n" << run.output;
    EXPECT_NE(run.errors.find("input line 2: after tick 1 the state is no longer finite"), std::string::npos)
        << run.errors;
}

} // namespace
