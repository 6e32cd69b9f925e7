// SPDX-License-Identifier: MIT
// A replay's verdict: whether every level it holds re-simulates to exactly what it books, level by
// level, with the reason where not. Shared by `roliquo-level verify` and the leaderboard's workers.
#pragma once

#include <string>
#include <vector>

// Statuses of a verdict (the level tool's exit statuses).
constexpr int VerifiedStatus = 0;
constexpr int DiffersStatus = 1;         // a level (or the total) does not recompute to what the file says
constexpr int MalformedStatus = 2;       // no well-formed replay, a data folder that cannot be entered, or over budget
constexpr int OtherSimulationStatus = 4; // recorded with another simulation version: not re-simulated

struct LevelVerdict {
    std::string mapName;
    std::string mapHash;
    float bookedSeconds = 0.0f; // as the replay says
    bool skipped = false;
    bool checked = false;  // false for the levels after the first one that differs
    bool verified = false; // it recomputes exactly
    std::string reason;    // why not, when checked and not verified
};

struct Verdict {
    int status = MalformedStatus;
    std::string problem; // the file-level reason for statuses 2 and 4, and a total that differs
    bool replayRead = false;
    int simulation = 0; // the replay's simulation version, once read
    std::vector<LevelVerdict> levels;
    float total = 0.0f; // the replay's total
    std::string name;
};
