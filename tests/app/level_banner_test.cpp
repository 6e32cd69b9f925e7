// SPDX-License-Identifier: MIT
// The level banner starts afresh at every level start, also when the level number is the same as the
// banner shown last: a new game after a time-up on level 1, one chosen during level 1, a one-level list.
#include <gtest/gtest.h>

#include <functional>

#include "platform/platform.h"
#include "screen/frame.h"
#include "screen/game_state.h"
#include "sim/sim_state.h"
#include "support/game_driver.h"

using testsupport::GameDriver;

namespace {

// The banner starts at scale 3 and shrinks by 4 x FrameSeconds of itself per frame; after one 1/60 s
// frame it is still near 3, while a banner that did not restart has long faded below 0.1.
void expectFreshBanner(GameDriver& game, const char* path)
{
    game.tick(1.0 / 60.0);
    ASSERT_EQ(GameState, Playing) << path;
    EXPECT_EQ(LevelNumber, 1) << path;
    EXPECT_GT(BannerScale, 2.5f) << path << ": the level 1 banner was not shown";
}

TEST(LevelBanner, EveryNewGameShowsTheLevelOneBanner)
{
    const struct {
        const char* path;
        int levels;
        std::function<void(GameDriver&)> endFirstGame;
    } cases[] = {
        {"a time-up on level 1, then a new game", 3,
         [](GameDriver& game) {
             game.runTicksUntil([] { return GameState == BestTimes; }, 1000, 0.1);
             game.press(VkSpace);
         }},
        {"a new game chosen during level 1", 3,
         [](GameDriver& game) { game.runTicksUntil([] { return false; }, 60, 0.1); }},
        {"a one-level list, a second game", 1,
         [](GameDriver& game) {
             game.runTicksUntil([] { return false; }, 20, 0.1);
             game.press(VkF1);
             game.press({'A', 'B', 'C'});
             game.tick(0.1);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        GameDriver game(GameDriver::Data::Small, c.levels);
        ASSERT_TRUE(game.start());
        game.startNewGame();
        expectFreshBanner(game, "the first game");
        c.endFirstGame(game);
        ASSERT_LT(BannerScale, 0.1f) << "the first game's banner has faded";
        game.startNewGame();
        expectFreshBanner(game, c.path);
    }
}

} // namespace
