// SPDX-License-Identifier: MIT
// The boards' queries: one best row per player (DISTINCT ON), ranked by time and then by run.
#include "server/boards.h"

#include "verify/verdict_json.h"

namespace {

// The best per player of a board table, ranked; $1 selects the board.
std::string rankedBoard(const char* table, const char* key, const char* time)
{
    return std::string("WITH best AS (SELECT DISTINCT ON (player_id) player_id, ") + time + " AS time, run_id FROM " +
        table + " WHERE " + key + " = $1 ORDER BY player_id, " + time +
        ", run_id), "
        "ranked AS (SELECT row_number() OVER (ORDER BY time, run_id) AS rank, player_id, time, run_id FROM best) "
        "SELECT ranked.rank, players.name, ranked.time, ranked.run_id FROM ranked "
        "JOIN players ON players.id = ranked.player_id ";
}

nlohmann::ordered_json boardRow(const pqxx::row& row)
{
    return {{"rank", row[0].as<int64_t>()},
            {"player", row[1].as<std::string>()},
            {"time", exactJsonNumber(row[2].as<float>())},
            {"id", row[3].as<int64_t>()}};
}

nlohmann::ordered_json boardRows(const pqxx::result& rows)
{
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const pqxx::row& row : rows)
        out.push_back(boardRow(row));
    return out;
}

} // namespace

nlohmann::ordered_json levelList(pqxx::connection& connection)
{
    pqxx::read_transaction txn(connection);
    pqxx::result rows =
        txn.exec("SELECT levels.sha256, levels.name, levels.title, levels.set_name, levels.par FROM levels "
                 "LEFT JOIN set_levels ON set_levels.sha256 = levels.sha256 AND set_levels.set_name = levels.set_name "
                 "ORDER BY levels.set_name <> 'main', levels.set_name, set_levels.position");
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const pqxx::row& row : rows)
        out.push_back(
            {{"sha256", row[0].as<std::string>()},
             {"name", row[1].as<std::string>()},
             {"title",
              row[2].is_null() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(row[2].as<std::string>())},
             {"set", row[3].as<std::string>()},
             {"par",
              row[4].is_null() ? nlohmann::ordered_json(nullptr)
                               : nlohmann::ordered_json(exactJsonNumber(row[4].as<float>()))}});
    return out;
}

std::optional<nlohmann::ordered_json> levelTop(pqxx::connection& connection, const std::string& sha256, int limit)
{
    pqxx::read_transaction txn(connection);
    if (txn.exec_params("SELECT 1 FROM levels WHERE sha256 = $1", sha256).empty())
        return std::nullopt;
    pqxx::result rows = txn.exec_params(
        rankedBoard("level_runs", "sha256", "seconds") + "ORDER BY ranked.rank LIMIT $2", sha256, limit);
    return nlohmann::ordered_json{{"level", sha256}, {"runs", boardRows(rows)}};
}

std::optional<nlohmann::ordered_json> levelRank(pqxx::connection& connection, const std::string& sha256,
                                                const std::string& player)
{
    pqxx::read_transaction txn(connection);
    pqxx::result rows = txn.exec_params(
        rankedBoard("level_runs", "sha256", "seconds") + "WHERE lower(players.name) = lower($2)", sha256, player);
    if (rows.empty())
        return std::nullopt;
    nlohmann::ordered_json out = {{"level", sha256}};
    out.update(boardRow(rows[0]));
    return out;
}

std::optional<nlohmann::ordered_json> setTop(pqxx::connection& connection, const std::string& set, int limit)
{
    pqxx::read_transaction txn(connection);
    if (txn.exec_params("SELECT 1 FROM set_levels WHERE set_name = $1", set).empty())
        return std::nullopt;
    pqxx::result rows =
        txn.exec_params(rankedBoard("set_runs", "set_name", "total") + "ORDER BY ranked.rank LIMIT $2", set, limit);
    return nlohmann::ordered_json{{"set", set}, {"runs", boardRows(rows)}};
}
