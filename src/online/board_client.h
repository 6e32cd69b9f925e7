// SPDX-License-Identifier: MIT
// The leaderboard's API as the game and the level tool use it: claiming a name, sending a replay, a
// run's state and replay, a level's top list and a player's place. Answers are read, never trusted.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class BoardOutcome {
    Done,
    Unreachable, // no answer, or not one of the server's
    Refused,     // the server said no (the reason in `error`)
};

struct ClaimAnswer {
    BoardOutcome outcome = BoardOutcome::Unreachable;
    bool taken = false; // 409: the name is someone else's on this server
    std::string token;
    std::string error;
};
ClaimAnswer claimName(const std::string& server, const std::string& name);

struct SubmitAnswer {
    BoardOutcome outcome = BoardOutcome::Unreachable;
    int64_t id = 0;
    std::string state;
    std::string error;
};
// Each call below ends early once *cancel is true.
SubmitAnswer submitReplay(const std::string& server, const std::string& token, const std::string& replay,
                          const std::atomic<bool>* cancel = nullptr);

struct RunAnswer {
    BoardOutcome outcome = BoardOutcome::Unreachable;
    std::string state;   // queued, verifying, accepted, rejected
    std::string verdict; // the verdict object's JSON text, "null" until verified
    std::string error;
};
RunAnswer runState(const std::string& server, int64_t id);

// The run's replay file; nothing when unreachable or unknown (the reason in `error`).
std::optional<std::string> runReplay(const std::string& server, int64_t id, std::string& error,
                                     const std::atomic<bool>* cancel = nullptr);

struct BoardRow {
    int64_t rank = 0;
    std::string player;
    float time = 0.0f;
    int64_t id = 0;
};
// A level's top `limit`; nothing when the server cannot say.
std::optional<std::vector<BoardRow>> levelTop(const std::string& server, const std::string& sha256, int limit,
                                              const std::atomic<bool>* cancel = nullptr);
// The player's row on the level; an empty optional inside when they have no time there.
std::optional<std::optional<BoardRow>> levelRank(const std::string& server, const std::string& sha256,
                                                 const std::string& player, const std::atomic<bool>* cancel = nullptr);

// A player's name as servers take it: 3 to 16 of A-Z a-z 0-9 _ -.
bool isBoardName(const std::string& name);

// A server URL as the settings and the command line take it: http:// or https://, printable, bounded;
// a trailing "/" dropped.
bool normaliseServerUrl(std::string& url);
