// SPDX-License-Identifier: MIT
// The option keys and their interlocks: fog and far sight exclude each other, and the fog key sets the
// GL fog state at once (read back from the real context).
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "screen/game_state.h"
#include "support/game_driver.h"

using testsupport::GameDriver;

namespace {

TEST(OptionKeys, FogAndFarSightExcludeEachOtherAndDriveTheGlFogState)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(platform::hasGlContext());
    ASSERT_TRUE(OptionFog);
    ASSERT_FALSE(OptionFarSight);

    game.press(VkF4);
    EXPECT_FALSE(OptionFarSight) << "F4 does nothing while fog is on";

    game.press(VkF5);
    EXPECT_FALSE(OptionFog);
    EXPECT_FALSE(headless::glState().fog) << "fog off disables GL fog at once";

    game.press(VkF4);
    EXPECT_TRUE(OptionFarSight) << "with fog off F4 switches far sight on";

    game.press(VkF5);
    EXPECT_TRUE(OptionFog);
    EXPECT_FALSE(OptionFarSight) << "turning fog on switches far sight off";
    EXPECT_TRUE(headless::glState().fog) << "fog on enables GL fog at once";

    game.press(VkF4);
    EXPECT_FALSE(OptionFarSight);
}

TEST(OptionKeys, TogglesWorkInEveryStateAndRepeatWithKeyRepeat)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    struct ToggleCase {
        int key;
        bool* option;
        bool initial;
    };
    const std::vector<ToggleCase> cases = {
        {VkF2, &OptionStatistics, true},
        {VkF3, &OptionNormal, false},
        {VkF5, &OptionFog, true},
        {VkF6, &OptionMidi, true},
    };
    for (const ToggleCase& c : cases) {
        SCOPED_TRACE("key " + std::to_string(c.key));
        EXPECT_EQ(*c.option, c.initial);
        // Three key-down messages as a held key repeats: three toggles.
        game.press({c.key, c.key, c.key});
        EXPECT_EQ(*c.option, !c.initial);
        game.press(c.key);
        EXPECT_EQ(*c.option, c.initial);
    }
    // The same keys with the menu open and on the best-times screen.
    game.press({VkEscape, VkF2});
    EXPECT_FALSE(OptionStatistics) << "F2 works with the menu open";
    game.press(VkEscape);
    game.press({VkEscape, VkDown, VkEnter}); // HIGHSCORE
    ASSERT_EQ(GameState, BestTimes);
    game.press(VkF3);
    EXPECT_TRUE(OptionNormal) << "F3 works on the best-times screen";
}

} // namespace
