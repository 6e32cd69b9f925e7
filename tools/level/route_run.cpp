// Running a route for the picture: the lines are read as trace reads them (lines starting with # are
// skipped, so a replay's header is), each tick through sim_session, and a penalty marks a fall.
#include "route_run.h"

#include "app/run_state.h"
#include "sim/marble.h"
#include "sim_session.h"
#include "trace_io.h"

bool runRoute(std::istream& in, std::vector<RoutePoint>& route, std::string& error)
{
    route.push_back({TheMarble.position, false});
    std::string line;
    int lineNumber = 0;
    while (!LevelFinished && std::getline(in, line)) {
        ++lineNumber;
        TickInput step;
        std::string why;
        TickLine kind = parseTickLine(line, step, why);
        if (kind == TickLine::Skip)
            continue;
        if (kind == TickLine::Bad) {
            error = "route line " + std::to_string(lineNumber) + ": " + why;
            return false;
        }
        runTick(step, false);
        // Every penalty sets the freeze to exactly one second: the marble was caught where it last was.
        if (FreezeTimer == 1.0f)
            route.back().fall = true;
        route.push_back({TheMarble.position, false});
    }
    return true;
}
