// SPDX-License-Identifier: MIT
// `roliquo-level verify [--json] [--data DIR] FILE`: re-simulates every level of a replay through the
// game's round step on the named map files and checks that it books exactly what the file claims.
#pragma once

#include <string>
#include <vector>

// Exit statuses of verify.
constexpr int VerifiedStatus = 0;
constexpr int DiffersStatus = 1;         // a level (or the total) does not recompute to what the file says
constexpr int MalformedStatus = 2;       // no well-formed replay, or a data folder that cannot be entered
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

// Reads and re-plays the replay; the data folder is entered on the way.
Verdict verifyReplay(const std::string& replayPath, const std::string& dataDir);

// Prints the verdict as lines (each level's booked time, then the total and the name, or where it
// differs) or as one JSON object; returns its status.
int printVerdict(const Verdict& verdict, const std::string& replayPath);
void printVerdictJson(const Verdict& verdict, const std::string& replayPath);
