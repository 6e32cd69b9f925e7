// SPDX-License-Identifier: MIT
// Medals at their boundaries against par, and the records file's reader: what it accepts, what it
// refuses with the line at fault, and that its written form reads back to the same table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scores/level_records.h"
#include "scores/medal.h"

namespace {

TEST(Medals, BoundariesAreFixedMultiplesOfPar)
{
    const struct {
        float seconds;
        float par;
        Medal medal;
    } cases[] = {
        {9.0f, 10.0f, Medal::Author},   {10.0f, 10.0f, Medal::Author},  {10.01f, 10.0f, Medal::Gold},
        {13.0f, 10.0f, Medal::Gold},    {13.01f, 10.0f, Medal::Silver}, {16.0f, 10.0f, Medal::Silver},
        {16.01f, 10.0f, Medal::Bronze}, {22.0f, 10.0f, Medal::Bronze},  {22.01f, 10.0f, Medal::None},
        {12.0f, 0.0f, Medal::None},     {12.0f, -1.0f, Medal::None},    {225.0f, 200.0f, Medal::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(medalFor(c.seconds, c.par), c.medal) << c.seconds << " s against par " << c.par;
    EXPECT_STREQ(medalName(Medal::Gold), "GOLD");
    EXPECT_STREQ(medalName(Medal::None), "");
}

const std::string Hash(64, 'a');

TEST(LevelRecordsFile, ReadsWhatItWritesAndRefusesTheRestWithItsLine)
{
    const struct {
        std::string text;
        bool ok;
        const char* where; // the start of the error for a refused file
    } cases[] = {
        {"roliquo-records 1\n", true, ""},
        {"roliquo-records 1\n\nmeadow.map " + Hash + " 9.5\n", true, ""},
        {"", false, "line 1"},
        {"roliquo-par 1\n", false, "line 1"},
        {"roliquo-records 2\n", false, "line 1"},
        {"roliquo-records 1\nmeadow.map " + Hash + "\n", false, "line 2"},
        {"roliquo-records 1\nmeadow.map " + std::string(64, 'A') + " 9.5\n", false, "line 2"},
        {"roliquo-records 1\nmeadow.map " + Hash + " 0\n", false, "line 2"},
        {"roliquo-records 1\nmeadow.map " + Hash + " 45.5\n", false, "line 2"},
        {"roliquo-records 1\nmeadow.map " + Hash + " nan\n", false, "line 2"},
        {"roliquo-records 1\nm.map " + Hash + " 9\nm.map " + Hash + " 8\n", false, "line 3"},
        {"roliquo-records 1\n" + std::string(300, 'm') + " " + Hash + " 9\n", false, "line 2"},
        {"roliquo-records 1\n" + std::string(2000, ' ') + "\n", false, "line 2"},
    };
    for (const auto& c : cases) {
        std::vector<LevelTime> times;
        std::string error;
        bool ok = parseLevelTimes(c.text, LevelRecordsHeader, times, error);
        EXPECT_EQ(ok, c.ok) << c.text.substr(0, 80) << " -> " << error;
        if (!c.ok) {
            EXPECT_EQ(error.rfind(c.where, 0), 0u) << error;
        }
    }

    std::vector<LevelTime> many;
    for (int i = 0; i <= static_cast<int>(MaxLevelTimes); ++i)
        many.push_back({"l" + std::to_string(i) + ".map", Hash, 9.25f});
    std::vector<LevelTime> back;
    std::string error;
    EXPECT_FALSE(parseLevelTimes(formatLevelTimes(many, LevelRecordsHeader), LevelRecordsHeader, back, error))
        << "more than " << MaxLevelTimes << " levels were read";
    many.pop_back();
    ASSERT_TRUE(parseLevelTimes(formatLevelTimes(many, LevelRecordsHeader), LevelRecordsHeader, back, error)) << error;
    ASSERT_EQ(back.size(), many.size());
    EXPECT_EQ(back.back().mapName, many.back().mapName);
    EXPECT_EQ(back.back().seconds, 9.25f);
}

TEST(LevelRecordsFile, ReplayNamesKeepTheHashAndLeaveNoFolder)
{
    EXPECT_EQ(levelReplayFileName("meadow.map", Hash), "meadow.map-aaaaaaaaaaaaaaaa.replay");
    EXPECT_EQ(levelReplayFileName("../up/a b.map", Hash), ".._up_a_b.map-aaaaaaaaaaaaaaaa.replay");
}

} // namespace
