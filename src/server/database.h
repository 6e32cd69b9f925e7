// SPDX-License-Identifier: MIT
// The database: the schema's migrations, the pack's levels registered, and a pool of connections for
// the HTTP threads (a connection serves one thread at a time).
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <pqxx/pqxx>

#include "server/pack_catalog.h"

// One numbered migration (src/server/migrations/NNNN_*.sql), compiled in.
struct Migration {
    int version;
    const char* sql;
};
extern const Migration ServerMigrations[];
extern const size_t ServerMigrationCount;

// Applies, each in its own transaction under one advisory lock, every migration newer than the
// database's schema_version. Throws std::runtime_error for a schema newer than this server knows.
void applyMigrations(pqxx::connection& connection);

// Registers every level of the pack by its SHA-256 (name, set, par) and each set's order, in one
// transaction.
void registerPack(pqxx::connection& connection, const PackCatalog& catalog);

// Puts back in the queue every run whose worker's lease has lapsed; returns how many.
int reclaimLapsedLeases(pqxx::connection& connection);

class ConnectionPool {
public:
    explicit ConnectionPool(std::string url) : url_(std::move(url)) { }

    // A connection of the pool for the holder's lifetime; one that broke is not given back.
    class Hold {
    public:
        Hold(ConnectionPool& pool, std::unique_ptr<pqxx::connection> connection)
            : pool_(pool), connection_(std::move(connection))
        {
        }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
        ~Hold() { pool_.give(std::move(connection_)); }
        pqxx::connection& operator*() { return *connection_; }

    private:
        ConnectionPool& pool_;
        std::unique_ptr<pqxx::connection> connection_;
    };

    Hold take();

private:
    void give(std::unique_ptr<pqxx::connection> connection);

    std::string url_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<pqxx::connection>> idle_;
};
