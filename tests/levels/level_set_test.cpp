// SPDX-License-Identifier: MIT
// The shipped level set, loaded by the game's own map list reader and map loader from the data pack:
// every level loads without a message, leaves its start point clear, and has a look of its own.
#include <gtest/gtest.h>
#include <memory>

#include <cmath>
#include <filesystem>
#include <optional>
#include <set>

#include "app/game_reset.h"
#include "level/board.h"
#include "level/map_list.h"
#include "level/map_loader.h"
#include "level_tool_runner.h"
#include "platform/headless/headless.h"
#include "render/board_renderer.h"
#include "sim/marble.h"
#include "sim/sim_state.h"
#include "support/temp_folder.h"

namespace {

// The game reads its data by bare names from its working directory: go there for the test.
class InDataPack : public ::testing::Test {
protected:
    void SetUp() override
    {
        inside_.emplace(ROLIQUO_DATA_DIR);
        headless::reset();
        resetGame();
        ASSERT_TRUE(headless::ensureGlContext());
    }
    void TearDown() override
    {
        inside_.reset();
        TheBoard.setHoles({});
    }

private:
    std::optional<testsupport::WorkingDirectory> inside_;
};

TEST_F(InDataPack, MapListNamesEveryLevelInOrder)
{
    ASSERT_TRUE(loadMapList()) << "maplist.dat should read";
    EXPECT_GE(LevelCount, 8);
    ASSERT_EQ(MapNames.size(), static_cast<size_t>(LevelCount));
    for (const std::string& name : MapNames) {
        EXPECT_TRUE(std::filesystem::exists(name)) << name << " is listed but not in the data pack";
        EXPECT_TRUE(std::filesystem::exists(std::string(ROLIQUO_SOURCE_DIR) + "/data/levels/" + name))
            << name << " should be one of the hand-made level files";
    }
}

TEST_F(InDataPack, EveryLevelLoadsWithItsOwnLookAndAClearStart)
{
    ASSERT_TRUE(loadMapList());
    std::set<uint32_t> fogColours, marbleColours;
    auto texture = std::make_unique<BoardTextureImages>();
    for (const std::string& name : MapNames) {
        headless::clearRecords();
        ASSERT_TRUE(loadBoardForPlay(TheBoard, TheMarble, name, *texture)) << name;
        EXPECT_TRUE(headless::messageBoxes().empty()) << name << ": " << headless::messageBoxes()[0].text;
        EXPECT_EQ(TheBoard.holeAt(0.0f, -5800.0f), 0.0f) << name << ": no hole may be at or near the start point";

        int dips = 0, bumps = 0;
        for (const Hole& h : TheBoard.holes)
            (h.depth > 0.0f ? dips : bumps) += 1;
        EXPECT_GE(dips, 8) << name << " should be made of dips";
        EXPECT_GE(bumps, 1) << name << " should have bumps too";

        // The start is close to level, so the marble does not run off at the start signal.
        Vec3 n = TheBoard.normalAt(0.0f, -5800.0f);
        EXPECT_LT(std::acos(-n.z), 0.2f) << name << ": the ground at the start is too steep";

        // The sum of every hole's far-reaching term stays moderate over the whole board.
        float lowest = 1e30f, highest = -1e30f;
        for (const Vec3& v : TheBoardRenderer.vertices) {
            lowest = std::min(lowest, v.z);
            highest = std::max(highest, v.z);
        }
        EXPECT_LT(highest - lowest, 1500.0f) << name << ": the board's heights span too much";

        EXPECT_TRUE(fogColours.insert(TheBoard.fogColorRGB).second) << name << " repeats another level's fog colour";
        EXPECT_TRUE(marbleColours.insert(TheBoard.marbleColorRGB).second)
            << name << " repeats another level's marble colour";
        EXPECT_NE(TheBoard.fogColorRGB, TheBoard.marbleColorRGB) << name << ": the marble would vanish in the fog";
    }
}

} // namespace
