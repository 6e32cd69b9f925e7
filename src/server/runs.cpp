// SPDX-License-Identifier: MIT
// The runs table's queries for the HTTP side: every statement parameterised.
#include "server/runs.h"

#include "replay/file_hash.h"

bool allLevelsKnown(pqxx::transaction_base& txn, const std::vector<std::string>& hashes)
{
    // The hashes are 64 hex digits each (the replay reader checked), so the array literal needs no quoting.
    std::string array = "{";
    for (const std::string& hash : hashes)
        array += (array.size() > 1 ? "," : "") + hash;
    array += "}";
    pqxx::result row = txn.exec_params(
        "SELECT bool_and(EXISTS (SELECT 1 FROM levels WHERE levels.sha256 = h)) FROM unnest($1::text[]) AS h", array);
    return !row[0][0].is_null() && row[0][0].as<bool>();
}

QueuedRun submitRun(pqxx::transaction_base& txn, int64_t player, const std::string& replay)
{
    std::string hash = sha256Hex(replay);
    pqxx::result row = txn.exec_params("INSERT INTO runs (player_id, replay, replay_sha256) VALUES ($1, $2, $3) "
                                       "ON CONFLICT (replay_sha256) DO NOTHING RETURNING id, state",
                                       player, pqxx::binarystring(replay), hash);
    if (row.empty())
        row = txn.exec_params("SELECT id, state FROM runs WHERE replay_sha256 = $1", hash);
    else
        txn.exec("NOTIFY roliquo_runs");
    return {row[0][0].as<int64_t>(), row[0][1].as<std::string>()};
}

std::optional<nlohmann::ordered_json> runStatus(pqxx::connection& connection, int64_t id)
{
    pqxx::read_transaction txn(connection);
    pqxx::result row = txn.exec_params(
        "SELECT runs.id, players.name, runs.state, runs.verdict FROM runs JOIN players ON players.id = runs.player_id "
        "WHERE runs.id = $1",
        id);
    if (row.empty())
        return std::nullopt;
    nlohmann::ordered_json out;
    out["id"] = row[0][0].as<int64_t>();
    out["player"] = row[0][1].as<std::string>();
    out["state"] = row[0][2].as<std::string>();
    out["verdict"] = row[0][3].is_null() ? nlohmann::ordered_json(nullptr)
                                         : nlohmann::ordered_json::parse(row[0][3].as<std::string>());
    return out;
}

std::optional<std::string> runReplay(pqxx::connection& connection, int64_t id)
{
    pqxx::read_transaction txn(connection);
    pqxx::result row = txn.exec_params("SELECT replay FROM runs WHERE id = $1", id);
    if (row.empty())
        return std::nullopt;
    return pqxx::binarystring(row[0][0]).str();
}
