// SPDX-License-Identifier: MIT
// Formatting of trace output lines. Reals use %.9g so every float written here reads back bit for bit.
#include "trace_io.h"

#include "level/token_reader.h"
#include "sim/camera.h"
#include "sim/marble.h"
#include "sim/sim_state.h"

namespace {

void appendReal(std::string& out, float value)
{
    out += ' ';
    out += exactFloatText(value);
}

} // namespace

std::string formatStateLine(int tick)
{
    std::string out = std::to_string(tick);
    appendReal(out, RoundClock);
    appendReal(out, FreezeTimer);
    out += LevelFinished ? " 1" : " 0";
    Vec3 p = TheMarble.position;
    Vec3 v = TheMarble.velocity;
    Vec3 e = TheCamera.eye;
    for (float value : {p.x, p.y, p.z, v.x, v.y, v.z, e.x, e.y, e.z, TheCamera.pitch, TheCamera.yaw, TheCamera.roll})
        appendReal(out, value);
    return out;
}
