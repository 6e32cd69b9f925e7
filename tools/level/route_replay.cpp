// SPDX-License-Identifier: MIT
// Builds the replay of a solver route by running it once more through the round step.
#include "route_replay.h"

#include "replay/file_hash.h"
#include "sim_session.h"

namespace {

// The name a par route's replay carries.
const char* const ParName = "par";
// The round ends one second of clock after the finish; this bounds the run-out whatever happens.
constexpr int MaxRunOutTicks = 600;

} // namespace

bool routeReplay(const std::string& loadName, const std::string& mapName, const std::vector<TickInput>& route,
                 Replay& replay)
{
    const SimState start = TheSim;
    ReplayLevel level;
    level.mapName = mapName;
    if (!hashFile(loadName, level.mapHash))
        return false;
    level.startClock = RoundClock;
    level.startCameraLag = static_cast<uint8_t>(SessionCameraLag);
    auto run = [&](TickInput input) {
        runTick(input, true);
        level.ticks.push_back({input.seconds, input.keys, level.startCameraLag});
    };
    for (const TickInput& input : route)
        run(input);
    for (int i = 0; i < MaxRunOutTicks && LevelFinished && !(RoundClock < LevelEndTime); ++i)
        run({SolverTickSeconds, 0});
    level.bookedSeconds = bookedFinishTime();
    level.skipped = !(LevelFinished && RoundClock < LevelEndTime);
    Vec3 p = TheMarble.getPosition();
    level.endX = p.x;
    level.endY = p.y;
    level.endZ = p.z;
    replay = Replay();
    replay.total = level.bookedSeconds;
    replay.name = ParName;
    replay.levels.push_back(std::move(level));
    TheSim = start;
    return true;
}
