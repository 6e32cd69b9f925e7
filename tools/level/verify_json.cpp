// SPDX-License-Identifier: MIT
// The verdict of `verify --json` as one JSON object on standard output, written by hand: strings are
// escaped (quotes, backslashes, control and non-ASCII bytes as \u escapes), reals with 9 digits.
#include <cstdio>
#include <string>

#include "level/token_reader.h"
#include "sim/round_step.h"
#include "verify.h"

namespace {

// A JSON string; bytes outside printable ASCII become \u00XX, so any bytes give valid output.
std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte > 0x7e) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

const char* boolean(bool value)
{
    return value ? "true" : "false";
}

} // namespace

void printVerdictJson(const Verdict& verdict, const std::string& replayPath)
{
    std::string out = "{\"file\": " + quoted(replayPath);
    out += ", \"status\": " + std::to_string(verdict.status);
    out += std::string(", \"verified\": ") + boolean(verdict.status == VerifiedStatus);
    out += ", \"reason\": " + quoted(verdict.problem);
    out += ", \"simulation\": " + (verdict.replayRead ? std::to_string(verdict.simulation) : std::string("null"));
    out += ", \"this_simulation\": " + std::to_string(SimulationVersion);
    out += ", \"levels\": [";
    for (size_t i = 0; i < verdict.levels.size(); ++i) {
        const LevelVerdict& level = verdict.levels[i];
        std::string reason = level.reason;
        if (!level.checked)
            reason = verdict.status == OtherSimulationStatus ? "not re-simulated: another simulation"
                                                             : "not checked: an earlier level differs";
        out += i == 0 ? "\n  " : ",\n  ";
        // Replays hold finite reals only, and their %.9g text is in JSON's number syntax.
        out += "{\"level\": " + std::to_string(i + 1) + ", \"map\": " + quoted(level.mapName) +
            ", \"hash\": " + quoted(level.mapHash) + ", \"booked\": " + exactFloatText(level.bookedSeconds) +
            ", \"skipped\": " + boolean(level.skipped) + ", \"verified\": " + boolean(level.verified) +
            ", \"reason\": " + quoted(reason) + "}";
    }
    out += verdict.levels.empty() ? "]" : "\n]";
    out += ", \"total\": " + (verdict.replayRead ? exactFloatText(verdict.total) : std::string("null"));
    out += ", \"name\": " + (verdict.replayRead ? quoted(verdict.name) : std::string("null"));
    out += "}\n";
    std::fputs(out.c_str(), stdout);
}
