// SPDX-License-Identifier: MIT
// Running a route for the picture: the lines are read as trace reads them (lines starting with # are
// skipped, so a replay's header is), each tick through sim_session, and a penalty marks a fall.
#include "route_run.h"

#include "sim/marble.h"
#include "sim/sim_state.h"
#include "sim_session.h"
#include "trace_io.h"

bool runRoute(std::istream& in, std::vector<RoutePoint>& route, std::string& error)
{
    route.push_back({TheMarble.position, false});
    if (LevelFinished)
        return true;
    int badLine = 0;
    std::string why;
    bool read = forEachTickLine(
        in,
        [&route](const TickInput& step, int) {
            runTick(step, false);
            // Every penalty sets the freeze to exactly one second: the marble was caught where it last was.
            if (FreezeTimer == 1.0f)
                route.back().fall = true;
            route.push_back({TheMarble.position, false});
            return !LevelFinished;
        },
        badLine, why);
    if (!read)
        error = "route line " + std::to_string(badLine) + ": " + why;
    return read;
}
