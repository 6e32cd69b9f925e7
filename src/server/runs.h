// SPDX-License-Identifier: MIT
// Submitted runs: a replay queued once per SHA-256 of its bytes, its state and verdict, its file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>
#include <pqxx/pqxx>

// The largest replay accepted: a whole game at a high frame rate approaches 1 MiB.
constexpr size_t MaxReplayBody = 8u * 1024u * 1024u;

struct QueuedRun {
    int64_t id = 0;
    std::string state;
};

// Whether the database knows a map of every one of these SHA-256s.
bool allLevelsKnown(pqxx::transaction_base& txn, const std::vector<std::string>& hashes);

// Queues the replay and wakes the workers once the transaction commits; the same bytes again give the
// first run.
QueuedRun submitRun(pqxx::transaction_base& txn, int64_t player, const std::string& replay);

// {"id", "player", "state", "verdict"} of a run (the verdict null until verified), or nothing.
std::optional<nlohmann::ordered_json> runStatus(pqxx::connection& connection, int64_t id);

// The replay's bytes as submitted, or nothing.
std::optional<std::string> runReplay(pqxx::connection& connection, int64_t id);
