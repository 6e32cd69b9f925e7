// SPDX-License-Identifier: MIT
// The boards: the registered levels, each level's best verified time per player, a player's place, and
// the whole-set totals. Reads only; the workers book what the boards show (booking.h).
#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>
#include <pqxx/pqxx>

// [{"sha256", "name", "title", "set", "par"}, ...], each set in playing order, "main" first.
nlohmann::ordered_json levelList(pqxx::connection& connection);

// {"level", "runs": [{"rank", "player", "time", "id"}, ...]}: the best accepted time per player,
// fastest first (an earlier run first at a tie); nothing for an unknown level.
std::optional<nlohmann::ordered_json> levelTop(pqxx::connection& connection, const std::string& sha256, int limit);

// {"level", "player", "rank", "time", "id"}, or nothing when the player has no time on the level.
std::optional<nlohmann::ordered_json> levelRank(pqxx::connection& connection, const std::string& sha256,
                                                const std::string& player);

// {"set", "runs": [...]} of whole-set totals; nothing for an unknown set.
std::optional<nlohmann::ordered_json> setTop(pqxx::connection& connection, const std::string& set, int limit);
