// SPDX-License-Identifier: MIT
// Players: a name claimed once (unique regardless of case) with a random token shown once; only the
// token's hash is kept. Submissions are metered per player by a token bucket kept in the database.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <pqxx/pqxx>

// A sustained rate of one submission a second, in bursts of up to 20.
constexpr double SubmissionBurst = 20.0;
constexpr double SubmissionsPerSecond = 1.0;

struct NewPlayer {
    bool taken = false; // the name (in any case) is someone's already
    std::string token;
};

NewPlayer createPlayer(pqxx::connection& connection, const std::string& name);

// The player a token belongs to, compared in constant time against its stored hash.
std::optional<int64_t> playerOfToken(pqxx::transaction_base& txn, const std::string& token);

// Takes one submission from the player's bucket; false when it is empty.
bool takeSubmission(pqxx::transaction_base& txn, int64_t player);
