// SPDX-License-Identifier: MIT
// The one watch session, and the replay level it is at.
#include "watch/watch_session.h"

#include "sim/sim_state.h"

WatchSession TheWatch;

const ReplayLevel* watchedLevel()
{
    if (!TheWatch.watching || LevelNumber < 1 || LevelNumber > static_cast<int32_t>(TheWatch.replay.levels.size()))
        return nullptr;
    return &TheWatch.replay.levels[static_cast<size_t>(LevelNumber - 1)];
}
