// SPDX-License-Identifier: MIT
// Migrations, the pack's registration and the connection pool.
#include "server/database.h"

#include <stdexcept>

#include "level/token_reader.h"

namespace {

// Serialises schema changes and registrations between servers starting at once on one database.
constexpr long long SchemaLock = 0x726f6c6971756f; // "roliquo"

int schemaVersion(pqxx::work& txn)
{
    txn.exec("CREATE TABLE IF NOT EXISTS schema_version (version integer PRIMARY KEY, "
             "applied timestamptz NOT NULL DEFAULT now())");
    return txn.exec("SELECT coalesce(max(version), 0) FROM schema_version")[0][0].as<int>();
}

} // namespace

void applyMigrations(pqxx::connection& connection)
{
    const int known = ServerMigrations[ServerMigrationCount - 1].version;
    for (size_t i = 0;; ++i) {
        pqxx::work txn(connection);
        txn.exec_params("SELECT pg_advisory_xact_lock($1)", SchemaLock);
        int current = schemaVersion(txn);
        if (current > known)
            throw std::runtime_error("the database's schema is version " + std::to_string(current) +
                                     ", newer than this server knows (" + std::to_string(known) + ")");
        while (i < ServerMigrationCount && ServerMigrations[i].version <= current)
            ++i;
        if (i == ServerMigrationCount) {
            txn.commit();
            return;
        }
        txn.exec(ServerMigrations[i].sql);
        txn.exec_params("INSERT INTO schema_version (version) VALUES ($1)", ServerMigrations[i].version);
        txn.commit();
    }
}

void registerPack(pqxx::connection& connection, const PackCatalog& catalog)
{
    pqxx::work txn(connection);
    txn.exec_params("SELECT pg_advisory_xact_lock($1)", SchemaLock);
    for (const PackSet& set : catalog.sets) {
        txn.exec_params("DELETE FROM set_levels WHERE set_name = $1", set.name);
        for (size_t i = 0; i < set.levels.size(); ++i) {
            const PackLevel& level = set.levels[i];
            std::string par = level.par ? exactFloatText(*level.par) : "";
            // A map shared by several sets keeps the first set that registered it.
            txn.exec_params("INSERT INTO levels (sha256, name, set_name, par) VALUES ($1, $2, $3, $4) "
                            "ON CONFLICT (sha256) DO UPDATE SET name = excluded.name, par = excluded.par",
                            level.sha256, level.name, set.name, par.empty() ? nullptr : par.c_str());
            txn.exec_params("INSERT INTO set_levels (set_name, position, sha256) VALUES ($1, $2, $3)", set.name,
                            static_cast<int>(i + 1), level.sha256);
        }
    }
    txn.commit();
}

int reclaimLapsedLeases(pqxx::connection& connection)
{
    pqxx::work txn(connection);
    pqxx::result put = txn.exec("UPDATE runs SET state = 'queued', claim = NULL, lease_until = NULL "
                                "WHERE state = 'verifying' AND lease_until < now() RETURNING id");
    if (!put.empty())
        txn.exec("NOTIFY roliquo_runs");
    txn.commit();
    return static_cast<int>(put.size());
}

ConnectionPool::Hold ConnectionPool::take()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!idle_.empty()) {
            std::unique_ptr<pqxx::connection> connection = std::move(idle_.back());
            idle_.pop_back();
            if (connection->is_open())
                return Hold(*this, std::move(connection));
        }
    }
    return Hold(*this, std::make_unique<pqxx::connection>(url_));
}

void ConnectionPool::give(std::unique_ptr<pqxx::connection> connection)
{
    if (!connection || !connection->is_open())
        return;
    std::lock_guard<std::mutex> lock(mutex_);
    idle_.push_back(std::move(connection));
}
