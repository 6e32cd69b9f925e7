// SPDX-License-Identifier: MIT
// The trace command's body: the game's loader and level start through sim_session, then one tick and one
// state line per input line, stopping at an unreadable line or a state that is no longer finite.
#include "trace_command.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "level/token_reader.h"
#include "sim/camera.h"
#include "sim/marble.h"
#include "sim/sim_state.h"
#include "sim_session.h"
#include "trace_io.h"

namespace {

bool stateIsFinite()
{
    for (float v : {RoundClock, FreezeTimer, TheMarble.position.x, TheMarble.position.y, TheMarble.position.z,
                    TheMarble.velocity.x, TheMarble.velocity.y, TheMarble.velocity.z, TheCamera.eye.x, TheCamera.eye.y,
                    TheCamera.eye.z, TheCamera.pitch, TheCamera.yaw, TheCamera.roll})
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace

bool readOption(const std::string& option, const char* text, float low, float high, bool whole, float& out)
{
    TokenReader reader(text);
    float value = 0.0f;
    bool ok = reader.readReal(value) && reader.endReached() && value >= low && value <= high &&
        (!whole || value == std::floor(value));
    if (!ok) {
        std::fprintf(stderr, "roliquo-level: %s needs %s from %g to %g, not \"%s\"\n", option.c_str(),
                     whole ? "a whole number" : "a number", static_cast<double>(low), static_cast<double>(high), text);
        return false;
    }
    out = value;
    return true;
}

bool loadForPlay(const std::string& file, const std::string& dataDir, float clock, float lag, std::string& loadName)
{
    std::string error;
    if (!enterMapFolder(file, dataDir, loadName, error)) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), error.c_str());
        return false;
    }
    std::vector<std::string> messages;
    bool ok = loadMapAsGame(loadName, messages);
    for (const std::string& m : messages)
        std::fprintf(stderr, "%s: the game's loader says: %s\n", file.c_str(), m.c_str());
    if (!ok) {
        std::fprintf(stderr, "%s: the map file does not load (try roliquo-level check)\n", file.c_str());
        return false;
    }
    placeAtLevelStart(clock, lag);
    return true;
}

int traceTicks(std::istream& input)
{
    int tick = 0;
    int lastLine = 0;
    bool finite = true;
    int badLine = 0;
    std::string error;
    bool read = forEachTickLine(
        input,
        [&](const TickInput& step, int lineNumber) {
            runTick(step, true);
            std::printf("%s\n", formatStateLine(++tick).c_str());
            lastLine = lineNumber;
            finite = stateIsFinite();
            return finite;
        },
        badLine, error);
    if (!read) {
        std::fprintf(stderr, "input line %d: %s\n", badLine, error.c_str());
        return 2;
    }
    if (!finite) {
        std::fflush(stdout);
        std::fprintf(stderr, "input line %d: after tick %d the state is no longer finite (try roliquo-level check)\n",
                     lastLine, tick);
        return 3;
    }
    return 0;
}
