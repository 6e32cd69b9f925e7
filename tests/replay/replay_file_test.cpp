// SPDX-License-Identifier: MIT
// The replay file: what is written reads back to the same floats, the level tool's trace reads the
// tick lines, and every malformed or out-of-bounds file is refused with the line at fault.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "replay/replay_file.h"

namespace {

const std::string Hash(64, 'a');

// A level line with the given words in place of the usual ones.
std::string levelLine(const std::string& map = "meadow.map", const std::string& hash = Hash,
                      const std::string& booked = "9.5", const std::string& skipped = "no")
{
    return "#@ level " + map + " sha256 " + hash + " clock 52 lag 6 booked " + booked + " skipped " + skipped +
        " marble 1 2 3\n";
}

Replay sampleReplay()
{
    Replay replay;
    ReplayLevel first;
    first.mapName = "levels/meadow.map";
    first.mapHash = Hash;
    first.startClock = 52.0f;
    first.startCameraLag = 6;
    first.bookedSeconds = 9.39985657f;
    first.endX = 687.167603f;
    first.endY = 5813.69336f;
    first.endZ = -35.035984f;
    // Steps a counter gives, not round numbers: they must come back bit for bit.
    first.ticks = {{1.0f / 60, SteerUp | SteerShift, 6}, {0.0123456789f, 0, 6}, {0.03125f, SteerLeft, 3}};
    ReplayLevel second = first;
    second.mapName = "dunes.map";
    second.startClock = 46.5f;
    second.bookedSeconds = 225.0f;
    second.skipped = true;
    second.ticks.clear();
    replay.levels = {first, second};
    replay.total = first.bookedSeconds + second.bookedSeconds;
    replay.name = "ABC";
    return replay;
}

TEST(ReplayFile, WhatIsWrittenReadsBackExactly)
{
    Replay written = sampleReplay();
    std::string text = formatReplay(written);
    Replay read;
    ReplayError error;
    ASSERT_TRUE(parseReplay(text, read, error)) << "line " << error.line << ": " << error.message << "\n" << text;
    ASSERT_EQ(read.levels.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const ReplayLevel& a = written.levels[i];
        const ReplayLevel& b = read.levels[i];
        EXPECT_EQ(b.mapName, a.mapName);
        EXPECT_EQ(b.mapHash, a.mapHash);
        EXPECT_EQ(b.startClock, a.startClock);
        EXPECT_EQ(b.startCameraLag, a.startCameraLag);
        EXPECT_EQ(b.bookedSeconds, a.bookedSeconds);
        EXPECT_EQ(b.skipped, a.skipped);
        EXPECT_EQ(b.endX, a.endX);
        EXPECT_EQ(b.endY, a.endY);
        EXPECT_EQ(b.endZ, a.endZ);
        ASSERT_EQ(b.ticks.size(), a.ticks.size());
        for (size_t t = 0; t < a.ticks.size(); ++t) {
            EXPECT_EQ(b.ticks[t].seconds, a.ticks[t].seconds) << "level " << i << " tick " << t;
            EXPECT_EQ(b.ticks[t].keys, a.ticks[t].keys) << "level " << i << " tick " << t;
            EXPECT_EQ(b.ticks[t].cameraLag, a.ticks[t].cameraLag) << "level " << i << " tick " << t;
        }
    }
    EXPECT_EQ(read.total, written.total);
    EXPECT_EQ(read.name, "ABC");
    // A lag change is a header line of its own, so the tick lines stay the trace's "DT KEYS".
    EXPECT_NE(text.find("\n0.0166666675 US\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n#@ lag 3\n0.03125 L\n"), std::string::npos) << text;
}

TEST(ReplayFile, MalformedFilesAreRefusedAtTheirLine)
{
    const std::string head = "#@ roliquo-replay 1\n";
    const std::string tail = "#@ total 9.5 name ABC\n";
    struct Case {
        const char* what;
        std::string text;
        int line;
    };
    const std::vector<Case> cases = {
        {"empty", "", 0},
        {"no version line", levelLine() + tail, 1},
        {"another version", "#@ roliquo-replay 2\n" + levelLine() + tail, 1},
        {"no total", head + levelLine() + "0.1 U\n", 3},
        {"tick before any level", head + "0.1 U\n" + levelLine() + tail, 2},
        {"tick after the total", head + levelLine() + tail + "0.1 U\n", 4},
        {"bad keys", head + levelLine() + "0.1 X\n" + tail, 3},
        {"negative step", head + levelLine() + "-0.1 U\n" + tail, 3},
        {"step that is no number", head + levelLine() + "nan U\n" + tail, 3},
        {"three words", head + levelLine() + "0.1 U S\n" + tail, 3},
        {"short hash", head + levelLine("a.map", "abc") + tail, 2},
        {"words out of order",
         head + "#@ level a.map clock 52 sha256 " + Hash + " lag 6 booked 1 skipped no marble 1 2 3\n" + tail, 2},
        {"extra word on a level", head + levelLine("a.map", Hash, "1", "no more") + tail, 2},
        {"lag 10", head + levelLine() + "#@ lag 10\n" + tail, 3},
        {"map outside the data folder", head + levelLine("a/../../x.map") + tail, 2},
        {"absolute map path", head + levelLine("/etc/x") + tail, 2},
        {"skipped maybe", head + levelLine("a.map", Hash, "1", "maybe") + tail, 2},
        {"infinite booked time", head + levelLine("a.map", Hash, "inf") + tail, 2},
        {"unknown header", head + levelLine() + "#@ speed 2\n" + tail, 3},
        {"mark glued to its word", head + "#@level\n", 2},
        {"total without name", head + levelLine() + "#@ total 9.5\n", 3},
        {"name with a control character", head + levelLine() + "#@ total 9.5 name A\x01\n", 3},
        {"overlong line", head + levelLine() + "# " + std::string(MaxReplayLineLength, 'x') + "\n" + tail, 3},
    };
    for (const Case& c : cases) {
        Replay replay;
        ReplayError error;
        EXPECT_FALSE(parseReplay(c.text, replay, error)) << c.what;
        EXPECT_EQ(error.line, c.line) << c.what << ": " << error.message;
        EXPECT_FALSE(error.message.empty()) << c.what;
    }
    // Comments, blank lines and carriage returns are allowed anywhere.
    Replay replay;
    ReplayError error;
    std::string fine = "# solver notes\n\n" + head + levelLine() + "# a comment\r\n0.1 U\r\n\n" + tail + "# end\n";
    EXPECT_TRUE(parseReplay(fine, replay, error)) << error.line << ": " << error.message;
}

} // namespace
