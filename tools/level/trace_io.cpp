// Parsing of trace input lines and formatting of trace output lines. Reals use %.9g so every float
// written here reads back bit for bit.
#include "trace_io.h"

#include <cfloat>
#include <cstdio>
#include <vector>

#include "app/run_state.h"
#include "level/token_reader.h"
#include "sim/camera.h"
#include "sim/marble.h"

namespace {

// Splits on whitespace; the trace format needs no quoting.
std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isTextSpace(line[i]))
            ++i;
        size_t start = i;
        while (i < line.size() && !isTextSpace(line[i]))
            ++i;
        if (i > start)
            out.push_back(line.substr(start, i - start));
    }
    return out;
}

bool parseKeys(const std::string& word, uint8_t& keys)
{
    keys = 0;
    if (word == "-")
        return true;
    for (char c : word) {
        uint8_t bit = 0;
        switch (c) {
        case 'L': bit = KeyLeft; break;
        case 'R': bit = KeyRight; break;
        case 'U': bit = KeyUp; break;
        case 'D': bit = KeyDown; break;
        case 'S': bit = KeyShift; break;
        default: return false;
        }
        keys |= bit;
    }
    return !word.empty();
}

void appendReal(std::string& out, float value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, " %.9g", static_cast<double>(value));
    out += buffer;
}

} // namespace

TraceLine parseTraceLine(const std::string& line, TraceStep& step, std::string& error)
{
    std::vector<std::string> parts = words(line);
    if (parts.empty() || parts[0][0] == '#')
        return TraceLine::Skip;
    if (parts.size() != 2) {
        error = "expected \"DT KEYS\", found " + std::to_string(parts.size()) + " words";
        return TraceLine::Bad;
    }
    // The duration is read as the game reads every real; beyond the float range it would be clamped,
    // which no trace means, so that is refused with the rest.
    TokenReader reader(parts[0]);
    float seconds = 0.0f;
    if (!reader.readReal(seconds) || !reader.endReached() || seconds < 0.0f || seconds == FLT_MAX) {
        error = "tick duration \"" + parts[0] + "\" is not a finite number of seconds >= 0";
        return TraceLine::Bad;
    }
    uint8_t keys = 0;
    if (!parseKeys(parts[1], keys)) {
        error = "keys \"" + parts[1] + "\" are not \"-\" or a word of the letters L R U D S";
        return TraceLine::Bad;
    }
    step.seconds = seconds;
    step.keys = keys;
    return TraceLine::Step;
}

std::string keysWord(uint8_t keys)
{
    std::string word;
    if (keys & KeyLeft) word += 'L';
    if (keys & KeyRight) word += 'R';
    if (keys & KeyUp) word += 'U';
    if (keys & KeyDown) word += 'D';
    if (keys & KeyShift) word += 'S';
    return word.empty() ? "-" : word;
}

std::string formatTraceStep(TraceStep step)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g ", static_cast<double>(step.seconds));
    return buffer + keysWord(step.keys);
}

std::string formatStateLine(int tick)
{
    std::string out = std::to_string(tick);
    appendReal(out, RoundClock);
    appendReal(out, FreezeTimer);
    out += LevelFinished ? " 1" : " 0";
    Vec3 p = TheMarble.position;
    Vec3 v = TheMarble.velocity;
    Vec3 e = TheCamera.eye;
    for (float value : {p.x, p.y, p.z, v.x, v.y, v.z, e.x, e.y, e.z, TheCamera.pitch, TheCamera.yaw,
                        TheCamera.roll})
        appendReal(out, value);
    return out;
}
